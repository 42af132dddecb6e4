#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Message files of both pages: a text file loaded into a send area, a receive
// area saved to a file named by the time of the save.
namespace MessageFiles {

// Larger files are refused: a send area lays out its whole text on the GUI
// thread, about half a second per megabyte of ordinary lines, so tens of
// megabytes would hold the window for minutes.
constexpr qint64 kImportLimitBytes = 1024 * 1024;

enum class ReadError { None, CannotOpen, TooLarge, NotUtf8 };

struct Imported
{
    ReadError error = ReadError::None;
    QString text;
};

// The whole file, opened in text mode and decoded as UTF-8. Reads at most
// `limit` + 1 bytes, so an endless device cannot hold the caller.
Imported readTextFile(const QString &path, qint64 limit = kImportLimitBytes);

// `folder`, then `at` formatted with `pattern` (which begins with the
// separator), then ".txt".
QString exportPath(const QString &folder, const QDateTime &at, const QString &pattern);

// Creates or truncates `path` in text mode and writes `bytes`. False unless
// every byte reached the file (a full disk fails the writing, not the open).
bool writeTextFile(const QString &path, const QByteArray &bytes);

} // namespace MessageFiles
