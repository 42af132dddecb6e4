// Streams data from a loopback peer into a real Wrenpost window and reports how
// fast it is shown, how long the event loop stalls and how much memory it took.
//
//   wrenpost_bench [--content hex|text|log] [--time on|off] [--lines on|off] [--seconds N] [--rate bytes/s] [--record]
//   wrenpost_bench --baseline [--seconds N] [--rate bytes/s]   (the same stream into socat > /dev/null)
//   wrenpost_bench --import BYTES [--plain]   (a file that is one word, imported into the send area)
//   wrenpost_bench --send-file BYTES   (a generated file sent by the window to a loopback peer, checked)
//   wrenpost_bench --timed-send MS [--seconds N]   (the page's timed send into a loopback peer, counted)

#include "../common/benchsupport.h"
#include "longwordwrap.h"
#include "channelcontroller.h"
#include "mainwindow.h"
#include "messagefiles.h"
#include "filesender.h"
#include "tcp_client.h"

#include <QApplication>
#include <QAtomicInteger>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextBrowser>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <cstring>

class MainWindowTestAccess
{
public:
    static TCP_Client *client(MainWindow &window) { return static_cast<TCP_Client *>(window.m_channels->service(Channel::TcpClient)); }
    static void sendFile(MainWindow &window, const QString &path) { window.startFileSend(MainWindow::kNetworkPage, path); }
    static bool fileSendRunning(MainWindow &window) { return window.m_fileSender[MainWindow::kNetworkPage]->isRunning(); }
};

namespace {

// Writes `rate` bytes a second for `seconds` to the first client, paced by the
// clock on a thread of its own so that a busy GUI does not slow the stream.
class PacedSender : public QThread
{
public:
    PacedSender(qint64 rate, int seconds, bench::Content content)
        : m_rate(rate), m_seconds(seconds), m_pool(bench::streamPool(content))
    {
        start();
        while (m_port.loadAcquire() == 0)
            QThread::msleep(1);
    }
    ~PacedSender() override
    {
        quit();
        wait();
    }
    quint16 port() const { return quint16(m_port.loadAcquire()); }
    qint64 total() const { return m_rate * m_seconds; }
    bool finished() const { return m_done.loadAcquire() != 0; }
    qint64 firstByteAt() const { return m_firstByte.loadAcquire(); }
    qint64 lastByteAt() const { return m_lastByte.loadAcquire(); }
    const QByteArray &pool() const { return m_pool; }

protected:
    void run() override
    {
        QTcpServer server;
        QTcpSocket *peer = nullptr;
        QElapsedTimer clock;
        qint64 sent = 0;
        const QByteArray &pool = m_pool;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 due = qMin(total(), m_rate * clock.elapsed() / 1000);
            while (sent < due) {
                const qint64 n = qMin<qint64>(due - sent, pool.size() - sent % pool.size());
                peer->write(pool.constData() + sent % pool.size(), n);
                sent += n;
            }
            if (sent >= total()) {
                tick.stop();
                peer->flush();
                m_lastByte.storeRelease(QDateTime::currentMSecsSinceEpoch());
                peer->disconnectFromHost();
                bench::notePeerThreadCpu();
                m_done.storeRelease(1);
            }
        });
        QObject::connect(&server, &QTcpServer::newConnection, [&] {
            if (peer)
                return;
            peer = server.nextPendingConnection();
            clock.start();
            m_firstByte.storeRelease(QDateTime::currentMSecsSinceEpoch());
            tick.start(10);
        });
        server.listen(QHostAddress::LocalHost, 0);
        m_port.storeRelease(server.serverPort());
        exec();
    }

private:
    const qint64 m_rate;
    const int m_seconds;
    const QByteArray m_pool;
    QAtomicInt m_port = 0;
    QAtomicInt m_done = 0;
    QAtomicInteger<qint64> m_firstByte = 0;
    QAtomicInteger<qint64> m_lastByte = 0;
};

// Imports a file of `bytes` letters without a blank into the shown window's
// send area as the page's import does (or, with `plain`, as a bare
// setPlainText into an area that always wraps at word boundaries, as before
// long words wrapped anywhere) and reports when the area had laid it out and painted it.
int runImport(qint64 bytes, bool plain)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("word.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(bytes, 'w')) != bytes)
        return 1;
    file.close();
    MainWindow window;
    window.show();
    auto *area = window.findChild<QTextEdit *>(QStringLiteral("Send_msg"));
    if (plain)
        delete area->findChild<LongWordWrap *>();
    bench::settle();

    QElapsedTimer clock;
    clock.start();
    const MessageFiles::Imported imported = MessageFiles::readTextFile(path);
    if (plain)
        area->setPlainText(imported.text);
    else
        area->findChild<LongWordWrap *>()->replaceText(imported.text);
    area->viewport()->repaint();
    QCoreApplication::processEvents();
    const qint64 shownMs = clock.elapsed();
    std::printf("import of %lld bytes in one word (%s): shown after %lld ms; %s\n", static_cast<long long>(bytes),
                plain ? "plain" : "as the page imports", static_cast<long long>(shownMs),
                area->toPlainText().size() == bytes ? "all of it in the area" : "NOT all in the area");
    return area->toPlainText().size() == bytes ? 0 : 1;
}

// A loopback peer on a thread of its own that takes one connection and
// counts what arrives; with a pool, it checks every byte against the pool
// repeated, and notes when `expected` bytes are in.
class CountingPeer : public QThread
{
public:
    CountingPeer(QByteArray pool, qint64 expected) : m_pool(std::move(pool)), m_expected(expected)
    {
        start();
        while (m_port.loadAcquire() == 0)
            QThread::msleep(1);
    }
    ~CountingPeer() override
    {
        quit();
        wait();
    }
    quint16 port() const { return quint16(m_port.loadAcquire()); }
    qint64 received() const { return m_received.loadAcquire(); }
    bool intact() const { return m_mismatch.loadAcquire() == 0; }
    // Epoch milliseconds when the expected bytes were all in, or 0.
    qint64 completeAt() const { return m_complete.loadAcquire(); }

protected:
    void run() override
    {
        QTcpServer server;
        QTcpSocket *peer = nullptr;
        qint64 received = 0;
        QObject::connect(&server, &QTcpServer::newConnection, [&] {
            if (peer)
                return;
            peer = server.nextPendingConnection();
            peer->setReadBufferSize(0);
            QObject::connect(peer, &QTcpSocket::readyRead, [&] {
                const QByteArray bytes = peer->readAll();
                if (!m_pool.isEmpty()) {
                    for (qsizetype at = 0; at < bytes.size();) {
                        const qsizetype offset = qsizetype((received + at) % m_pool.size());
                        const qsizetype n = qMin(bytes.size() - at, m_pool.size() - offset);
                        if (std::memcmp(bytes.constData() + at, m_pool.constData() + offset, size_t(n)) != 0)
                            m_mismatch.storeRelease(1);
                        at += n;
                    }
                }
                received += bytes.size();
                m_received.storeRelease(received);
                if (received >= m_expected && m_expected > 0 && !m_complete.loadAcquire())
                    m_complete.storeRelease(QDateTime::currentMSecsSinceEpoch());
            });
        });
        server.listen(QHostAddress::LocalHost, 0);
        m_port.storeRelease(server.serverPort());
        exec();
    }

private:
    const QByteArray m_pool;
    const qint64 m_expected;
    QAtomicInt m_port = 0;
    QAtomicInt m_mismatch = 0;
    QAtomicInteger<qint64> m_received = 0;
    QAtomicInteger<qint64> m_complete = 0;
};

// Opens the window's TCP client to `port` and waits until it can send.
bool connectWindow(MainWindow &window, quint16 port)
{
    window.findChild<QToolButton *>(QStringLiteral("TCPClient"))->click();
    window.findChild<QCheckBox *>(QStringLiteral("DnsAnalysis"))->setChecked(false);
    window.findChild<QCheckBox *>(QStringLiteral("DisplaySendMsg"))->setChecked(false);
    window.findChild<QLineEdit *>(QStringLiteral("Obj_IP"))->setText(QStringLiteral("127.0.0.1"));
    window.findChild<QLineEdit *>(QStringLiteral("Obj_Port"))->setText(QString::number(port));
    window.findChild<QPushButton *>(QStringLiteral("Connect"))->click();
    auto *send = window.findChild<QPushButton *>(QStringLiteral("Send"));
    QElapsedTimer clock;
    clock.start();
    while (!send->isEnabled() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return send->isEnabled();
}

// Sends a generated file of `bytes` bytes (a random pool repeated, its length
// prime so that no piece lines up with it) through the window's file send to
// a loopback peer that checks every byte.
int runSendFile(qint64 bytes)
{
    QByteArray pool(1000003, '\0');
    QRandomGenerator random(28);
    for (char &c : pool)
        c = char(random.generate() & 0xFF);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("payload.bin"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        for (qint64 written = 0; written < bytes;) {
            const qint64 n = qMin<qint64>(pool.size(), bytes - written);
            if (file.write(pool.constData(), n) != n)
                return 1;
            written += n;
        }
    }
    CountingPeer peer(pool, bytes);
    MainWindow window;
    window.show();
    bench::settle();
    if (!connectWindow(window, peer.port())) {
        std::printf("the window did not connect\n");
        return 1;
    }
    const long residentBefore = bench::residentMiB();
    const long peakBefore = bench::peakMemoryKiB() / 1024;
    const qint64 startedAt = QDateTime::currentMSecsSinceEpoch();
    MainWindowTestAccess::sendFile(window, path);
    QElapsedTimer limit;
    limit.start();
    while ((!peer.completeAt() || MainWindowTestAccess::fileSendRunning(window)) && limit.elapsed() < 600000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const double seconds = peer.completeAt() ? double(peer.completeAt() - startedAt) / 1000.0 : -1;
    const long peak = bench::peakMemoryKiB() / 1024;
    std::printf("sent %lld bytes in %.2f s (%.1f MB/s), peak memory %ld MiB\n", static_cast<long long>(peer.received()),
                seconds, seconds > 0 ? double(bytes) / seconds / 1e6 : 0.0, peak);
    std::printf("  resident %ld MiB before the send, peak %ld MiB before it: growth %+ld MiB; the peer got %s\n",
                residentBefore, peakBefore, peak - qMax(peakBefore, residentBefore),
                peer.intact() && peer.received() == bytes ? "every byte, in order" : "NOT the file");
    return peer.intact() && peer.received() == bytes ? 0 : 1;
}

// Runs the network page's timed send of one byte at `periodMs` for `seconds`
// into a loopback peer and reports sends a second, overall and per second.
int runTimedSend(int periodMs, int seconds)
{
    CountingPeer peer(QByteArray(), 0);
    MainWindow window;
    window.show();
    bench::settle();
    if (!connectWindow(window, peer.port()))
        return 1;
    window.findChild<QTextEdit *>(QStringLiteral("Send_msg"))->setPlainText(QStringLiteral("x"));
    window.findChild<QCheckBox *>(QStringLiteral("HexSend"))->setChecked(false);
    window.findChild<QCheckBox *>(QStringLiteral("SendNewLine"))->setChecked(false);
    window.findChild<QLineEdit *>(QStringLiteral("period"))->setText(QString::number(periodMs));
    QElapsedTimer clock;
    clock.start();
    window.findChild<QCheckBox *>(QStringLiteral("Timer_Send"))->click();
    qint64 lowest = -1, highest = 0, last = 0;
    for (int second = 1; second <= seconds; ++second) {
        while (clock.elapsed() < second * 1000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const qint64 now = peer.received();
        const qint64 inSecond = now - last;
        last = now;
        lowest = lowest < 0 ? inSecond : qMin(lowest, inSecond);
        highest = qMax(highest, inSecond);
    }
    window.findChild<QCheckBox *>(QStringLiteral("Timer_Send"))->click();
    const double elapsed = double(clock.elapsed()) / 1000.0;
    QThread::msleep(200);
    std::printf("timed send every %d ms for %d s: %lld sends, %.1f a second (each second between %lld and %lld)\n",
                periodMs, seconds, static_cast<long long>(peer.received()), double(peer.received()) / elapsed,
                static_cast<long long>(lowest), static_cast<long long>(highest));
    return 0;
}

int runBaseline(qint64 rate, int seconds)
{
    PacedSender sender(rate, seconds, bench::Content::Hex);
    QProcess socat;
    QElapsedTimer clock;
    clock.start();
    socat.start(QStringLiteral("socat"), {QStringLiteral("-u"), QStringLiteral("TCP:127.0.0.1:%1").arg(sender.port()),
                                          QStringLiteral("OPEN:/dev/null,wronly")});
    if (!socat.waitForFinished(seconds * 1000 + 60000)) {
        std::fprintf(stderr, "socat did not finish\n");
        return 1;
    }
    const double elapsed = clock.elapsed() / 1000.0;
    std::printf("baseline socat > /dev/null: %lld bytes in %.2f s = %.0f bytes/s\n",
                static_cast<long long>(sender.total()), elapsed, sender.total() / elapsed);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    bench::addStreamOptions(parser);
    parser.addOption({QStringLiteral("baseline"), QStringLiteral("stream into socat writing to /dev/null")});
    parser.addOption({QStringLiteral("import"), QStringLiteral("import a file of n letters without a blank"), QStringLiteral("n")});
    parser.addOption({QStringLiteral("plain"), QStringLiteral("with --import: a bare setPlainText")});
    parser.addOption({QStringLiteral("send-file"), QStringLiteral("send a generated file of n bytes to a loopback peer"), QStringLiteral("n")});
    parser.addOption({QStringLiteral("timed-send"), QStringLiteral("timed send of one byte every ms milliseconds"), QStringLiteral("ms")});
    bench::addRecordOption(parser);
    parser.process(app);
    const bench::Stream stream = bench::streamFromOptions(parser);
    const bool hex = stream.hex;
    const bool stamps = stream.stamps;
    const int seconds = stream.seconds;
    const qint64 rate = stream.rate;
    if (parser.isSet(QStringLiteral("baseline")))
        return runBaseline(rate, seconds);
    if (parser.isSet(QStringLiteral("send-file")))
        return runSendFile(parser.value(QStringLiteral("send-file")).toLongLong());
    if (parser.isSet(QStringLiteral("timed-send")))
        return runTimedSend(parser.value(QStringLiteral("timed-send")).toInt(), seconds);
    if (parser.isSet(QStringLiteral("import")))
        return runImport(parser.value(QStringLiteral("import")).toLongLong(), parser.isSet(QStringLiteral("plain")));

    PacedSender sender(rate, seconds, stream.content);
    MainWindow window;
    window.show();
    window.findChild<QToolButton *>(QStringLiteral("TCPClient"))->click();
    window.findChild<QCheckBox *>(QStringLiteral("DnsAnalysis"))->setChecked(false);
    window.findChild<QCheckBox *>(QStringLiteral("HexDisplay"))->setChecked(hex);
    window.findChild<QCheckBox *>(QStringLiteral("DisplayTime"))->setChecked(stamps);
    window.findChild<QCheckBox *>(QStringLiteral("AutoSwitchLine"))->setChecked(stream.lines);
    window.findChild<QLineEdit *>(QStringLiteral("Obj_IP"))->setText(QStringLiteral("127.0.0.1"));
    window.findChild<QLineEdit *>(QStringLiteral("Obj_Port"))->setText(QString::number(sender.port()));
    auto *area = window.findChild<QTextBrowser *>(QStringLiteral("Recive_msg"));
    bench::settle();

    const bench::Arrivals arrivals(MainWindowTestAccess::client(window), &TCP_Client::TcpClientModeMsg, sender.total(),
                                   area->document());
    const bench::RecordedStream recorded(MainWindowTestAccess::client(window), &TCP_Client::TcpClientModeMsg);
    bench::Recording recording(parser, area);
    bench::StallMeter stalls;
    bench::MemoryMeter memory;

    QTimer::singleShot((seconds + 120) * 1000, &app, &QCoreApplication::quit);
    window.findChild<QPushButton *>(QStringLiteral("Connect"))->click();
    app.exec();
    stalls.stop();
    memory.stop();

    static const QRegularExpression stampLine(QStringLiteral("^\\d{4}\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}   Recive$"),
                                              QRegularExpression::MultilineOption);
    const bool fileExact = recording.finish(recorded, sender.pool(), hex, stampLine, stamps);
    const bench::Displayed displayed = bench::displayedBytes(area->document(), stampLine, hex);
    const qint64 displayedBytes = displayed.bytes;
    const qsizetype stampCount = displayed.stampLines;

    std::printf("display=%s time=%s rate=%lld B/s seconds=%d\n", bench::displayName(stream), stamps ? "on" : "off",
                static_cast<long long>(rate), seconds);
    const qint64 cut = area->findChild<ReceiveDisplay *>()->cutBytes();
    std::printf("  sent %lld bytes, counted %lld, displayed %lld + %lld that left the area, batches %lld, stamp lines %lld, "
                "window lines %lld\n",
                static_cast<long long>(sender.total()), static_cast<long long>(arrivals.bytes()),
                static_cast<long long>(displayedBytes), static_cast<long long>(cut), static_cast<long long>(arrivals.chunks()),
                static_cast<long long>(stampCount), static_cast<long long>(displayed.windowLines));
    bench::printTimings(sender.total(), sender.firstByteAt(), sender.lastByteAt(), arrivals, stalls);
    memory.print();
    bench::clearArea(window.findChild<QPushButton *>(QStringLiteral("ClearMessage")), memory.atStart());
    // The area shows its newest part and says how much left; while
    // recording, the file is checked too.
    const bool shown = displayedBytes + cut == sender.total() && (!recording.active() || fileExact);
    return (shown && arrivals.bytes() == sender.total()) ? 0 : 1;
}
