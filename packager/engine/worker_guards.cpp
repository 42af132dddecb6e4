#include "worker.h"
#include "workerjob.h"

#include "sourcechecks.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

// Refuses a run whose product could not be written, would destroy or swallow
// the user's own files, or could not start. Runs before anything is written.
bool Worker::checkPlaces(Job &job)
{
    const auto log = [this](const QString &line) { Q_EMIT logMessage(line); };
    const QString &folderPath = job.folderPath;
    const QString &outputDir = job.outputDir;
    const QString &outputPath = job.outputPath;

    const sourcechecks::ProductPlace place = sourcechecks::productPlace(folderPath, outputDir, outputPath);
    if (place.place == sourcechecks::Place::ReplacesSourceFile) {
        log(tr("错误：输出文件会覆盖源文件夹中的文件: %1").arg(place.replaced));
        return false;
    }
    if (place.place == sourcechecks::Place::InsideSource) {
        log(tr("错误：输出目录不能是源文件夹或其中的文件夹: %1").arg(outputDir));
        return false;
    }
    const QString outputProblem = sourcechecks::outputFolderProblem(outputDir);
    if (!outputProblem.isEmpty()) {
        log(tr("错误：无法写入输出目录: %1，原因: %2").arg(outputDir, outputProblem));
        return false;
    }
    // A product unpacks no link that leads out of its folder: such a link is
    // packed as a copy of what it points to, or left out when that is missing.
    // A copy of the source folder itself, or of a folder above it, would hold
    // the whole folder again, so that refuses the run.
    job.links = outsidelinks::classify(folderPath);
    bool refused = false;
    for (const outsidelinks::Link &link : std::as_const(job.links)) {
        switch (link.kind) {
        case outsidelinks::Kind::Encloses:
            log(tr("错误：链接指向源文件夹本身或其上级文件夹，无法打包: %1 -> %2").arg(link.path, link.target));
            refused = true;
            break;
        case outsidelinks::Kind::Missing:
            log(tr("警告：链接的目标不存在，未打包此链接: %1 -> %2").arg(link.path, link.target));
            break;
        case outsidelinks::Kind::Copy:
            log(tr("链接指向源文件夹以外，打包其目标的副本: %1 -> %2").arg(link.path, link.target));
            break;
        }
    }
    return !refused;
}

void Worker::discardStoppedRun(const QString &archivePath, const QString &outputPath, bool productStarted)
{
    if (productStarted)
        QFile::remove(outputPath);
    QFile::remove(QFileInfo(archivePath).absoluteFilePath());
    Q_EMIT logMessage(tr("错误：制作已中止，未完成的文件已删除"));
}

bool Worker::waitForOutput(QProcess &process, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!stopRequested()) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return false;
        if (process.waitForReadyRead(int(qMin<qint64>(left, qMax(1, m_timing.stopPollMs)))))
            return true;
        if (process.state() == QProcess::NotRunning)
            return false;
    }
    return false;
}

// As QProcess::waitForFinished: false for a process that is not running.
bool Worker::waitForExit(QProcess &process, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!stopRequested() && process.state() != QProcess::NotRunning) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return false;
        if (process.waitForFinished(int(qMin<qint64>(left, qMax(1, m_timing.stopPollMs)))))
            return true;
    }
    return false;
}

void Worker::pause(int ms)
{
    QElapsedTimer clock;
    clock.start();
    for (qint64 left = ms; left > 0 && !stopRequested(); left = ms - clock.elapsed())
        QThread::msleep(static_cast<unsigned long>(qMin<qint64>(left, qMax(1, m_timing.stopPollMs))));
}

// Asks first, so the tool can remove its own half-written files, then kills.
void Worker::stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(m_timing.stopGraceMs)) {
        process.kill();
        process.waitForFinished(m_timing.stopGraceMs);
    }
}
