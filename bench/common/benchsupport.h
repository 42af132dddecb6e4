#pragma once

// What the Wrenpost benchmarks share: the GUI-stall meter, peak memory, and
// the count of received bytes that a receive area shows.

#include <QElapsedTimer>
#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <QTimer>

#include <sys/resource.h>

namespace bench {

// How late a 10 ms timer on the GUI thread fires at worst: how long the
// event loop was kept from running.
class StallMeter
{
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_worstLateMs = qMax(m_worstLateMs, m_sinceTick.restart() - kPeriodMs);
        });
        m_sinceTick.start();
        m_timer.start(kPeriodMs);
    }
    void stop() { m_timer.stop(); }
    qint64 worstLateMs() const { return m_worstLateMs; }

private:
    static constexpr int kPeriodMs = 10;
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    qint64 m_worstLateMs = 0;
};

// Peak resident memory of the process (ru_maxrss), in KiB.
inline long peakMemoryKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Displayed
{
    qint64 bytes = 0;
    qsizetype stampLines = 0;
};

// Accounts for every byte in a receive area's text: time-stamp lines out
// (`stampLine` matches one whole line), then hex pairs or characters counted.
inline Displayed displayedBytes(QString shown, const QRegularExpression &stampLine, bool hex)
{
    Displayed result;
    result.stampLines = shown.count(stampLine);
    shown.remove(stampLine);
    shown.remove(QLatin1Char('\n'));
    if (hex)
        shown.remove(QLatin1Char(' '));
    result.bytes = hex ? shown.size() / 2 : shown.size();
    return result;
}

} // namespace bench
