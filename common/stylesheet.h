#pragma once

class QApplication;

// Applies ":/qss/default.css" from the program's resource bundle to the whole
// application. Returns true only when a non-empty sheet was applied.
bool loadStyleSheet(QApplication &app);
