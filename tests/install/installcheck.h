#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What an installation of both programs must hold, relative to its prefix.
QStringList expectedInstalledFiles();

// Every file (not folder) under root, relative to it, sorted.
QStringList filesUnder(const QString &root);

struct ToolResult
{
    bool started = false;
    int exitCode = -1;
    QString output; // standard output and standard error together
};

ToolResult runTool(const QString &program, const QStringList &arguments, int timeoutMs = 60000);

// The command line of a desktop entry's Exec key (no field codes are used).
QStringList desktopExec(const QString &desktopFile);

// Starts a program the way a menu does (its Exec line, found on binDir), from a
// folder outside the build, offscreen. It passes when the program reports the
// style sheet read from its own bundle and is still running afterwards.
// Returns an empty text on success, otherwise what went wrong.
QString startFromMenu(const QString &desktopFile, const QString &binDir, const QString &workDir);
