#pragma once

#include <QSettings>
#include <QString>
#include <QWidget>

#include "widgetlookup.h"

// What Crateforge's window tests share: the window's settings store and its
// widgets found by object name.
inline QSettings store()
{
    return QSettings(QStringLiteral("Oxlo"), QStringLiteral("Crateforge"));
}
