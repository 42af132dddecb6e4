#pragma once

#include <QElapsedTimer>

// Keeps a timed send at its rate when the system delivers a tick late (a
// busy machine, a stalled event loop): each tick owes as many sends as
// periods have passed since the start, less those made, at most kMaxBurst
// at once; a longer stall is given up rather than sent in one burst.
class TickPace
{
public:
    static constexpr qint64 kMaxBurst = 100;

    void start(int periodMs)
    {
        m_period = qMax(1, periodMs);
        m_made = 0;
        m_clock.start();
    }

    // Sends owed at this tick: at least one.
    qint64 owed()
    {
        const qint64 due = m_clock.elapsed() / m_period;
        qint64 owed = qMax<qint64>(1, due - m_made);
        if (owed > kMaxBurst) {
            m_made = due - kMaxBurst;
            owed = kMaxBurst;
        }
        m_made += owed;
        return owed;
    }

private:
    QElapsedTimer m_clock;
    qint64 m_period = 1;
    qint64 m_made = 0;
};
