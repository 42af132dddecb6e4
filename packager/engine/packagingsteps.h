#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The pieces of a packaging run that need no process and no file: the
// archiver's and the resource editor's command lines, the configuration block, the output name and the
// reading of the archiver's progress output.
namespace packaging {

// The archiver's arguments for packing the content of `folderPath` (not the
// folder itself) into `archivePath`. An empty `dictionarySize` leaves the
// archiver's default dictionary. Level "0" stores the files (method Copy,
// no dictionary) whatever method is named.
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

// The resource editor's two command lines: remove every icon group of
// `exePath`, then add `iconPath` as the icon group MAINICON. The executable is
// edited in place and named exactly as given.
QStringList editorDeleteArguments(const QString &exePath);
QStringList editorAddArguments(const QString &exePath, const QString &iconPath);

} // namespace packaging
