#include "toolfolder.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

bool isSharedFolder(const struct stat &st)
{
    return st.st_uid != ::geteuid() || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

// An existing folder of ours that nobody else can reach into or swap.
bool isPrivateFolder(const QByteArray &path)
{
    struct stat st;
    if (::lstat(path.constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// Compared in slices, so neither copy is ever held whole in memory.
bool sameContent(const QString &toolPath, const QString &resourcePath)
{
    QFile tool(toolPath);
    QFile resource(resourcePath);
    if (!tool.open(QIODevice::ReadOnly) || !resource.open(QIODevice::ReadOnly) || tool.size() != resource.size())
        return false;
    QByteArray a(65536, Qt::Uninitialized);
    QByteArray b(65536, Qt::Uninitialized);
    for (;;) {
        const qint64 n = tool.read(a.data(), a.size());
        if (n < 0 || resource.read(b.data(), n) != n)
            return false;
        if (n == 0)
            return true;
        if (std::memcmp(a.constData(), b.constData(), size_t(n)) != 0)
            return false;
    }
}

} // namespace

QString toolFolderPath()
{
    const QString temp = QDir::tempPath();
    struct stat st;
    if (::stat(QFile::encodeName(temp).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    if (!isSharedFolder(st))
        return temp;

    const QString own = temp + QStringLiteral("/crateforge-") + QString::number(::geteuid());
    const QByteArray ownName = QFile::encodeName(own);
    if (::mkdir(ownName.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    // A folder that was already there counts only if it is ours and private;
    // anything else may have been planted by another user of the shared folder.
    return isPrivateFolder(ownName) ? own : QString();
}

bool isTrustedTool(const QString &filePath)
{
    struct stat st;
    if (::lstat(QFile::encodeName(filePath).constData(), &st) != 0)
        return false;
    return S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool isPrivateWorkFolder(const QString &folderPath)
{
    struct stat st;
    if (::lstat(QFile::encodeName(folderPath).constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

ToolCopy provideTool(const QString &resourcePath, const QString &toolPath)
{
    const QByteArray name = QFile::encodeName(toolPath);
    struct stat st;
    if (::lstat(name.constData(), &st) == 0) {
        // An older build left by an earlier version, or a damaged copy, would
        // end up in every product: only the very bytes carried here are used.
        if (isTrustedTool(toolPath) && sameContent(toolPath, resourcePath))
            return ToolCopy::Present;
        // Unlinking never follows a link, so a planted name is only removed.
        if (::unlink(name.constData()) != 0)
            return ToolCopy::Failed;
    }

    QFile resource(resourcePath);
    if (!resource.open(QIODevice::ReadOnly))
        return ToolCopy::Failed;
    // Written under a temporary name and renamed into place, so a run started
    // at the same time never executes a half-copied tool.
    QSaveFile copy(toolPath);
    copy.setDirectWriteFallback(false);
    if (!copy.open(QIODevice::WriteOnly))
        return ToolCopy::Failed;
    char buffer[65536];
    for (;;) {
        const qint64 n = resource.read(buffer, sizeof buffer);
        if (n < 0)
            return ToolCopy::Failed;
        if (n == 0)
            break;
        if (copy.write(buffer, n) != n)
            return ToolCopy::Failed;
    }
    if (!copy.commit())
        return ToolCopy::Failed;
    if (!QFile::setPermissions(toolPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        return ToolCopy::Failed;
    return ToolCopy::Copied;
}
