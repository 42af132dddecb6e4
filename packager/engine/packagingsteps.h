#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The pieces of a packaging run that need no process and no file: the
// archiver's command line, the configuration block, the output name and the
// reading of the archiver's progress output.
namespace packaging {

// The archiver's arguments for packing the content of `folderPath` (not the
// folder itself) into `archivePath`. An empty `dictionarySize` leaves the
// archiver's default dictionary.
QStringList archiverArguments(const QString &archivePath, const QString &folderPath, const QString &compressionLevel,
                              const QString &compressionMethod, const QString &dictionarySize);

// The main program's name without folders, cut before its first dot.
QString productBaseName(const QString &mainExeName);

// The UTF-8 configuration block that follows the self-extractor module.
QByteArray configurationBlock(const QString &mainExeName);

QString outputFilePath(const QString &outputDir, const QString &mainExeName);

// Reads the archiver's standard output chunk by chunk and reports the first
// percentage of each chunk. Digits at the end of one chunk are kept for the
// next, so a number split between two reads ("4" then "5%") reads as 45.
class ProgressReader
{
public:
    std::optional<int> feed(const QString &chunk);

private:
    QString m_pendingDigits;
};

// Waits of the archiver run, in milliseconds. Tests shorten them to drive a
// silent or hung archiver through every path in seconds.
struct ArchiverTimeouts
{
    int startMs = 5000;
    int silenceMs = 30000;
    int finishMs = 30000;
    int stopMs = 5000;
};

ArchiverTimeouts archiverTimeouts();
void setArchiverTimeouts(const ArchiverTimeouts &timeouts);

} // namespace packaging
