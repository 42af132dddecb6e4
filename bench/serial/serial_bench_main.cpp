// Streams data from a pseudo-terminal into a real Wrenpost window's serial page
// and reports whether every byte was counted and shown, how long the event
// loop stalls and how much memory it took.
//
//   wrenpost_serial_bench [--content hex|text|log] [--time on|off] [--lines on|off] [--seconds N] [--rate bytes/s] [--record]

#include "../common/benchsupport.h"
#include "channelcontroller.h"
#include "mainwindow.h"
#include "ptypeer.h"
#include "serial.h"
#include "serialportlist.h"

#include <QApplication>
#include <QAtomicInteger>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QComboBox>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

class MainWindowTestAccess
{
public:
    static Serial *service(MainWindow &window) { return static_cast<Serial *>(window.m_channels->service(Channel::Serial)); }
};

namespace {

// Writes `rate` bytes a second for `seconds` into the pseudo-terminal's master,
// paced by the clock on a thread of its own so that a busy GUI does not slow
// the stream.
class PacedWriter : public QThread
{
public:
    PacedWriter(PtyPeer &peer, qint64 rate, int seconds, bench::Content content)
        : m_peer(peer), m_rate(rate), m_seconds(seconds), m_pool(bench::streamPool(content)) {}
    ~PacedWriter() override
    {
        m_stop.storeRelease(1);
        wait();
    }
    qint64 total() const { return m_rate * m_seconds; }
    qint64 written() const { return m_written.loadAcquire(); }
    qint64 firstByteAt() const { return m_firstByte.loadAcquire(); }
    qint64 lastByteAt() const { return m_lastByte.loadAcquire(); }
    bool failed() const { return m_failed.loadAcquire() != 0; }
    const QByteArray &pool() const { return m_pool; }

protected:
    void run() override
    {
        const QByteArray &pool = m_pool;
        QElapsedTimer clock;
        clock.start();
        m_firstByte.storeRelease(QDateTime::currentMSecsSinceEpoch());
        qint64 sent = 0;
        while (sent < total() && !m_stop.loadAcquire()) {
            const qint64 due = qMin(total(), m_rate * clock.elapsed() / 1000);
            while (sent < due) {
                const qint64 n = qMin<qint64>(due - sent, pool.size() - sent % pool.size());
                if (!m_peer.write(QByteArray::fromRawData(pool.constData() + sent % pool.size(), n))) {
                    m_failed.storeRelease(1);
                    return;
                }
                sent += n;
                m_written.storeRelease(sent);
            }
            QThread::msleep(10);
        }
        m_lastByte.storeRelease(QDateTime::currentMSecsSinceEpoch());
        bench::notePeerThreadCpu();
    }

private:
    PtyPeer &m_peer;
    const qint64 m_rate;
    const int m_seconds;
    const QByteArray m_pool;
    QAtomicInt m_stop = 0;
    QAtomicInt m_failed = 0;
    QAtomicInteger<qint64> m_written = 0;
    QAtomicInteger<qint64> m_firstByte = 0;
    QAtomicInteger<qint64> m_lastByte = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    bench::addStreamOptions(parser);
    bench::addRecordOption(parser);
    parser.process(app);
    const bench::Stream stream = bench::streamFromOptions(parser);
    const bool hex = stream.hex;
    const bool stamps = stream.stamps;
    const int seconds = stream.seconds;
    const qint64 rate = stream.rate;

    PtyPeer peer;
    if (!peer.open()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    const QString path = peer.path();
    SerialPortList::setSource([path] { return QStringList{path}; });

    MainWindow window;
    window.show();
    window.findChild<QToolButton *>(QStringLiteral("serialButton"))->click();
    window.findChild<QCheckBox *>(QStringLiteral("DisplayHEX"))->setChecked(hex);
    window.findChild<QCheckBox *>(QStringLiteral("TimeDisplay"))->setChecked(stamps);
    window.findChild<QCheckBox *>(QStringLiteral("AutoSwitchLine_2"))->setChecked(stream.lines);
    window.findChild<QComboBox *>(QStringLiteral("BaudrateList"))->setCurrentText(QStringLiteral("512000"));
    // The page restores the port it had last, which may be a pseudo-terminal
    // of an earlier run: this run's own is chosen as a user would choose it.
    window.findChild<QComboBox *>(QStringLiteral("SerialList"))->setCurrentText(path);
    auto *area = window.findChild<QTextBrowser *>(QStringLiteral("DataRecive"));
    auto *countLabel = window.findChild<QLabel *>(QStringLiteral("ReciveCountLabel"));
    bench::settle();

    PacedWriter writer(peer, rate, seconds, stream.content);

    const bench::Arrivals arrivals(MainWindowTestAccess::service(window), &Serial::message, writer.total(),
                                   area->document());

    window.findChild<QPushButton *>(QStringLiteral("SerialOpen"))->click();
    QDeadlineTimer opened(10000);
    while (peer.slaveUsers() != 2 && !opened.hasExpired())
        QThread::msleep(5);
    if (peer.slaveUsers() != 2) {
        bench::settle();
        std::fprintf(stderr, "the page did not open %s: %s\n", qPrintable(path),
                     qPrintable(area->document()->lastBlock().text()));
        return 1;
    }

    const bench::RecordedStream recorded(MainWindowTestAccess::service(window), &Serial::message);
    bench::Recording recording(parser, area);
    bench::StallMeter stalls;
    bench::MemoryMeter memory;
    QTimer::singleShot((seconds + 120) * 1000, &app, &QCoreApplication::quit);
    writer.start();
    app.exec();
    stalls.stop();
    memory.stop();

    static const QRegularExpression stampLine(QStringLiteral("^\\d{4}\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}  Recive：$"),
                                              QRegularExpression::MultilineOption);
    const bench::Displayed displayed = bench::displayedBytes(area->document(), stampLine, hex);
    const bool fileExact = recording.finish(recorded, writer.pool(), hex, stampLine, stamps);
    const qint64 counted = countLabel->text().section(QStringLiteral("："), 1).remove(QRegularExpression(QStringLiteral("\\D"))).toLongLong();
    const qint64 cut = area->findChild<ReceiveDisplay *>()->cutBytes();

    std::printf("serial page over a pseudo-terminal: display=%s time=%s rate=%lld B/s seconds=%d\n",
                bench::displayName(stream), stamps ? "on" : "off", static_cast<long long>(rate), seconds);
    std::printf("  sent %lld bytes, counted %lld, displayed %lld + %lld that left the area, chunks %lld, stamp lines %lld, "
                "window lines %lld\n",
                static_cast<long long>(writer.written()), static_cast<long long>(counted),
                static_cast<long long>(displayed.bytes), static_cast<long long>(cut), static_cast<long long>(arrivals.chunks()),
                static_cast<long long>(displayed.stampLines), static_cast<long long>(displayed.windowLines));
    if (writer.failed())
        std::printf("  the writer could not keep up: the line stayed full for 10 s\n");
    bench::printTimings(writer.total(), writer.firstByteAt(), writer.lastByteAt(), arrivals, stalls);
    memory.print();
    bench::clearArea(window.findChild<QPushButton *>(QStringLiteral("ClearRecive")), memory.atStart());
    const bool whole = writer.written() == writer.total() && counted == writer.total()
                       && displayed.bytes + cut == writer.total() && (!recording.active() || fileExact)
                       && arrivals.bytes() == writer.total();
    return whole ? 0 : 1;
}
