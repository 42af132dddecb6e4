#pragma once

// What the Wrenpost benchmarks share: the GUI-stall meter, peak memory, and
// the count of received bytes that a receive area shows.

#include <QElapsedTimer>
#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <QStringTokenizer>
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
            const qint64 late = m_sinceTick.restart() - kPeriodMs;
            if (late > m_worstLateMs) {
                m_worstLateMs = late;
                m_worstEndedAtMs = m_sinceStart.elapsed();
            }
        });
        m_sinceStart.start();
        m_sinceTick.start();
        m_timer.start(kPeriodMs);
    }
    void stop() { m_timer.stop(); }
    qint64 worstLateMs() const { return m_worstLateMs; }
    // When the worst stall ended, counted from the meter's start.
    qint64 worstEndedAtMs() const { return m_worstEndedAtMs; }

private:
    static constexpr int kPeriodMs = 10;
    QTimer m_timer;
    QElapsedTimer m_sinceStart;
    QElapsedTimer m_sinceTick;
    qint64 m_worstLateMs = 0;
    qint64 m_worstEndedAtMs = 0;
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
// One pass over the lines, so that tens of MB are counted in seconds.
inline Displayed displayedBytes(const QString &shown, const QRegularExpression &stampLine, bool hex)
{
    constexpr qsizetype kLongestStampLine = 64;
    Displayed result;
    qint64 characters = 0;
    for (const QStringView line : qTokenize(shown, u'\n')) {
        if (line.size() <= kLongestStampLine && stampLine.match(line.toString()).hasMatch()) {
            ++result.stampLines;
            continue;
        }
        characters += hex ? line.size() - line.count(u' ') : line.size();
    }
    result.bytes = hex ? characters / 2 : characters;
    return result;
}

} // namespace bench
