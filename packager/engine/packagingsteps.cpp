#include "packagingsteps.h"

#include "mainprogram.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace packaging {

QStringList archiverArguments(const QString &archivePath, const QString &folderPath, const QString &compressionLevel,
                              const QString &compressionMethod, const QString &dictionarySize)
{
    // The platform's own separator: a backslash here would match no file and
    // leave an empty archive that the archiver still reports as a success.
    // Level 0 stores: the archiver's "-mx=0" alone would still run the named
    // method, so the method becomes Copy, which takes no dictionary.
    const bool store = compressionLevel == QLatin1String("0");
    QStringList arguments{QStringLiteral("a"), QStringLiteral("-t7z"), QDir::toNativeSeparators(archivePath),
                          QDir::toNativeSeparators(folderPath + QDir::separator() + QLatin1Char('*')),
                          QStringLiteral("-r"), QStringLiteral("-mx=") + compressionLevel,
                          QStringLiteral("-m0=") + (store ? QStringLiteral("Copy") : compressionMethod)};
    if (!dictionarySize.isEmpty() && !store)
        arguments << QStringLiteral("-md=") + dictionarySize;
    // Solid blocks of at most 4 MiB: a product that restores one changed
    // file decodes only the block holding it, for about a tenth more size.
    if (!store)
        arguments << QStringLiteral("-ms=4m");
    arguments << QStringLiteral("-bsp1") << QStringLiteral("-ssc");
    return arguments;
}

QString productBaseName(const QString &mainExeName)
{
    return QFileInfo(mainExeName).baseName();
}

QByteArray configurationBlock(const QString &mainExeName)
{
    const QString baseName = productBaseName(mainExeName);
    const QString block = QStringLiteral(";!@Install@!UTF-8!\n"
                                         "Title=\"%1 Portable\"\n"
                                         "Progress=\"no\"\n"
                                         "ExecuteFile=\"%2\"\n"
                                         "InstallPath=\"%%T\\%3\"\n"
                                         "GUIMode=\"2\"\n"
                                         "Overwrite=\"1\"\n"
                                         ";!@InstallEnd@!\n")
                              .arg(baseName, mainExeName, baseName);
    return block.toUtf8();
}

QString outputFilePath(const QString &outputDir, const QString &mainExeName)
{
    return QDir(outputDir).filePath(mainprogram::productFileName(mainExeName));
}

std::optional<int> ProgressReader::feed(const QString &chunk)
{
    static const QRegularExpression percentage(QStringLiteral("(\\d+)%"));
    static const QRegularExpression trailingDigits(QStringLiteral("\\d+$"));

    const QString text = m_pendingDigits + chunk;
    const QRegularExpressionMatch tail = trailingDigits.match(text);
    m_pendingDigits = tail.hasMatch() ? tail.captured(0) : QString();

    const QRegularExpressionMatch match = percentage.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const int value = match.captured(1).toInt(&ok, 10);
    return ok ? value : 0;
}

QStringList editorDeleteArguments(const QString &exePath)
{
    return {QStringLiteral("-open"), exePath, QStringLiteral("-save"), exePath, QStringLiteral("-action"),
            QStringLiteral("delete"), QStringLiteral("-mask"), QStringLiteral("ICONGROUP,"), QStringLiteral("-log"),
            QStringLiteral("NUL")};
}

QStringList editorAddArguments(const QString &exePath, const QString &iconPath)
{
    return {QStringLiteral("-open"), exePath, QStringLiteral("-save"), exePath, QStringLiteral("-action"),
            QStringLiteral("addoverwrite"), QStringLiteral("-resource"), iconPath, QStringLiteral("-mask"),
            QStringLiteral("ICONGROUP,MAINICON,"), QStringLiteral("-log"), QStringLiteral("NUL")};
}

} // namespace packaging
