#include "logcapture.h"

#include <QMutexLocker>

namespace {
LogCapture *g_active = nullptr;
QMutex g_activeMutex;
}

LogCapture::LogCapture()
{
    QMutexLocker lock(&g_activeMutex);
    g_active = this;
    m_previous = qInstallMessageHandler(&LogCapture::handler);
}

LogCapture::~LogCapture()
{
    QMutexLocker lock(&g_activeMutex);
    qInstallMessageHandler(m_previous);
    g_active = nullptr;
}

void LogCapture::handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    QMutexLocker lock(&g_activeMutex);
    if (!g_active)
        return;
    {
        QMutexLocker entriesLock(&g_active->m_mutex);
        g_active->m_entries.append({type, message});
    }
    if (g_active->m_previous && type == QtFatalMsg)
        g_active->m_previous(type, context, message);
}

QList<LogCapture::Entry> LogCapture::entries() const
{
    QMutexLocker lock(&m_mutex);
    return m_entries;
}

QStringList LogCapture::messages() const
{
    QStringList out;
    for (const Entry &e : entries())
        out << e.message;
    return out;
}

QStringList LogCapture::messages(QtMsgType type) const
{
    QStringList out;
    for (const Entry &e : entries())
        if (e.type == type)
            out << e.message;
    return out;
}

bool LogCapture::contains(const QString &needle) const
{
    return count(needle) > 0;
}

int LogCapture::count(const QString &needle) const
{
    int n = 0;
    for (const Entry &e : entries())
        if (e.message.contains(needle))
            ++n;
    return n;
}

void LogCapture::clear()
{
    QMutexLocker lock(&m_mutex);
    m_entries.clear();
}
