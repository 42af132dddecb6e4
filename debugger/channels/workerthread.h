#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>

// Ends a service's thread after everything already asked of the service.
// A quit() sent from here could end the thread's event loop in the middle of
// a sweep, before it delivered a close posted just before; the close would
// then wait for the next start of the thread. Queued behind that work instead,
// the quit runs on the thread once the work is done.
inline void stopWorkerThread(QThread *thread, QObject *worker)
{
    if (!thread->isRunning())
        return;
    QMetaObject::invokeMethod(worker, [thread] { thread->quit(); }, Qt::QueuedConnection);
    thread->wait();
}
