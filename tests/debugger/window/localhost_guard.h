#pragma once

#include <QFile>
#include <QHostInfo>
#include <QRegularExpression>
#include <QString>

// The window resolves the machine's own host name while it is built. Tests
// may only do that where the name is answered locally, never by a query that
// leaves the machine.
inline bool localHostNameResolvesLocally()
{
    const QString name = QHostInfo::localHostName();
    if (name.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    QFile hosts(QStringLiteral("/etc/hosts"));
    if (!hosts.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QRegularExpression blanks(QStringLiteral("\\s+"));
    while (!hosts.atEnd()) {
        QString line = QString::fromLocal8Bit(hosts.readLine());
        line = line.section(QLatin1Char('#'), 0, 0);
        const QStringList fields = line.split(blanks, Qt::SkipEmptyParts);
        for (int i = 1; i < fields.size(); ++i)
            if (fields.at(i).compare(name, Qt::CaseInsensitive) == 0)
                return true;
    }
    return false;
}

#define SKIP_UNLESS_LOCAL_HOST_NAME_IS_LOCAL()                                                     \
    do {                                                                                           \
        if (!localHostNameResolvesLocally())                                                       \
            QSKIP("the machine's host name is not in /etc/hosts; resolving it would query DNS");   \
    } while (false)
