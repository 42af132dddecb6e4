#pragma once

#include "productlayout.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

// Building and running real products for the icon tests: the real module of
// our self-extractor, an optional icon block, the configuration block and a
// 7z archive made by the real archiver.
namespace producttools {

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray configBlock(const QString &baseName, const QString &executeFile)
{
    return QStringLiteral(";!@Install@!UTF-8!\nTitle=\"%1 Portable\"\nProgress=\"no\"\nExecuteFile=\"%2\"\n"
                          "InstallPath=\"%%T\\%3\"\nGUIMode=\"2\"\nOverwrite=\"1\"\n;!@InstallEnd@!\n")
        .arg(baseName, executeFile, baseName)
        .toUtf8();
}

inline QByteArray iconBlock(const QByteArray &ico)
{
    const std::string header = productlayout::iconBlockHeader(quint32(ico.size()));
    return QByteArray(header.data(), qsizetype(header.size())) + ico;
}

// A folder holding the probe program as `exeName`, packed into a 7z archive.
inline QByteArray makeArchive(const QString &workDir, const QString &exeName)
{
    const QString folder = workDir + QStringLiteral("/payload");
    QDir().mkpath(folder);
    const QString target = folder + QLatin1Char('/') + exeName;
    QFile::remove(target);
    if (!QFile::copy(QStringLiteral(ICON_PROBE_APP), target))
        return {};
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString archive = workDir + QStringLiteral("/payload.7z");
    QFile::remove(archive);
    QProcess archiver;
    archiver.start(QStringLiteral(ICON_ARCHIVER),
                   {QStringLiteral("a"), QStringLiteral("-t7z"), archive, folder + QStringLiteral("/*"),
                    QStringLiteral("-r")});
    if (!archiver.waitForFinished(30000) || archiver.exitCode() != 0)
        return {};
    return readFile(archive);
}

inline QByteArray moduleBytes()
{
    return readFile(QStringLiteral(ICON_SFX_MODULE));
}

// The product bytes; empty when a piece could not be made.
inline QByteArray makeProduct(const QString &workDir, const QString &baseName, const QByteArray &ico = {})
{
    const QByteArray module = moduleBytes();
    const QByteArray archive = makeArchive(workDir, baseName + QStringLiteral(".exe"));
    if (module.isEmpty() || archive.isEmpty())
        return {};
    return module + (ico.isEmpty() ? QByteArray() : iconBlock(ico))
        + configBlock(baseName, baseName + QStringLiteral(".exe")) + archive;
}

struct Run
{
    bool finished = false;
    int exitCode = -1;
    QByteArray output;
};

inline Run runProgram(const QString &path, const QStringList &arguments = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, arguments);
    Run run;
    run.finished = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit;
    if (!run.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    run.exitCode = process.exitCode();
    run.output = process.readAll();
    return run;
}

inline bool ranProbe(const Run &run)
{
    return run.finished && run.exitCode == 7 && run.output.contains("probe ran in");
}

// The ICO bytes of a product's icon block, or empty.
inline QByteArray productIcon(const QByteArray &product)
{
    const auto result = productlayout::parseModule(
        productlayout::memoryReader(reinterpret_cast<const unsigned char *>(product.constData()),
                                    std::size_t(product.size())),
        std::uint64_t(product.size()));
    if (result.status != productlayout::Status::Ok || !result.hasIcon)
        return {};
    return product.mid(qsizetype(result.iconOffset), qsizetype(result.iconLength));
}

} // namespace producttools
