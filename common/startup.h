#pragma once

#include <QApplication>

#include "stylesheet.h"

// The warning shown when the style sheet could not be applied; start-up goes on.
void showStyleSheetWarning();

// The programs' main function: application object, style sheet, then the main
// window on this stack frame, so that its destructor runs after the event loop.
template <class Window>
int qMain(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (!loadStyleSheet(app))
        showStyleSheetWarning();
    Window window;
    window.show();
    return app.exec();
}
