#pragma once

#include <QString>
#include <QStringList>

// Checks of a run's folders made before anything is written: that the
// output folder takes files, that the product stays out of the source folder,
// and that every link in the source folder can be unpacked by a product.
namespace sourcechecks {

// Empty when a file can be created in `folder`; otherwise the system's reason
// (a missing folder, a file in its place, no permission, a read-only disk).
QString outputFolderProblem(const QString &folder);

enum class Place { Outside, ReplacesSourceFile, InsideSource };

struct ProductPlace
{
    Place place = Place::Outside;
    QString replaced; // ReplacesSourceFile: the source folder's file the product would overwrite
};

// Where the product at `productPath` (in `outputDir`) would land relative to
// `sourceFolder`, with every link on the way followed: over one of the
// source folder's files, elsewhere inside the source folder (where the next
// run would pack it into its own product), or outside it.
ProductPlace productPlace(const QString &sourceFolder, const QString &outputDir, const QString &productPath);

struct Link
{
    QString path;   // relative to the source folder
    QString target; // as stored in the link
};

// The links below `sourceFolder` that a product would refuse to unpack
// because they lead out of its install folder: an absolute target, one that
// climbs above the source folder, or a ".." after a name (which climbs from
// wherever that name leads). Links to folders are not followed into.
QList<Link> linksLeavingFolder(const QString &sourceFolder);

// The unpacking rule for one link whose name lies `depth` folders below the
// root: the same test the self-extractor applies.
bool linkStaysInside(int depth, const QString &target);

} // namespace sourcechecks
