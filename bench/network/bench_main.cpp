// Streams data from a loopback peer into a real Wrenpost window and reports how
// fast it is shown, how long the event loop stalls and how much memory it took.
//
//   wrenpost_bench [--content hex|text|log] [--time on|off] [--seconds N] [--rate bytes/s] [--record]
//   wrenpost_bench --baseline [--seconds N] [--rate bytes/s]   (the same stream into socat > /dev/null)
//   wrenpost_bench --import BYTES [--plain]   (a file that is one word, imported into the send area)

#include "../common/benchsupport.h"
#include "longwordwrap.h"
#include "channelcontroller.h"
#include "mainwindow.h"
#include "messagefiles.h"
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

class MainWindowTestAccess
{
public:
    static TCP_Client *client(MainWindow &window) { return static_cast<TCP_Client *>(window.m_channels->service(Channel::TcpClient)); }
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
    bench::addRecordOption(parser);
    parser.process(app);
    const bench::Stream stream = bench::streamFromOptions(parser);
    const bool hex = stream.hex;
    const bool stamps = stream.stamps;
    const int seconds = stream.seconds;
    const qint64 rate = stream.rate;
    if (parser.isSet(QStringLiteral("baseline")))
        return runBaseline(rate, seconds);
    if (parser.isSet(QStringLiteral("import")))
        return runImport(parser.value(QStringLiteral("import")).toLongLong(), parser.isSet(QStringLiteral("plain")));

    PacedSender sender(rate, seconds, stream.content);
    MainWindow window;
    window.show();
    window.findChild<QToolButton *>(QStringLiteral("TCPClient"))->click();
    window.findChild<QCheckBox *>(QStringLiteral("DnsAnalysis"))->setChecked(false);
    window.findChild<QCheckBox *>(QStringLiteral("HexDisplay"))->setChecked(hex);
    window.findChild<QCheckBox *>(QStringLiteral("DisplayTime"))->setChecked(stamps);
    window.findChild<QCheckBox *>(QStringLiteral("AutoSwitchLine"))->setChecked(true);
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
