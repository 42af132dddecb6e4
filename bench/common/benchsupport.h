#pragma once

// What the Wrenpost benchmarks share: the streams, the GUI-stall meter, peak
// memory, and the count of received bytes that a receive area shows.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include "receivedisplay.h"

#include <sys/resource.h>

#include <atomic>
#include <ctime>

#include <algorithm>
#include <utility>

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

// Lets a window just shown be polished, laid out and painted before the
// stream and the stall meter start, so that the meter sees the stream's
// stalls and not the window's first show.
inline void settle()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

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
    qsizetype windowLines = 0;
};

// A line the window writes itself (a status line such as the peer's close,
// the bare time stamp before it, or the line saying how much has left the
// area): never part of a stream, which is ASCII and whose stamp lines carry a
// label.
inline bool isWindowLine(const QString &line)
{
    static const QRegularExpression bareStamp(QStringLiteral("^\\d{4}\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}$"));
    // A line break within a paragraph is one of the stream's line ends.
    return std::any_of(line.cbegin(), line.cend(), [](QChar c) { return c.unicode() > 0x7F && c != QChar::LineSeparator; })
           || (line.size() == 23 && bareStamp.match(line).hasMatch());
}

// Accounts for every byte in a receive area, paragraph by paragraph (no copy
// of the whole text, which would add its size to the peak memory): time-stamp
// lines and the window's own lines out (`stampLine` matches one whole line),
// then hex pairs or characters counted. A paragraph that goes on a received
// entry begun above it (user state -1, see ReceiveDisplay) follows one of the
// stream's own line ends.
inline Displayed displayedBytes(const QTextDocument *document, const QRegularExpression &stampLine, bool hex)
{
    constexpr qsizetype kLongestStampLine = 64;
    Displayed result;
    qint64 characters = 0;
    qint64 lineEnds = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString line = block.text();
        if (line.size() <= kLongestStampLine && stampLine.match(line).hasMatch()) {
            ++result.stampLines;
            continue;
        }
        if (line.size() <= kLongestStampLine && isWindowLine(line)) {
            ++result.windowLines;
            continue;
        }
        // A paragraph with user data was ended softly, without a line end.
        if (block.userState() == -1 && !block.userData())
            ++lineEnds;
        characters += hex ? line.size() - line.count(u' ') : line.size();
    }
    result.bytes = hex ? characters / 2 : characters + lineEnds;
    return result;
}

// Resident memory now, in MiB.
inline long residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? long(fields.at(1).toLongLong() * 4096 / (1024 * 1024)) : -1;
}

// CPU seconds the whole process has used, all its threads.
inline double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The peers a benchmark runs on threads of its own (the paced senders) are
// not the window's work: each adds its thread's CPU time here once its stream
// is out, and the report gives the window's share apart.
inline std::atomic<double> &peerCpuSeconds()
{
    static std::atomic<double> seconds{0};
    return seconds;
}

inline void notePeerThreadCpu()
{
    timespec used{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
    const double seconds = double(used.tv_sec) + double(used.tv_nsec) / 1e9;
    std::atomic<double> &total = peerCpuSeconds();
    double before = total.load();
    while (!total.compare_exchange_weak(before, before + seconds)) {
    }
}

// Resident memory once a second: at the meter's start, after its first
// minute, and the largest seen after that minute.
class MemoryMeter
{
public:
    MemoryMeter() : m_atStart(residentMiB())
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const long now = residentMiB();
            if (++m_seconds == 60)
                m_afterMinute = now;
            if (m_seconds > 60)
                m_peakAfterMinute = qMax(m_peakAfterMinute, now);
            m_minutePeak = qMax(m_minutePeak, now);
            if (m_seconds % 60 == 0) {
                m_minutePeaks.append(m_minutePeak);
                m_minutePeak = 0;
            }
        });
        m_timer.start(1000);
    }
    void stop() { m_timer.stop(); }
    void print() const
    {
        std::printf("  resident memory: %ld MiB at the start", m_atStart);
        if (m_afterMinute >= 0)
            std::printf(", %ld MiB after the first minute", m_afterMinute);
        if (m_peakAfterMinute >= 0)
            std::printf(", at most %ld MiB after it", m_peakAfterMinute);
        std::printf(", %ld MiB now\n", residentMiB());
        // Growth shows as a rise from minute to minute; a bounded area as
        // the same peak each minute.
        if (m_minutePeaks.size() > 1) {
            std::printf("  the largest resident memory of each minute, MiB:");
            for (const long peak : m_minutePeaks)
                std::printf(" %ld", peak);
            std::printf("\n");
        }
    }
    long atStart() const { return m_atStart; }

private:
    QTimer m_timer;
    const long m_atStart;
    int m_seconds = 0;
    long m_afterMinute = -1;
    long m_peakAfterMinute = -1;
    long m_minutePeak = 0;
    QList<long> m_minutePeaks;
};

// Empties the area with the page's button and reports how long that took
// and the memory before and after, against `atStart`.
template <typename Button>
void clearArea(Button *button, long atStart)
{
    const long before = residentMiB();
    QElapsedTimer clock;
    clock.start();
    button->click();
    const qint64 clearMs = clock.elapsed();
    QCoreApplication::processEvents();
    std::printf("  the clear button took %lld ms; resident memory %ld MiB before, %ld MiB after (%+ld MiB against the start)\n",
                static_cast<long long>(clearMs), before, residentMiB(), residentMiB() - atStart);
}

// What the paced senders write: random bytes (hex), letters without a blank or
// line end (text), or log-like lines of 40 to 120 printable characters, each
// ended by a line feed (log).
enum class Content { Hex, Text, Log };

inline QByteArray streamPool(Content content)
{
    QByteArray pool;
    pool.reserve(256 * 1024 + 128);
    QRandomGenerator *random = QRandomGenerator::global();
    while (pool.size() < 256 * 1024) {
        switch (content) {
        case Content::Hex:
            pool += char(random->generate() & 0xFF);
            break;
        case Content::Text:
            pool += char('a' + random->bounded(26));
            break;
        case Content::Log: {
            const int length = random->bounded(40, 121);
            for (int i = 0; i < length; ++i)
                pool += char(random->bounded(0x20, 0x7F));
            pool += '\n';
            break;
        }
        }
    }
    return pool;
}

// The stream that both benchmarks replay: display, time stamps, length, rate.
struct Stream
{
    Content content = Content::Hex;
    bool hex = true;
    bool stamps = true;
    // "换行显示": each batch on a line of its own.
    bool lines = true;
    int seconds = 30;
    qint64 rate = 1000000;
};

inline void addStreamOptions(QCommandLineParser &parser)
{
    // Not "display": the xcb platform takes "--display NAME" for itself.
    parser.addOptions({{QStringLiteral("content"), QStringLiteral("hex, text (no blank, no line end) or log (text lines)"),
                        QStringLiteral("mode"), QStringLiteral("hex")},
                       {QStringLiteral("time"), QStringLiteral("time stamps on or off"), QStringLiteral("on|off"), QStringLiteral("on")},
                       {QStringLiteral("lines"), QStringLiteral("each batch on a line of its own, on or off"), QStringLiteral("on|off"),
                        QStringLiteral("on")},
                       {QStringLiteral("seconds"), QStringLiteral("length of the stream"), QStringLiteral("s"), QStringLiteral("30")},
                       {QStringLiteral("rate"), QStringLiteral("bytes per second"), QStringLiteral("n"), QStringLiteral("1000000")}});
}

inline const char *displayName(const Stream &stream)
{
    return stream.content == Content::Log ? "log" : stream.content == Content::Text ? "text" : "hex";
}

inline Stream streamFromOptions(const QCommandLineParser &parser)
{
    Stream stream;
    const QString display = parser.value(QStringLiteral("content"));
    stream.content = display == QLatin1String("log") ? Content::Log
                     : display == QLatin1String("text") ? Content::Text
                                                        : Content::Hex;
    stream.hex = stream.content == Content::Hex;
    stream.stamps = parser.value(QStringLiteral("time")) == QLatin1String("on");
    stream.lines = parser.value(QStringLiteral("lines")) == QLatin1String("on");
    stream.seconds = parser.value(QStringLiteral("seconds")).toInt();
    stream.rate = parser.value(QStringLiteral("rate")).toLongLong();
    return stream;
}

// Counts what a receiver's signal hands the window, chunk by chunk. Once
// `total` bytes have been handed on, waits until the receive area has not
// changed for half a second (it may write what it received later), takes the
// end of its last change as the time all was shown, and ends the loop.
class Arrivals
{
public:
    template <typename Sender, typename Signal>
    Arrivals(Sender *sender, Signal signal, qint64 total, QTextDocument *shown)
    {
        // Stamped once the change (and the layout it brings) is over.
        QObject::connect(shown, &QTextDocument::contentsChange, &m_context, [this] {
            ++m_changes;
            QTimer::singleShot(0, &m_context, [this] { m_lastChange = QDateTime::currentMSecsSinceEpoch(); });
        });
        QObject::connect(sender, signal, &m_context, [this, total](const QByteArray &bytes) {
            m_bytes += bytes.size();
            ++m_chunks;
            if (m_bytes >= total && !m_quiet.isActive() && !m_doneAt) {
                m_changesSeen = m_changes;
                m_quiet.start(kQuietMs);
            }
        });
        QObject::connect(&m_quiet, &QTimer::timeout, &m_context, [this] {
            if (m_changes != m_changesSeen) {
                m_changesSeen = m_changes;
                return;
            }
            m_quiet.stop();
            m_doneAt = m_lastChange;
            QCoreApplication::quit();
        });
    }
    qint64 bytes() const { return m_bytes; }
    qint64 chunks() const { return m_chunks; }
    // Epoch milliseconds when the last byte was shown, or 0.
    qint64 doneAt() const { return m_doneAt; }

private:
    static constexpr int kQuietMs = 500;
    QObject m_context;
    QTimer m_quiet;
    qint64 m_bytes = 0;
    qint64 m_chunks = 0;
    qint64 m_changes = 0;
    qint64 m_changesSeen = 0;
    qint64 m_lastChange = 0;
    qint64 m_doneAt = 0;
};

// Checks a record file against the stream that was received: for each chunk
// handed to the window, in order, a line end before it (but the first), a
// time-stamp line when stamps are on, then the chunk as shown (hex pairs, or
// the stream's printable text and line feeds as they are), and nothing after.
// Reads the file piece by piece, so the check adds little to the peak memory.
class RecordedStream
{
public:
    template <typename Sender, typename Signal>
    RecordedStream(Sender *sender, Signal signal)
    {
        QObject::connect(sender, signal, &m_context, [this](const QByteArray &bytes) { m_chunks.append(bytes.size()); });
    }

    bool matches(const QString &path, const QByteArray &pool, bool hex, const QRegularExpression &stampLine,
                 bool stamps) const
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        qint64 offset = 0;
        bool first = true;
        for (qsizetype i = 0; i < m_chunks.size(); ++i) {
            QByteArray chunk;
            chunk.reserve(m_chunks.at(i));
            while (chunk.size() < m_chunks.at(i)) {
                const qint64 at = (offset + chunk.size()) % pool.size();
                chunk.append(pool.constData() + at, qMin<qint64>(pool.size() - at, m_chunks.at(i) - chunk.size()));
            }
            offset += chunk.size();
            // A long chunk is shown, and recorded, in parts.
            for (qsizetype at = 0; at < chunk.size();) {
                const qsizetype length = ReceiveDisplay::partLength(QByteArrayView(chunk).sliced(at), hex);
                if (!std::exchange(first, false) && file.read(1) != "\n")
                    return fail(i, "no line end between entries");
                if (stamps) {
                    QByteArray line = file.readLine(256);
                    if (!line.endsWith('\n') || !stampLine.match(QString::fromUtf8(line.chopped(1))).hasMatch())
                        return fail(i, "no time-stamp line");
                }
                const QByteArray part = chunk.mid(at, length);
                const QByteArray shown = hex ? part.toHex(' ') : part;
                if (file.read(shown.size()) != shown)
                    return fail(i, "the entry differs");
                at += length;
            }
        }
        // Lines the window adds after the stream (the peer's close) are not the stream's.
        QByteArray rest = file.read(4096);
        if (!rest.isEmpty() && (!rest.startsWith('\n') || !file.atEnd()))
            return fail(m_chunks.size(), "more after the last entry");
        if (!rest.isEmpty())
            std::printf("  record file, after the stream:%s\n", rest.replace('\n', "\n    ").constData());
        return true;
    }

private:
    static bool fail(qsizetype chunk, const char *why)
    {
        std::printf("  record file, entry %lld: %s\n", static_cast<long long>(chunk), why);
        return false;
    }

    QObject m_context;
    QList<qint64> m_chunks;
};

inline void addRecordOption(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("record"), QStringLiteral("record the receive area into a temporary file and check it")});
}

// With --record, the receive area is recorded into a file in a temporary
// folder from before the first byte; finish() ends the recording and checks
// the file.
class Recording
{
public:
    Recording(const QCommandLineParser &parser, QTextBrowser *area) : m_area(area)
    {
        if (!parser.isSet(QStringLiteral("record")))
            return;
        m_display = area->findChild<ReceiveDisplay *>();
        m_path = m_folder.filePath(QStringLiteral("record.txt"));
        if (!m_display || !m_display->startRecording(m_path)) {
            std::printf("  cannot record into %s\n", qPrintable(m_path));
            m_display = nullptr;
        }
    }
    bool active() const { return m_display != nullptr; }

    bool finish(const RecordedStream &recorded, const QByteArray &pool, bool hex, const QRegularExpression &stampLine,
                bool stamps)
    {
        if (!m_display)
            return false;
        m_display->stopRecording();
        QElapsedTimer clock;
        clock.start();
        const bool exact = recorded.matches(m_path, pool, hex, stampLine, stamps);
        std::printf("  record file: %lld bytes, %s (checked in %.1f s); the area holds %lld characters\n",
                    static_cast<long long>(QFileInfo(m_path).size()), exact ? "exact" : "NOT exact",
                    double(clock.elapsed()) / 1000.0,
                    static_cast<long long>(m_area->document()->characterCount()));
        return exact;
    }

private:
    QTemporaryDir m_folder;
    QString m_path;
    QTextBrowser *m_area;
    ReceiveDisplay *m_display = nullptr;
};

// The common tail of a benchmark's report: throughput, worst stall, memory.
inline void printTimings(qint64 total, qint64 firstByteAt, qint64 lastByteAt, const Arrivals &arrivals,
                         const StallMeter &stalls)
{
    const double elapsed = arrivals.doneAt() ? double(arrivals.doneAt() - firstByteAt) / 1000.0 : -1;
    if (elapsed > 0)
        std::printf("  all displayed after %.2f s = %.0f bytes/s, %.2f s after the last byte was sent\n", elapsed,
                    double(total) / elapsed, double(arrivals.doneAt() - lastByteAt) / 1000.0);
    else
        std::printf("  NOT all displayed within the limit\n");
    std::printf("  worst lateness of a 10 ms timer: %lld ms (ending %.1f s after the meter started)\n",
                static_cast<long long>(stalls.worstLateMs()), double(stalls.worstEndedAtMs()) / 1000.0);
    const double cpu = cpuSeconds();
    const double peers = peerCpuSeconds().load();
    std::printf("  peak memory: %ld MiB; CPU time of the process: %.1f s, of which the paced peer's %.1f s: the "
                "window's %.1f s\n",
                peakMemoryKiB() / 1024, cpu, peers, cpu - peers);
}

} // namespace bench
