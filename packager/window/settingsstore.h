#pragma once

#include <QSettings>

// Crateforge's settings store. Every read or write batch opens its own and
// lets it go at once.
inline QSettings openSettings()
{
    return QSettings(QStringLiteral("Oxlo"), QStringLiteral("Crateforge"));
}
