#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Links in a source folder that a product could not unpack as links, because
// they lead out of its install folder (see sourcechecks::linksLeavingFolder).
// Such a link is packed as a copy of what it points to; one whose target is
// missing is left out; one that points to the source folder itself or to a
// folder above it cannot be copied and refuses the run.
namespace outsidelinks {

enum class Kind { Copy, Missing, Encloses };

struct Link
{
    QString path;     // relative to the source folder
    QString target;   // as stored in the link
    QString resolved; // what it leads to after every link on the way, empty when missing
    Kind kind = Kind::Copy;
};

QList<Link> classify(const QString &sourceFolder);

// Writes a copy of what each Copy link leads to (a file, or a folder's tree)
// under `stageFolder`, at the link's own path; the folders on the way get the
// modes of the source folder's. Links inside a copied tree are followed to
// files and left out when they lead to folders or nothing. Empty on success,
// otherwise the link and the system's reason.
QString stage(const QList<Link> &links, const QString &sourceFolder, const QString &stageFolder);

// The archiver switches that keep every one of `links` out of an archive of
// the source folder (each matches only that path).
QStringList exclusions(const QList<Link> &links);

} // namespace outsidelinks
