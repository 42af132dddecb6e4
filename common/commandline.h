#pragma once

#include <QString>

#include <cstdio>

class QLocale;
class QTranslator;

// What a program says of itself outside its window: on the command line, to the
// desktop (its .desktop entry and icon) and in its version. Each program's library
// defines programIdentity(); the texts are source strings of the "CommandLine"
// translation context (mark them with QT_TRANSLATE_NOOP("CommandLine", ...)), so
// that each program's own catalogue carries them.
struct ProgramIdentity
{
    const char *command;         // the executable's name, as typed
    const char *version;
    const char *desktopFileName; // the .desktop entry's name without ".desktop"
    const char *iconPath;        // resource path of the window icon
    const char *usage;           // with %1 for the command
    const char *description;
    const char *optionsHeading;
    const char *helpOption;
    const char *versionOption;
    const char *unknownArgument; // with %1 for the command and %2 for the argument
    const char *commands;        // what the program does besides its window, or null
};

const ProgramIdentity &programIdentity();

// Writes the text to the stream at once, in the terminal's encoding.
void printText(FILE *stream, const QString &text);

// What the arguments ask of the program before any window exists.
enum class StartRequest { Window, Help, Version };

// Looks for -h/--help and -v/--version among the arguments (the first one found
// wins); everything else is left to the application object and the window.
StartRequest startRequest(int argc, const char *const *argv);

// The catalogue language for text printed on a terminal in the user's locale:
// Traditional or Simplified Chinese, else English.
QString commandLineLanguage(const QLocale &locale);

// Installs the catalogues of the language of the user's locale (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG) into the application while the translators live.
void installLocaleCatalogues(QTranslator &program, QTranslator &qt);

// Prints the help or the version on standard output, in the locale's language,
// without a display. Returns the exit status.
int answerStartRequest(StartRequest request, int argc, char *argv[], const ProgramIdentity &identity);

// The usage line and the reason on standard error, for arguments left over after
// the application object took its own. Returns the exit status (2).
int refuseArguments(const QStringList &leftOver, const ProgramIdentity &identity);
