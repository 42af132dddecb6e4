#pragma once

#include "quickcommand.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The quick-command file: UTF-8 text, one "key=value" per line, a command
// starting at each "name=" line and taking the "text", "hex", "newline" and
// "delay" lines that follow it. Blank lines and lines starting with "#" are
// ignored. Values are taken as written after the first "="; in "name" and
// "text", \n, \r, \t and \\ stand for a line feed, a carriage return, a tab
// and a backslash. The settings keep the list in the same form.

struct QuickCommandFileError
{
    int line;        // counted from 1
    QString message; // translated
};

struct QuickCommandFileContents
{
    QList<QuickCommand> commands;
    QList<QuickCommandFileError> errors;
    bool ok() const { return errors.isEmpty(); }
};

QByteArray writeQuickCommands(const QList<QuickCommand> &commands);
// Every line is read, so that all mistakes are named at once; a command on a
// line with a mistake is left out.
QuickCommandFileContents readQuickCommands(const QByteArray &file);
