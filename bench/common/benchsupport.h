#pragma once

// What the Wrenpost benchmarks share: the GUI-stall meter, peak memory, and
// the count of received bytes that a receive area shows.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <QStringTokenizer>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>

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

// The stream that both benchmarks replay: display, time stamps, length, rate.
struct Stream
{
    bool hex = true;
    bool stamps = true;
    int seconds = 30;
    qint64 rate = 1000000;
};

inline void addStreamOptions(QCommandLineParser &parser)
{
    parser.addOptions({{QStringLiteral("display"), QStringLiteral("hex or text"), QStringLiteral("mode"), QStringLiteral("hex")},
                       {QStringLiteral("time"), QStringLiteral("time stamps on or off"), QStringLiteral("on|off"), QStringLiteral("on")},
                       {QStringLiteral("seconds"), QStringLiteral("length of the stream"), QStringLiteral("s"), QStringLiteral("30")},
                       {QStringLiteral("rate"), QStringLiteral("bytes per second"), QStringLiteral("n"), QStringLiteral("1000000")}});
}

inline Stream streamFromOptions(const QCommandLineParser &parser)
{
    Stream stream;
    stream.hex = parser.value(QStringLiteral("display")) == QLatin1String("hex");
    stream.stamps = parser.value(QStringLiteral("time")) == QLatin1String("on");
    stream.seconds = parser.value(QStringLiteral("seconds")).toInt();
    stream.rate = parser.value(QStringLiteral("rate")).toLongLong();
    return stream;
}

// Counts what a receiver's signal hands the window, chunk by chunk, and ends
// the event loop once `total` bytes have been handed on. Connected after the
// window's own receiver, so a chunk counts once the window has shown it.
class Arrivals
{
public:
    template <typename Sender, typename Signal>
    Arrivals(Sender *sender, Signal signal, qint64 total)
    {
        QObject::connect(sender, signal, &m_context, [this, total](const QByteArray &bytes) {
            m_bytes += bytes.size();
            ++m_chunks;
            if (m_bytes >= total && !m_doneAt) {
                m_doneAt = QDateTime::currentMSecsSinceEpoch();
                QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
            }
        });
    }
    qint64 bytes() const { return m_bytes; }
    qint64 chunks() const { return m_chunks; }
    // Epoch milliseconds when the last byte was shown, or 0.
    qint64 doneAt() const { return m_doneAt; }

private:
    QObject m_context;
    qint64 m_bytes = 0;
    qint64 m_chunks = 0;
    qint64 m_doneAt = 0;
};

// The common tail of a benchmark's report: throughput, worst stall, memory.
inline void printTimings(qint64 total, qint64 firstByteAt, const Arrivals &arrivals, const StallMeter &stalls)
{
    const double elapsed = arrivals.doneAt() ? double(arrivals.doneAt() - firstByteAt) / 1000.0 : -1;
    if (elapsed > 0)
        std::printf("  all displayed after %.2f s = %.0f bytes/s\n", elapsed, double(total) / elapsed);
    else
        std::printf("  NOT all displayed within the limit\n");
    std::printf("  worst lateness of a 10 ms timer: %lld ms (ending %.1f s after the meter started)\n",
                static_cast<long long>(stalls.worstLateMs()), double(stalls.worstEndedAtMs()) / 1000.0);
    std::printf("  peak memory: %ld MiB\n", peakMemoryKiB() / 1024);
}

} // namespace bench
