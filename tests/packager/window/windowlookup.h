#pragma once

#include <QSettings>
#include <QString>
#include <QWidget>

// What Crateforge's window tests share: the window's settings store and its
// widgets found by object name.
inline QSettings store()
{
    return QSettings(QStringLiteral("Oxlo"), QStringLiteral("Crateforge"));
}

template <class T>
T *child(QWidget &window, const char *name)
{
    T *widget = window.findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qWarning("missing widget %s", name);
    return widget;
}
