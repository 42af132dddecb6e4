#include "outsidelinks.h"

#include "sourcechecks.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace outsidelinks {

namespace {

bool isSameOrAbove(const QString &folder, const QString &path)
{
    return path == folder || folder == QLatin1String("/") || path.startsWith(folder + QLatin1Char('/'));
}

bool copyFile(const QString &from, const QString &to, QString *reason)
{
    // A device or a pipe would be read for ever, or give different bytes at
    // every start; only files and folders are copied.
    if (!QFileInfo(from).isFile()) {
        *reason = QCoreApplication::translate("Worker", "%1 不是文件或文件夹").arg(from);
        return false;
    }
    QFile source(from);
    QFile::remove(to);
    if (!source.copy(to)) {
        *reason = source.errorString();
        return false;
    }
    QFile::setPermissions(to, QFileInfo(from).permissions());
    return true;
}

bool makeFolder(const QString &path, QFileDevice::Permissions permissions, QString *reason)
{
    if (!QDir().mkpath(path)) {
        *reason = QCoreApplication::translate("Worker", "无法创建 %1").arg(path);
        return false;
    }
    QFile::setPermissions(path, permissions | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return true;
}

bool copyTree(const QString &from, const QString &to, QString *reason)
{
    if (!makeFolder(to, QFileInfo(from).permissions(), reason))
        return false;
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir root(from);
    while (it.hasNext()) {
        it.next();
        const QFileInfo entry = it.fileInfo();
        const QString copy = to + QLatin1Char('/') + root.relativeFilePath(entry.filePath());
        if (entry.isSymLink()) {
            if (entry.isFile() && !copyFile(entry.filePath(), copy, reason))
                return false;
        } else if (entry.isDir()) {
            if (!makeFolder(copy, entry.permissions(), reason))
                return false;
        } else if (entry.isFile() && !copyFile(entry.filePath(), copy, reason)) {
            return false;
        }
    }
    return true;
}

} // namespace

QList<Link> classify(const QString &sourceFolder)
{
    const QString source = QFileInfo(sourceFolder).canonicalFilePath();
    QList<Link> links;
    for (const sourcechecks::Link &found : sourcechecks::linksLeavingFolder(sourceFolder)) {
        Link link{found.path, found.target, QFileInfo(sourceFolder + QLatin1Char('/') + found.path).canonicalFilePath()};
        if (link.resolved.isEmpty())
            link.kind = Kind::Missing;
        else if (isSameOrAbove(link.resolved, source))
            link.kind = Kind::Encloses;
        links.append(link);
    }
    return links;
}

QString stage(const QList<Link> &links, const QString &sourceFolder, const QString &stageFolder)
{
    if (!QDir().mkpath(stageFolder))
        return QCoreApplication::translate("Worker", "无法创建 %1").arg(stageFolder);
    for (const Link &link : links) {
        if (link.kind != Kind::Copy)
            continue;
        QString reason;
        // The folders on the way are added to the archive again, so they keep
        // the source's modes.
        const QStringList parts = link.path.split(QLatin1Char('/'));
        QString relative;
        for (qsizetype i = 0; i + 1 < parts.size() && reason.isEmpty(); ++i) {
            relative += (i ? QStringLiteral("/") : QString()) + parts[i];
            makeFolder(stageFolder + QLatin1Char('/') + relative,
                       QFileInfo(sourceFolder + QLatin1Char('/') + relative).permissions(), &reason);
        }
        const QString copy = stageFolder + QLatin1Char('/') + link.path;
        const bool copied = reason.isEmpty()
            && (QFileInfo(link.resolved).isDir() ? copyTree(link.resolved, copy, &reason)
                                                 : copyFile(link.resolved, copy, &reason));
        if (!copied)
            return QStringLiteral("%1 -> %2: %3").arg(link.path, link.target, reason);
    }
    return {};
}

QStringList exclusions(const QList<Link> &links)
{
    QStringList switches;
    for (const Link &link : links)
        switches << QStringLiteral("-xr-!") + link.path;
    return switches;
}

} // namespace outsidelinks
