#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// What counts as a main program of a source folder, and what the product made
// from it is called. Every place that lists or accepts a main program asks
// here, so the list, the chooser, the check before a run and the worker's log
// agree.
namespace mainprogram {

// Whether the file `name` directly inside `folderPath` can be a main program.
// On Windows: a file named "*.exe". Elsewhere: a regular, non-hidden file (not
// a link, not a shared library) that is named "*.exe" or has its owner's
// execute bit and starts with the ELF magic or "#!".
bool isMainProgram(const QString &folderPath, const QString &name);

// "*.so" and "*.so.N..." name shared libraries, which are never main programs.
bool isSharedLibraryName(const QString &name);

// The entry of `names` (main programs of `folderPath`) to preselect: a program
// named like the folder, else a "#!" launcher, else an ELF executable, else
// any other; ties go alphabetically. Empty when `names` is.
QString preferredMainProgram(const QString &folderPath, const QStringList &names);

// The entries of `names` that share the best of those ranks, alphabetically;
// the first is the one preselected.
QStringList likeliestMainPrograms(const QString &folderPath, const QStringList &names);

// The main programs at the top of `folderPath`, in the order `sort` gives.
QStringList mainPrograms(const QString &folderPath, QDir::SortFlags sort = QDir::Name);

// The product's file name for a main program: its base name (without folders,
// cut before the first dot) and ".exe" on Windows; elsewhere ".exe" only when
// the main program's own name ends in it, so "socat" gives "socat" and
// "run.sh" gives "run".
QString productFileName(const QString &mainExeName);

} // namespace mainprogram
