#include "runrules.h"

#include "iconimage.h"
#include "mainprogram.h"
#include "packagingsteps.h"
#include "sourcechecks.h"
#include "worker.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>

namespace runrules {

namespace {

struct ChoiceList
{
    QStringList values;
    int defaultIndex;
};

const ChoiceList &choiceList(Setting setting)
{
    static const ChoiceList levels{{QStringLiteral("store"), QStringLiteral("fastest"), QStringLiteral("fast"),
                                    QStringLiteral("normal"), QStringLiteral("maximum"), QStringLiteral("ultra")},
                                   3};
    static const ChoiceList methods{{QStringLiteral("LZMA"), QStringLiteral("LZMA2")}, 0};
    static const ChoiceList dictionaries{{QStringLiteral("64K"), QStringLiteral("1M"), QStringLiteral("16M"),
                                          QStringLiteral("32M"), QStringLiteral("64M")},
                                         2};
    switch (setting) {
    case Setting::Level: return levels;
    case Setting::Method: return methods;
    case Setting::Dictionary: break;
    }
    return dictionaries;
}

QString tr(const char *source)
{
    return QCoreApplication::translate("MainWindow", source);
}

} // namespace

const QStringList &choices(Setting setting)
{
    return choiceList(setting).values;
}

QString defaultChoice(Setting setting)
{
    const ChoiceList &list = choiceList(setting);
    return list.values.at(list.defaultIndex);
}

QString choiceAt(Setting setting, int index)
{
    const QStringList &values = choices(setting);
    return index >= 0 && index < values.size() ? values.at(index) : defaultChoice(setting);
}

int choiceIndex(Setting setting, const QString &value)
{
    const QStringList &values = choices(setting);
    for (int i = 0; i < values.size(); ++i) {
        if (values.at(i).compare(value, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int storedChoiceIndex(Setting setting, const QVariant &stored)
{
    const int index = choiceIndex(setting, stored.toString());
    return index >= 0 ? index : stored.toInt();
}

QString compressionLevelArg(int index)
{
    // The archiver's -mx levels, in the order of the level list.
    static const char *const switches[] = {"0", "1", "3", "5", "7", "9"};
    return QString::fromLatin1(switches[choiceIndex(Setting::Level, choiceAt(Setting::Level, index))]);
}

QString compressionMethodArg(int index)
{
    return choiceAt(Setting::Method, index);
}

QString dictionarySizeArg(int index)
{
    return choiceAt(Setting::Dictionary, index);
}

void startRun(Worker *worker, const RunChoices &run, const QString &archivePath)
{
    const QString level = compressionLevelArg(choiceIndex(Setting::Level, run.level));
    const QString method = compressionMethodArg(choiceIndex(Setting::Method, run.method));
    const QString dictionary = dictionarySizeArg(choiceIndex(Setting::Dictionary, run.dictionary));
    QMetaObject::invokeMethod(
        worker,
        [worker, run, archivePath, level, method, dictionary] {
            worker->createPortableApp(run.folderPath, archivePath, run.outputDir, run.mainExeName, run.iconPath,
                                      level, method, dictionary);
        },
        Qt::QueuedConnection);
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

InputProblem checkRun(const RunChoices &run, QString *detail)
{
    const InputProblem problem = checkInputs(run.folderPath, run.mainExeName, run.outputDir, detail);
    if (problem != InputProblem::None)
        return problem;
    if (!run.iconPath.isEmpty() && QFileInfo(run.iconPath).isFile() && !iconimage::isImageFile(run.iconPath))
        return InputProblem::IconNotImage;
    return InputProblem::None;
}

QString inputProblemText(InputProblem problem, const RunChoices &run, const QString &detail)
{
    switch (problem) {
    case InputProblem::None:
        break;
    case InputProblem::IconNotImage:
        return tr("图标文件不是可用的图片：\n%1\n请选择 .ico、.png、.svg 或 .jpg 图片。").arg(run.iconPath);
    case InputProblem::NoFolder:
        return tr("请选择源文件夹！");
    case InputProblem::FolderMissing:
        return tr("源文件夹不存在！\n%1").arg(run.folderPath);
    case InputProblem::FolderUnreadable:
        return tr("无法读取源文件夹！\n%1\n%2").arg(run.folderPath, detail);
    case InputProblem::NoMainProgram:
        return tr("请选择主程序！");
    case InputProblem::MainProgramMissing:
        return tr("选择的主程序不存在于源文件夹中！\n请重新选择主程序。");
    case InputProblem::OutputNotFolder:
        return tr("输出路径必须是一个目录（例如 C:/Output）！");
    case InputProblem::OutputNotWritable:
        return tr("无法写入输出目录！\n%1\n%2").arg(run.outputDir, detail);
    case InputProblem::OutputReplacesSourceFile:
        return tr("制作出的程序会覆盖源文件夹中的文件：\n%1\n请选择源文件夹以外的输出目录。").arg(detail);
    case InputProblem::OutputInsideSource:
        return tr("输出目录不能是源文件夹或其中的文件夹，否则制作出的程序会被打包进下一个程序。\n"
                  "请选择源文件夹以外的输出目录。");
    }
    return {};
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
