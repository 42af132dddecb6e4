#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

class Worker;

// The rules for a run that need no widget, shared by the window and the
// command line: the compression choices and their archiver switches, the
// check of the inputs, the work folder, and the one call that starts a run.
namespace runrules {

// The three compression choices. Each has its values as the user names them,
// in the order of the window's list, and one default.
enum class Setting { Level, Method, Dictionary };

// "store" ... "ultra"; "LZMA", "LZMA2"; "64K" ... "64M".
const QStringList &choices(Setting setting);
QString defaultChoice(Setting setting);

// The value at a list position; any other position (none selected included)
// gives the default.
QString choiceAt(Setting setting, int index);

// The list position of `value`, compared without case; -1 when it is none.
int choiceIndex(Setting setting, const QString &value);

// The list position for a stored setting: a value ("ultra"), or a position as
// earlier versions stored it (5). A position that fits no list stays as it is,
// so the list shows no selection and the run takes the default.
int storedChoiceIndex(Setting setting, const QVariant &stored);

// Switch texts for a list's current index; any other index (none selected
// included) gives the default ("5", "LZMA", "16M").
QString compressionLevelArg(int index);
QString compressionMethodArg(int index);
QString dictionarySizeArg(int index);

// What the user asked of a run, in the user's own terms.
struct RunChoices
{
    QString folderPath;
    QString mainExeName;
    QString outputDir;
    QString iconPath;
    QString level = defaultChoice(Setting::Level);
    QString method = defaultChoice(Setting::Method);
    QString dictionary = defaultChoice(Setting::Dictionary);
};

// Queues the run on the worker's thread; the worker reports through its signals.
void startRun(Worker *worker, const RunChoices &run, const QString &archivePath);

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
    OutputInsideSource,
    IconNotImage
};

// The checks before a run, in order; the first that fails is returned. The
// output folder's checks are the worker's own, asked first for a clear box.
InputProblem checkInputs(const QString &folderPath, const QString &mainExeName, const QString &outputPath,
                         QString *detail = nullptr);

// Creates a new folder "Crateforge_" + the time as yyyyMMddhhmmss under
// `tempPath`, private to the user. A name already taken (another window started
// in the same second, or anyone's folder in a shared temporary folder) is never
// reused: "_2", "_3" ... follow. Empty when no folder could be created.
// checkInputs, then the icon: one named in the field must be an image; one that
// names no file is left to the run, which then takes the main program's own icon.
InputProblem checkRun(const RunChoices &run, QString *detail = nullptr);

// The refusal the user reads for a problem, in the interface language.
QString inputProblemText(InputProblem problem, const RunChoices &run, const QString &detail);

QString createWorkFolder(const QString &tempPath, const QDateTime &now);

} // namespace runrules
