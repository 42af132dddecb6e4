#include "runrules.h"

#include "mainprogram.h"
#include "packagingsteps.h"
#include "sourcechecks.h"

#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>

namespace runrules {

QString compressionLevelArg(int index)
{
    switch (index) {
    case 0: return QStringLiteral("0");
    case 1: return QStringLiteral("1");
    case 2: return QStringLiteral("3");
    case 4: return QStringLiteral("7");
    case 5: return QStringLiteral("9");
    default: return QStringLiteral("5");
    }
}

QString compressionMethodArg(int index)
{
    return index == 1 ? QStringLiteral("LZMA2") : QStringLiteral("LZMA");
}

QString dictionarySizeArg(int index)
{
    switch (index) {
    case 0: return QStringLiteral("64K");
    case 1: return QStringLiteral("1M");
    case 3: return QStringLiteral("32M");
    case 4: return QStringLiteral("64M");
    default: return QStringLiteral("16M");
    }
}

InputProblem checkInputs(const QString &folderPath, const QString &mainExeName, const QString &outputPath,
                         QString *detail)
{
    if (folderPath.isEmpty())
        return InputProblem::NoFolder;
    if (!QFileInfo(folderPath).isDir())
        return InputProblem::FolderMissing;
    if (DIR *dir = ::opendir(QFile::encodeName(folderPath).constData())) {
        ::closedir(dir);
    } else {
        if (detail)
            *detail = qt_error_string(errno);
        return InputProblem::FolderUnreadable;
    }
    if (mainExeName.isEmpty())
        return InputProblem::NoMainProgram;
#ifdef Q_OS_WIN
    if (!QFile::exists(folderPath + QLatin1Char('/') + mainExeName))
        return InputProblem::MainProgramMissing;
#else
    if (!mainprogram::isMainProgram(folderPath, mainExeName))
        return InputProblem::MainProgramMissing;
#endif
    if (!QFileInfo(outputPath).isDir())
        return InputProblem::OutputNotFolder;
    const sourcechecks::ProductPlace place =
        sourcechecks::productPlace(folderPath, outputPath, packaging::outputFilePath(outputPath, mainExeName));
    if (place.place == sourcechecks::Place::ReplacesSourceFile) {
        if (detail)
            *detail = place.replaced;
        return InputProblem::OutputReplacesSourceFile;
    }
    if (place.place == sourcechecks::Place::InsideSource)
        return InputProblem::OutputInsideSource;
    const QString reason = sourcechecks::outputFolderProblem(outputPath);
    if (!reason.isEmpty()) {
        if (detail)
            *detail = reason;
        return InputProblem::OutputNotWritable;
    }
    return InputProblem::None;
}

QString createWorkFolder(const QString &tempPath, const QDateTime &now)
{
    const QString base = tempPath + QStringLiteral("/Crateforge_") + now.toString(QStringLiteral("yyyyMMddhhmmss"));
    constexpr int kAttempts = 1000;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        const QString path = attempt == 1 ? base : base + QLatin1Char('_') + QString::number(attempt);
        // mkdir fails on any existing name, link or not, so the folder is
        // always one this call made.
        if (::mkdir(QFile::encodeName(path).constData(), 0700) == 0) {
            ::chmod(QFile::encodeName(path).constData(), 0700);
            return path;
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
}

} // namespace runrules
