#pragma once

#include <QApplication>
#include <QIcon>

#include "commandline.h"
#include "stylesheet.h"

// The warning shown when the style sheet could not be applied; start-up goes on.
void showStyleSheetWarning();

// Version, desktop entry and window icon of the program, for every window.
void applyProgramIdentity(QGuiApplication &app, const ProgramIdentity &identity);

// The programs' main function: --help and --version are answered without a
// window or a display; otherwise the application object, the style sheet, then
// the main window on this stack frame, so that its destructor runs after the
// event loop. Arguments that neither Qt nor the program knows are refused.
template <class Window>
int qMain(int argc, char *argv[], const ProgramIdentity &identity)
{
    const StartRequest request = startRequest(argc, argv);
    if (request != StartRequest::Window)
        return answerStartRequest(request, argc, argv, identity);
    QApplication app(argc, argv);
    const QStringList leftOver = app.arguments().mid(1);
    if (!leftOver.isEmpty())
        return refuseArguments(leftOver, identity);
    applyProgramIdentity(app, identity);
    if (!loadStyleSheet(app))
        showStyleSheetWarning();
    Window window;
    window.show();
    return app.exec();
}
