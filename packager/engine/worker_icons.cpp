#include "worker.h"

// Until icon extraction exists on this platform, every executable takes the
// "no icon" path, and the replacement fails where the editor would be copied.
QByteArray Worker::extractIconFromExe(const QString &)
{
    Q_EMIT logMessage(QStringLiteral("警告：无法从EXE提取图标"));
    return {};
}

bool Worker::replaceExeIcon(const QString &, const QByteArray &)
{
    Q_EMIT logMessage(QStringLiteral("错误：无法复制ResourceHacker到临时目录"));
    return false;
}
