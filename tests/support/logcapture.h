#pragma once

#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Captures Qt's message log (from any thread) while it is alive. Messages are
// kept exactly as Qt formats them for the default handler's message text.
class LogCapture
{
public:
    struct Entry
    {
        QtMsgType type;
        QString message;
    };

    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    QList<Entry> entries() const;
    QStringList messages() const;
    QStringList messages(QtMsgType type) const;
    bool contains(const QString &needle) const;
    int count(const QString &needle) const;
    void clear();

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);

    mutable QMutex m_mutex;
    QList<Entry> m_entries;
    QtMessageHandler m_previous = nullptr;
};
