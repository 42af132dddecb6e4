#include "quicksequence.h"

#include "quickcommandmodel.h"

QuickSequence::QuickSequence(const QuickCommandModel *model, QObject *parent) : QObject(parent), m_model(model)
{
    m_pause.setSingleShot(true);
    // The delays are the user's, in milliseconds; a coarse timer would stretch short ones.
    m_pause.setTimerType(Qt::PreciseTimer);
    connect(&m_pause, &QTimer::timeout, this, &QuickSequence::step);
}

void QuickSequence::start(bool loop)
{
    if (m_running || m_model->rowCount() == 0)
        return;
    m_loop = loop;
    m_next = 0;
    m_running = true;
    emit runningChanged(true);
    step();
}

void QuickSequence::stop()
{
    m_pause.stop();
    if (!m_running)
        return;
    m_running = false;
    emit runningChanged(false);
}

void QuickSequence::step()
{
    // The list may have changed during a pause: the run goes on from the
    // position it reached, in the list as it is now.
    if (m_next >= m_model->rowCount()) {
        if (!m_loop || m_model->rowCount() == 0) {
            stop();
            return;
        }
        m_next = 0;
    }
    const int row = m_next++;
    const int delay = m_model->at(row).delayMs;
    emit sendRequested(row);
    // A zero delay still waits for the event loop, so Stop and the window
    // stay responsive during a loop of commands without pauses.
    if (m_running)
        m_pause.start(delay);
}
