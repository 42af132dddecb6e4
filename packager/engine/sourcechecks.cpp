#include "sourcechecks.h"

#include "productlayout.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>

namespace sourcechecks {

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

bool isSameOrBelow(const QString &path, const QString &folder)
{
    if (path.isEmpty() || folder.isEmpty())
        return false;
    const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return path.compare(folder, kPathCase) == 0 || path.startsWith(base, kPathCase);
}

#ifndef Q_OS_WIN
// The target text as the link holds it, which is what the archiver stores.
QString storedTarget(const QString &linkPath)
{
    QByteArray buffer(4096, Qt::Uninitialized);
    const ssize_t n = ::readlink(QFile::encodeName(linkPath).constData(), buffer.data(), size_t(buffer.size()));
    return n < 0 ? QString() : QFile::decodeName(buffer.left(n));
}
#endif

} // namespace

QString outputFolderProblem(const QString &folder)
{
    if (folder.isEmpty())
        return qt_error_string(ENOENT);
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return qt_error_string(ENOTDIR);
    // Creating a file is the one test that knows about permissions, access
    // lists, read-only disks and missing folders alike.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".crateforge-probe-XXXXXX")));
    if (probe.open())
        return {};
    return probe.errorString();
}

ProductPlace productPlace(const QString &sourceFolder, const QString &outputDir, const QString &productPath)
{
    const QString source = QFileInfo(sourceFolder).canonicalFilePath();
    if (source.isEmpty())
        return {};
    // A name already in the output folder may be a link: writing the product
    // follows it to whatever file it names.
    const QFileInfo product(productPath);
    if (product.exists()) {
        const QString target = product.canonicalFilePath();
        if (isSameOrBelow(target, source))
            return {Place::ReplacesSourceFile, target};
    }
    const QFileInfo output(outputDir);
    if (output.isDir() && isSameOrBelow(output.canonicalFilePath(), source))
        return {Place::InsideSource, QString()};
    return {};
}

#ifdef Q_OS_WIN
// The archiver here packs what a link points to, never the link itself.
QList<Link> linksLeavingFolder(const QString &)
{
    return {};
}
#else
QList<Link> linksLeavingFolder(const QString &sourceFolder)
{
    QList<Link> links;
    const QDir root(QFileInfo(sourceFolder).absoluteFilePath());
    QDirIterator it(sourceFolder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo entry = it.fileInfo();
        if (!entry.isSymLink())
            continue;
        const QString relative = root.relativeFilePath(entry.absoluteFilePath());
        const QString target = storedTarget(entry.filePath());
        if (!linkStaysInside(int(relative.count(QLatin1Char('/'))), target))
            links.append({relative, target});
    }
    std::sort(links.begin(), links.end(), [](const Link &a, const Link &b) { return a.path < b.path; });
    return links;
}
#endif

bool linkStaysInside(int depth, const QString &target)
{
    return productlayout::linkStaysInside(std::size_t(depth), QFile::encodeName(target).toStdString());
}

} // namespace sourcechecks
