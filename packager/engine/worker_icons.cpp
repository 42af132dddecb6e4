#include "worker.h"

#include "iconsource.h"
#include "packagingsteps.h"
#include "toolfolder.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QThread>

#include <sys/stat.h>

#include <memory>

namespace {

constexpr qint64 kChunk = 1024 * 1024;

// An editor run that overran its wait is stopped before anything else
// happens, so it can never write into the executable behind the later steps.
void stopEditor(QProcess &process, int waitMs)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill();
    process.waitForFinished(waitMs);
}

bool sameContent(const QString &a, const QString &b)
{
    QFile first(a);
    QFile second(b);
    if (!first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly) || first.size() != second.size())
        return false;
    while (!first.atEnd()) {
        if (first.read(kChunk) != second.read(kChunk))
            return false;
    }
    return true;
}

// Puts the backup's bytes back under the executable's name in one rename, so
// a reader never sees a half-restored file.
bool restoreFromBackup(const QString &exePath, const QString &backupPath)
{
    QFile backup(backupPath);
    QSaveFile target(exePath);
    if (!backup.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly))
        return false;
    while (!backup.atEnd()) {
        const QByteArray chunk = backup.read(kChunk);
        if (chunk.isEmpty() || target.write(chunk) != chunk.size()) {
            target.cancelWriting();
            return false;
        }
    }
    if (!target.commit())
        return false;
    return QFile::setPermissions(exePath, QFile::permissions(backupPath));
}

// Each call writes its icon file into a folder of its own under the tool
// folder's "crateforge-icons", so two programs giving icons at the same
// moment never hand the editor each other's file.
std::unique_ptr<QTemporaryDir> makeIconFolder(const QString &toolFolder)
{
    const QString parent = toolFolder + QStringLiteral("/crateforge-icons");
    ::mkdir(QFile::encodeName(parent).constData(), 0700);
    if (!isPrivateWorkFolder(parent))
        return nullptr;
    auto folder = std::make_unique<QTemporaryDir>(parent + QStringLiteral("/run-XXXXXX"));
    return folder->isValid() ? std::move(folder) : nullptr;
}

// An ELF program or a script has no resources an icon could come from, so
// finding none there is no fault worth a warning.
bool hasNoIconPlace(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(4);
    return start == QByteArray("\x7f" "ELF") || start.startsWith("#!");
}

} // namespace

QByteArray Worker::extractIconFromExe(const QString &exePath)
{
    return extractIcon(exePath, nullptr);
}

QByteArray Worker::extractIcon(const QString &exePath, bool *noIconPlace)
{
    const iconsource::Result rendered = iconsource::renderFirstIcon(exePath);
    if (rendered.status == iconsource::Status::NoIcon) {
        const bool plain = hasNoIconPlace(exePath);
        if (noIconPlace)
            *noIconPlace = plain;
        Q_EMIT logMessage(plain ? tr("主程序没有图标，制作出的程序将不带图标") : tr("警告：无法从EXE提取图标"));
        return {};
    }
    if (rendered.status == iconsource::Status::NoIconInfo) {
        Q_EMIT logMessage(tr("错误：无法获取图标信息"));
        return {};
    }

    // QImage rather than QPixmap: this runs on the worker thread, where
    // pixmaps are not safe on every platform; the scaling and the ICO
    // writer are the same for both.
    QImage image = rendered.image;
    if (image.isNull()) {
        Q_EMIT logMessage(tr("错误：无法将图标转换为位图"));
        return {};
    }
    if (!(image.width() > 255 && image.height() > 255))
        image = image.scaled(QSize(256, 256), Qt::KeepAspectRatio, Qt::SmoothTransformation);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "ICO", -1)) {
        Q_EMIT logMessage(tr("错误：图标转换失败"));
        return {};
    }
    buffer.close();
    Q_EMIT logMessage(tr("成功提取图标，大小: %1 字节").arg(bytes.size()));
    return bytes;
}

bool Worker::replaceExeIcon(const QString &exePath, const QByteArray &iconData)
{
    Q_EMIT logMessage(tr("开始替换图标: %1").arg(exePath));

    const QString backupPath = exePath + QStringLiteral(".bak");
    if (QFile::exists(backupPath))
        QFile::remove(backupPath);
    if (!QFile::copy(exePath, backupPath)) {
        Q_EMIT logMessage(tr("错误：无法创建备份文件"));
        return false;
    }

    const QString toolFolder = toolFolderPath();
    const QString editorPath = toolFolder + QStringLiteral("/ResourceHacker.exe");
    if (toolFolder.isEmpty()
        || provideTool(m_tools.editor, editorPath) == ToolCopy::Failed) {
        Q_EMIT logMessage(tr("错误：无法复制ResourceHacker到临时目录"));
        return false;
    }

    const std::unique_ptr<QTemporaryDir> iconFolder = makeIconFolder(toolFolder);
    const QString iconPath = iconFolder ? iconFolder->filePath(QStringLiteral("temp_icon.ico")) : QString();
    {
        QFile iconFile(iconPath);
        if (!iconFolder || !iconFile.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || iconFile.write(iconData) != iconData.size()) {
            Q_EMIT logMessage(tr("错误：无法创建临时图标文件"));
            return false;
        }
    }
    Q_EMIT logMessage(tr("临时图标文件创建成功: %1").arg(iconPath));

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);

    Q_EMIT logMessage(tr("删除旧图标资源..."));
    process.start(editorPath, packaging::editorDeleteArguments(exePath));
    if (!waitForExit(process, m_timing.editorDeleteMs)) {
        stopEditor(process, m_timing.editorStopMs);
        Q_EMIT logMessage(tr("警告：ResourceHacker删除旧图标失败，可能原本没有图标"));
    }

    Q_EMIT logMessage(tr("添加新图标资源..."));
    process.start(editorPath, packaging::editorAddArguments(exePath, iconPath));
    const bool added = waitForExit(process, m_timing.editorAddMs) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
    if (!added) {
        stopEditor(process, m_timing.editorStopMs);
        // Whatever an earlier step did, the executable goes back to what it
        // was before this call (a stopped run removes it instead).
        if (!stopRequested() && !sameContent(exePath, backupPath))
            restoreFromBackup(exePath, backupPath);
        Q_EMIT logMessage(tr("错误：ResourceHacker添加新图标失败"));
        QFile::remove(iconPath);
        QFile::remove(backupPath);
        return false;
    }

    Q_EMIT logMessage(tr("更新图标缓存..."));
#ifdef Q_OS_WIN
    QProcess::startDetached(QStringLiteral("ie4uinit.exe"), {QStringLiteral("-ClearIconCache")});
#endif
    pause(m_timing.iconCachePauseMs);
#ifdef Q_OS_WIN
    QProcess::startDetached(QStringLiteral("ie4uinit.exe"), {QStringLiteral("-show")});
#endif
    pause(m_timing.iconCachePauseMs);
    iconsource::notifyIconsChanged();

    QFile::remove(iconPath);
    QFile::remove(backupPath);

    const QImage finalIcon(exePath);
    if (finalIcon.isNull())
        Q_EMIT logMessage(tr("警告：无法从EXE加载图标，可能需要重启资源管理器"));
    else
        Q_EMIT logMessage(tr("最终EXE图标尺寸: %1x%2").arg(finalIcon.width()).arg(finalIcon.height()));

    Q_EMIT logMessage(tr("图标替换完成"));
    return true;
}
