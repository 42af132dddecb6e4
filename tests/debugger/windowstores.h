#pragma once

#include <QSettings>

// The two stores a Wrenpost window reads at construction and writes when it
// goes: its settings and, apart from them, the interface language.
inline QSettings wrenpostSettings()
{
    return QSettings(QStringLiteral("QuillonLabs"), QStringLiteral("Wrenpost\u200B"));
}

inline QSettings wrenpostLanguageStore()
{
    return QSettings(QStringLiteral("Crateforge"), QStringLiteral("Crateforge"));
}

// Windows keep what they were left with, so each case of a test that builds
// windows starts from empty stores: one case's options never become the next
// case's starting point.
inline void clearWrenpostStores()
{
    wrenpostSettings().clear();
    wrenpostLanguageStore().clear();
}
