#pragma once

#include <QObject>
#include <QString>

// A window's widget found by its object name, for the window tests. A missing
// one is named in a warning and comes back null, so the check on it fails.
template <class T>
T *child(const QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qWarning("missing widget %s", name);
    return found;
}

template <class T>
T *child(const QObject &parent, const char *name)
{
    return child<T>(&parent, name);
}
