#include "worker.h"
#include "workerjob.h"

#include "archiveroutput.h"
#include "iconimage.h"
#include "mainprogram.h"
#include "packagingsteps.h"
#include "productcheck.h"
#include "toolfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScopeGuard>
#include <QThread>

#include <dirent.h>

#include <algorithm>

#include <cerrno>
#include <cstring>

namespace {

constexpr qint64 kChunkSize = 1048576;

// The main program must be a file inside the source folder: a name that climbs
// out of it would give a product whose ExecuteFile is not in its archive.
bool isMainProgramInFolder(const QString &mainExeName, const QString &fullPath)
{
    if (mainExeName.isEmpty() || QDir::isAbsolutePath(mainExeName) || !QFileInfo(fullPath).isFile())
        return false;
    const QString relative = QDir::cleanPath(mainExeName);
    return relative != QLatin1String("..") && !relative.startsWith(QLatin1String("../"));
}

// Empty when the folder's entries can be listed; otherwise the system's reason.
QString folderReadProblem(const QString &folderPath)
{
    DIR *dir = ::opendir(QFile::encodeName(folderPath).constData());
    if (!dir)
        return QString::fromLocal8Bit(std::strerror(errno));
    ::closedir(dir);
    return {};
}

// What the archiver said went wrong: its error stream, one line per line of it.
QString archiverErrorLines(const QString &errorOutput)
{
    QStringList lines;
    for (const QString &line : errorOutput.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    }
    return lines.join(QLatin1Char(' '));
}

} // namespace


Worker::Worker(QObject *parent)
    : QObject(parent)
{
}

void Worker::createPortableApp(QString folderPath, QString archivePath, QString outputDir, QString mainExeName,
                               QString iconPath, QString compressionLevel, QString compressionMethod,
                               QString dictionarySize)
{
    ++m_runNumber;
    Job job{folderPath, archivePath, outputDir, mainExeName, iconPath, compressionLevel, compressionMethod,
            dictionarySize, folderPath + QLatin1Char('/') + mainExeName, QString(),
            packaging::outputFilePath(outputDir, mainExeName)};

    // A failed run ends with one line that names the failure and its cause;
    // the window shows the same words in its box.
    QString lastLine;
    const QMetaObject::Connection watch = connect(
        this, &Worker::logMessage, this, [&lastLine](const QString &line) { lastLine = line; }, Qt::DirectConnection);
    const bool assembled = checkSource(job) && checkPlaces(job) && buildArchive(job) && assembleProduct(job);
    if (assembled && !stopRequested())
        applyIcon(job, chooseIcon(job));
    if (stopRequested()) {
        disconnect(watch);
        discardStoppedRun(job.archivePath, job.outputPath, job.productStarted);
        Q_EMIT finished(false);
        return;
    }
    const bool success = assembled && checkProduct(job);
    disconnect(watch);
    if (!success) {
        QString cause = job.failure.isEmpty() ? lastLine : job.failure;
        const QString errorPrefix = tr("错误：");
        if (cause.startsWith(errorPrefix))
            cause.remove(0, errorPrefix.size());
        Q_EMIT logMessage(tr("错误：制作失败：%1").arg(cause));
    }
    Q_EMIT finished(success);
}

bool Worker::checkSource(const Job &job)
{
    const auto log = [this](const QString &line) { Q_EMIT logMessage(line); };

    log(tr("开始创建便携应用..."));
    log(tr("源文件夹: %1").arg(job.folderPath));
    log(tr("主程序: %1").arg(job.mainExeName));
    log(tr("输出目录: %1").arg(job.outputDir));
    log(tr("压缩级别: %1").arg(job.compressionLevel));
    log(tr("压缩方法: %1").arg(job.compressionMethod));
    log(tr("字典大小: %1").arg(job.dictionarySize));

    // An empty path would name the current folder, which is not what was chosen.
    const bool folderGiven = !job.folderPath.isEmpty();
    QDir sourceDir(job.folderPath);
    log(tr("源文件夹中的所有EXE文件:"));
    if (folderGiven) {
        for (const QString &name : mainprogram::mainPrograms(job.folderPath, QDir::Unsorted))
            log(QStringLiteral("  ") + name);
    }
    log(tr("用户选择的主程序: %1").arg(job.mainExeName));

    if (!folderGiven || !sourceDir.exists()) {
        log(tr("错误：源文件夹不存在"));
        return false;
    }
    const QString unreadable = folderReadProblem(job.folderPath);
    if (!unreadable.isEmpty()) {
        log(tr("错误：无法读取源文件夹: %1，原因: %2").arg(job.folderPath, unreadable));
        return false;
    }

    if (!QFile::exists(job.mainExePath) || !isMainProgramInFolder(job.mainExeName, job.mainExePath)) {
        log(tr("错误：主程序 %1 不存在于源文件夹中").arg(job.mainExeName));
        log(tr("完整路径: %1").arg(job.mainExePath));
        log(tr("源文件夹中的文件列表:"));
        const QStringList files = sourceDir.entryList(QDir::Files, QDir::Unsorted);
        for (const QString &name : files)
            log(QStringLiteral("  ") + name);
        return false;
    }
    log(tr("主程序路径验证成功: %1").arg(job.mainExePath));
    return true;
}

bool Worker::buildArchive(Job &job)
{
    const auto log = [this](const QString &line) { Q_EMIT logMessage(line); };

    job.toolFolder = toolFolderPath();
    const QString archiverPath = job.toolFolder + QStringLiteral("/7zr.exe");
    const ToolCopy archiverCopy = job.toolFolder.isEmpty() ? ToolCopy::Failed : provideTool(m_tools.archiver, archiverPath);
    if (archiverCopy == ToolCopy::Failed) {
        log(tr("错误：无法复制7zr.exe到临时目录"));
        return false;
    }
    if (archiverCopy == ToolCopy::Copied)
        log(tr("7zr.exe已复制到临时目录"));

    // The archiver runs in the tool folder, so relative paths would name other
    // places for it than for this process.
    const QString archiveFile = QFileInfo(job.archivePath).absoluteFilePath();
    const QString sourceFolder = QFileInfo(job.folderPath).absoluteFilePath();
    const QString workFolder = QFileInfo(archiveFile).absolutePath();
    if (!isPrivateWorkFolder(workFolder)) {
        log(tr("错误：工作目录不存在或不安全: %1").arg(workFolder));
        return false;
    }
    // The archiver's "a" adds to an archive that is already there; every run
    // must pack exactly the current folder.
    if (QFileInfo(archiveFile).exists() || QFileInfo(archiveFile).isSymLink()) {
        if (!QFile::remove(archiveFile)) {
            log(tr("错误：无法删除旧的压缩包: %1").arg(archiveFile));
            return false;
        }
    }

    // Links packed as copies (or left out) are not packed as links.
    const QStringList arguments = packaging::archiverArguments(archiveFile, sourceFolder, job.compressionLevel,
                                                               job.compressionMethod, job.dictionarySize)
        + outsidelinks::exclusions(job.links);
    QString errorLines;
    if (!runArchiver(archiverPath, arguments, &errorLines)) {
        if (!errorLines.isEmpty())
            job.failure = tr("7z报告：%1").arg(errorLines);
        return false;
    }
    if (!addLinkedCopies(job, archiverPath, archiveFile))
        return false;
    log(tr("压缩包创建成功"));
    log(tr("压缩包大小: %1 字节").arg(QFileInfo(archiveFile).size()));
    return true;
}

// What outside links point to is staged in the work folder under the links'
// own paths and added to the archive in a second pass.
bool Worker::addLinkedCopies(Job &job, const QString &archiverPath, const QString &archiveFile)
{
    const bool anyCopy = std::any_of(job.links.cbegin(), job.links.cend(),
                                     [](const outsidelinks::Link &l) { return l.kind == outsidelinks::Kind::Copy; });
    if (!anyCopy)
        return true;
    const QString stageFolder = QFileInfo(archiveFile).absolutePath() + QStringLiteral("/linked");
    QDir(stageFolder).removeRecursively();
    const auto cleanUp = qScopeGuard([&] { QDir(stageFolder).removeRecursively(); });
    const QString problem = outsidelinks::stage(job.links, job.folderPath, stageFolder);
    if (!problem.isEmpty()) {
        Q_EMIT logMessage(tr("错误：无法复制链接指向的内容: %1").arg(problem));
        return false;
    }
    QString errorLines;
    const QStringList arguments = packaging::archiverArguments(archiveFile, stageFolder, job.compressionLevel,
                                                               job.compressionMethod, job.dictionarySize);
    if (runArchiver(archiverPath, arguments, &errorLines))
        return true;
    if (!errorLines.isEmpty())
        job.failure = tr("7z报告：%1").arg(errorLines);
    return false;
}

bool Worker::runArchiver(const QString &archiverPath, const QStringList &arguments, QString *errorLines)
{
    const auto log = [this](const QString &line) { Q_EMIT logMessage(line); };

    log(tr("执行命令: %1 %2").arg(archiverPath, arguments.join(QLatin1Char(' '))));

    QProcess archiver;
    archiver.setWorkingDirectory(QFileInfo(archiverPath).absolutePath());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The archiver converts file names with the locale's character set; under
    // the plain C locale it would store Chinese names as question marks.
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    archiver.setProcessEnvironment(environment);
    archiver.setProcessChannelMode(QProcess::SeparateChannels);
    archiver.start(archiverPath, arguments, QIODevice::ReadWrite);
    if (!archiver.waitForStarted(m_timing.archiverStartMs) || stopRequested()) {
        if (stopRequested()) {
            stopProcess(archiver);
            return false;
        }
        log(tr("错误：无法启动7z.exe，路径: %1").arg(archiverPath));
        log(tr("错误详情: %1").arg(archiver.errorString()));
        archiver.kill();
        archiver.waitForFinished(m_timing.archiverStopMs);
        return false;
    }
    // Nothing is ever typed into the archiver: a question it asks ends in EOF
    // rather than a wait for an answer.
    archiver.closeWriteChannel();
    log(tr("7z进程已启动，开始压缩..."));

    // The progress redraws move the bar; only the archiver's own lines reach the log.
    packaging::ArchiverOutput output;
    const auto takeOutput = [&]() {
        const packaging::ArchiverOutput::Part part = output.feed(archiver.readAllStandardOutput());
        if (part.progress)
            Q_EMIT progressChanged(*part.progress);
        for (const QString &line : part.lines)
            log(line);
    };
    while (waitForOutput(archiver, m_timing.archiverSilenceMs))
        takeOutput();

    if (!waitForExit(archiver, m_timing.archiverFinishMs) && stopRequested()) {
        stopProcess(archiver);
        return false;
    }
    if (archiver.state() != QProcess::NotRunning) {
        // Joining now would copy an archive that is still being written.
        log(tr("错误：7z进程超过%1秒没有结束，已终止")
                .arg((m_timing.archiverSilenceMs + m_timing.archiverFinishMs) / 1000));
        archiver.terminate();
        if (!archiver.waitForFinished(m_timing.archiverStopMs)) {
            archiver.kill();
            archiver.waitForFinished(m_timing.archiverStopMs);
        }
        return false;
    }
    if (archiver.bytesAvailable() > 0)
        takeOutput();
    for (const QString &line : output.finish())
        log(line);

    if (archiver.exitStatus() != QProcess::NormalExit || archiver.exitCode() != 0) {
        QString errorOutput = QString::fromLocal8Bit(archiver.readAllStandardError());
        *errorLines = archiverErrorLines(errorOutput);
        if (errorOutput.isEmpty())
            errorOutput = QString::fromLocal8Bit(archiver.readAllStandardOutput());
        log(tr("7z错误输出: %1").arg(errorOutput));
        log(tr("7z退出代码: %1").arg(archiver.exitCode()));
        return false;
    }
    return true;
}

bool Worker::assembleProduct(Job &job)
{
    const auto log = [this](const QString &line) { Q_EMIT logMessage(line); };

    const QString modulePath = job.toolFolder + QStringLiteral("/7zSD.sfx");
    if (provideTool(m_tools.module, modulePath) == ToolCopy::Failed) {
        log(tr("错误：无法复制SFX模块"));
        return false;
    }

    QFile output(job.outputPath);
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        log(tr("错误：无法创建输出文件: %1").arg(job.outputPath));
        return false;
    }
    job.productStarted = true;
    // A product without its module, block or archive cannot run; none is left behind.
    const auto discardOutput = [&]() {
        output.close();
        QFile::remove(job.outputPath);
        return false;
    };
    const auto writeAll = [&](const char *data, qint64 length) {
        if (output.write(data, length) == length)
            return true;
        log(tr("写入错误: %1").arg(output.errorString()));
        job.failure = tr("无法写入输出文件 %1: %2").arg(job.outputPath, output.errorString());
        return false;
    };

    QFile module(modulePath);
    if (!module.open(QIODevice::ReadOnly)) {
        log(tr("错误：无法读取SFX模块"));
        return discardOutput();
    }
    const QByteArray moduleBytes = module.readAll();
    module.close();
    if (!writeAll(moduleBytes.constData(), moduleBytes.size()))
        return discardOutput();
    log(tr("SFX模块写入成功"));

    const QByteArray block = packaging::configurationBlock(job.mainExeName);
    if (!writeAll(block.constData(), block.size()))
        return discardOutput();
    log(tr("配置写入成功，大小: %1 字节").arg(block.size()));

    QFile archive(QFileInfo(job.archivePath).absoluteFilePath());
    if (!archive.open(QIODevice::ReadOnly)) {
        log(tr("错误：无法读取压缩包文件"));
        return discardOutput();
    }
    const qint64 archiveSize = archive.size();
    log(tr("准备写入压缩包数据，大小: %1 字节").arg(archiveSize));

    QByteArray buffer(kChunkSize, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        if (stopRequested()) {
            archive.close();
            return discardOutput();
        }
        const qint64 n = archive.read(buffer.data(), kChunkSize);
        if (n == 0)
            break;
        if (n < 0) {
            log(tr("错误：无法读取压缩包文件"));
            archive.close();
            return discardOutput();
        }
        if (!writeAll(buffer.constData(), n)) {
            archive.close();
            return discardOutput();
        }
        total += n;
        if (archiveSize > 0)
            Q_EMIT progressChanged(static_cast<int>(50 + total * 50 / archiveSize));
    }
    archive.close();
    log(tr("压缩包数据写入完成，共写入: %1 字节").arg(total));
    output.close();
    return true;
}

QByteArray Worker::chooseIcon(const Job &job)
{
    const auto log = [this](const QString &line) { Q_EMIT logMessage(line); };

    log(tr("开始处理图标..."));
    const QByteArray chosen = userIcon(job);
    if (!chosen.isEmpty())
        return chosen;

    log(tr("尝试从主程序提取图标..."));
    bool noIconPlace = false;
    const QByteArray iconData = extractIcon(job.mainExePath, &noIconPlace);
    if (noIconPlace)
        return {};
    if (!validateIconData(iconData)) {
        log(tr("警告：无法从主程序提取有效图标，将创建无图标的应用"));
        log(tr("跳过图标替换，没有有效的图标数据"));
        return {};
    }
    log(tr("成功从主程序提取图标"));
    return iconData;
}

QByteArray Worker::userIcon(const Job &job)
{
    const auto log = [this](const QString &line) { Q_EMIT logMessage(line); };
    if (job.iconPath.isEmpty() || !QFile::exists(job.iconPath))
        return {};
    QFile iconFile(job.iconPath);
    if (!iconFile.open(QIODevice::ReadOnly)) {
        log(tr("警告：无法打开图标文件: %1").arg(job.iconPath));
        return {};
    }
    QByteArray iconData = iconFile.readAll();
    iconFile.close();
    // A PNG, SVG or JPEG image becomes an ICO of the usual sizes.
    if (!iconimage::hasIcoHeader(iconData)) {
        const QByteArray converted = iconimage::icoFromImage(iconData);
        if (!converted.isEmpty()) {
            log(tr("已将图标图片转换为ICO格式（256、48、32、16像素）"));
            iconData = converted;
        }
    }
    if (validateIconData(iconData)) {
        log(tr("使用用户提供的图标文件"));
        return iconData;
    }
    log(tr("警告：提供的图标文件无效，将尝试从主程序提取图标"));
    return {};
}

void Worker::applyIcon(const Job &job, const QByteArray &iconData)
{
    if (iconData.isEmpty())
        return;
    Q_EMIT logMessage(tr("开始替换EXE图标..."));
    if (replaceExeIcon(job.outputPath, iconData)) {
        Q_EMIT logMessage(tr("图标替换成功！"));
        pause(m_timing.afterIconPauseMs);
    } else {
        Q_EMIT logMessage(tr("警告：图标替换失败"));
    }
}

bool Worker::checkProduct(const Job &job)
{
    if (!QFile::exists(job.outputPath)) {
        Q_EMIT logMessage(tr("错误：创建单文件失败，输出文件不存在"));
        return false;
    }
    // Read back as the self-extractor will read it: a product that would not
    // start is not handed to the user.
    const QString fault = productcheck::productFault(job.outputPath);
    if (!fault.isEmpty()) {
        QFile::remove(job.outputPath);
        Q_EMIT logMessage(tr("错误：制作出的程序无法读取（%1），已删除: %2").arg(fault, job.outputPath));
        return false;
    }
    QFile::setPermissions(job.outputPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                              | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                                              | QFileDevice::ReadOther | QFileDevice::ExeOther);
    Q_EMIT logMessage(
        tr("成功创建便携应用！最终文件大小: %1 字节").arg(QFileInfo(job.outputPath).size()));
    Q_EMIT logMessage(tr("输出文件: %1").arg(job.outputPath));
    Q_EMIT progressChanged(100);
    return true;
}

bool Worker::validateIconData(const QByteArray &iconData)
{
    if (iconData.size() < 6) {
        Q_EMIT logMessage(tr("图标数据太小，至少需要6字节"));
        return false;
    }
    if (iconData.at(0) != 0 || iconData.at(1) != 0 || iconData.at(2) != 1 || iconData.at(3) != 0) {
        Q_EMIT logMessage(tr("无效的ICO文件头"));
        return false;
    }
    // QImage rather than QPixmap: this runs on the worker thread, where pixmaps
    // are not safe to use; the check and the size are the same.
    QImage image;
    if (!image.loadFromData(iconData, "ICO")) {
        Q_EMIT logMessage(tr("无法将数据加载为ICO格式"));
        return false;
    }
    Q_EMIT logMessage(tr("图标验证通过 - 尺寸: %1x%2").arg(image.width()).arg(image.height()));
    return true;
}
