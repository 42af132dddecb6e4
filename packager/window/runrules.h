#pragma once

#include <QDateTime>
#include <QString>

// The window's rules for a run that need no widget: the archiver switches of
// the three compression lists, the check of the inputs, the work folder.
namespace runrules {

// Switch texts for a list's current index; any other index (none selected
// included) gives the default ("5", "LZMA", "16M").
QString compressionLevelArg(int index);
QString compressionMethodArg(int index);
QString dictionarySizeArg(int index);

enum class InputProblem {
    None,
    NoFolder,
    FolderMissing,
    FolderUnreadable,         // `detail`: the system's reason
    NoMainProgram,
    MainProgramMissing,
    OutputNotFolder,
    OutputNotWritable,        // `detail`: the system's reason
    OutputReplacesSourceFile, // `detail`: the source folder's file the product would overwrite
    OutputInsideSource
};

// The checks before a run, in order; the first that fails is returned. The
// output folder's checks are the worker's own, asked first for a clear box.
InputProblem checkInputs(const QString &folderPath, const QString &mainExeName, const QString &outputPath,
                         QString *detail = nullptr);

// Creates a new folder "Crateforge_" + the time as yyyyMMddhhmmss under
// `tempPath`, private to the user. A name already taken (another window started
// in the same second, or anyone's folder in a shared temporary folder) is never
// reused: "_2", "_3" ... follow. Empty when no folder could be created.
QString createWorkFolder(const QString &tempPath, const QDateTime &now);

} // namespace runrules
