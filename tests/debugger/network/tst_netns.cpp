#include "../windowstores.h"
#include "mainwindow.h"
#include "widgetlookup.h"
#include "tcp_client.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QThread>
#include <QToolButton>
#include <QUdpSocket>

#include <sched.h>

#include <cerrno>
#include <cstring>

// What may not happen on the machine's own network (a broadcast, a connection
// attempt that runs into its time-out) happens here inside a network
// namespace of the test's own: the process leaves the machine's namespace
// before anything else, and a veth pair is the only way out of it.
namespace {
bool g_isolated = false;
QString g_isolationError;

const char kNearEnd[] = "10.99.0.1";
const char kSilentHost[] = "10.99.0.3";
} // namespace

class tst_NetNs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { clearWrenpostStores(); }
    void broadcastReachesTheLink();
    void pendingAttemptBoundsShutdown();

private:
    static bool ip(const QStringList &arguments, QString *output = nullptr)
    {
        QProcess process;
        process.start(QStringLiteral("ip"), arguments);
        if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            return false;
        if (output)
            *output = QString::fromLocal8Bit(process.readAllStandardOutput());
        return true;
    }
};

void tst_NetNs::initTestCase()
{
    if (!g_isolated)
        QSKIP(qPrintable(QStringLiteral("cannot create a network namespace here (%1); needs root or user namespaces")
                             .arg(g_isolationError)));

    // Make sure this really is a fresh namespace before anything is sent.
    QString links;
    if (!ip({QStringLiteral("-o"), QStringLiteral("link"), QStringLiteral("show")}, &links))
        QSKIP("the ip tool (iproute2) is not usable");
    if (links.trimmed().split(QLatin1Char('\n')).size() != 1 || !links.contains(QStringLiteral(" lo:")))
        QFAIL("the namespace is not empty; refusing to send anything");

    const QList<QStringList> setup{
        {QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("lo"), QStringLiteral("up")},
        {QStringLiteral("link"), QStringLiteral("add"), QStringLiteral("wpv0"), QStringLiteral("type"), QStringLiteral("veth"),
         QStringLiteral("peer"), QStringLiteral("name"), QStringLiteral("wpv1")},
        {QStringLiteral("addr"), QStringLiteral("add"), QStringLiteral("10.99.0.1/24"), QStringLiteral("dev"), QStringLiteral("wpv0")},
        {QStringLiteral("addr"), QStringLiteral("add"), QStringLiteral("10.99.0.2/24"), QStringLiteral("dev"), QStringLiteral("wpv1")},
        {QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("wpv0"), QStringLiteral("up")},
        {QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("wpv1"), QStringLiteral("up")},
        {QStringLiteral("route"), QStringLiteral("add"), QStringLiteral("default"), QStringLiteral("dev"), QStringLiteral("wpv0")},
        // A neighbour that exists only on paper: its frames go out and nobody
        // answers, so a connection attempt runs into its time-out.
        {QStringLiteral("neigh"), QStringLiteral("add"), QString::fromLatin1(kSilentHost), QStringLiteral("lladdr"),
         QStringLiteral("02:00:00:00:00:03"), QStringLiteral("dev"), QStringLiteral("wpv0"), QStringLiteral("nud"),
         QStringLiteral("permanent")},
    };
    for (const QStringList &step : setup) {
        if (!ip(step))
            QSKIP(qPrintable(QStringLiteral("cannot set up the namespace's links: ip %1").arg(step.join(QLatin1Char(' ')))));
    }
}

void tst_NetNs::broadcastReachesTheLink()
{
    QUdpSocket listener;
    QVERIFY(listener.bind(QHostAddress::AnyIPv4, 0, QUdpSocket::ShareAddress));
    const quint16 port = listener.localPort();

    MainWindow window;
    window.show();
    child<QToolButton>(window, "UDPButton")->click();
    // A broadcast leaves through the link, not from a loopback-bound socket.
    child<QLineEdit>(window, "Local_IP")->setText(QStringLiteral("0.0.0.0"));
    child<QLineEdit>(window, "Local_Port")->setText(QStringLiteral("0"));
    child<QLineEdit>(window, "Obj_IP")->setText(QString::fromLatin1(kNearEnd));
    child<QCheckBox>(window, "HexSend")->setChecked(false);
    child<QCheckBox>(window, "SendNewLine")->setChecked(false);
    child<QCheckBox>(window, "UdpBroadcast")->setChecked(true);
    child<QLineEdit>(window, "Obj_Port")->setText(QString::number(port));
    child<QPushButton>(window, "Connect")->click();
    child<QTextEdit>(window, "Send_msg")->setPlainText(QStringLiteral("to everybody"));
    child<QPushButton>(window, "Send")->click();

    QTRY_VERIFY(listener.hasPendingDatagrams());
    const QNetworkDatagram datagram = listener.receiveDatagram();
    QCOMPARE(datagram.data(), QByteArray("to everybody"));
    QCOMPARE(datagram.destinationAddress().toIPv4Address(), QHostAddress(QHostAddress::Broadcast).toIPv4Address());
    child<QPushButton>(window, "Disconnect")->click();
}

void tst_NetNs::pendingAttemptBoundsShutdown()
{
    // The transport alone: the attempt fails after its 30 s, not before, and
    // says so.
    QThread thread;
    auto *client = new TCP_Client;
    client->moveToThread(&thread);
    thread.start();
    QElapsedTimer clock;
    clock.start();
    qint64 failedAfterMs = -1;
    QObject receiver;
    connect(client, &TCP_Client::ConnectFailed, &receiver, [&] { failedAfterMs = clock.elapsed(); });
    QMetaObject::invokeMethod(client, [client] { client->ConnectToServer(QString::fromLatin1(kSilentHost), 80); },
                              Qt::QueuedConnection);

    // At the same time, the window: nothing is sent while the attempt is
    // pending, and closing the window does not wait for the attempt.
    auto *window = new MainWindow;
    window->show();
    child<QToolButton>(*window, "TCPClient")->click();
    child<QCheckBox>(*window, "DnsAnalysis")->setChecked(false);
    child<QLineEdit>(*window, "Obj_IP")->setText(QString::fromLatin1(kSilentHost));
    child<QLineEdit>(*window, "Obj_Port")->setText(QStringLiteral("80"));
    child<QPushButton>(*window, "Connect")->click();
    QVERIFY(!child<QPushButton>(*window, "Send")->isEnabled());
    QTest::qWait(500);

    QElapsedTimer closing;
    closing.start();
    delete window;
    QVERIFY2(closing.elapsed() < 1000, qPrintable(QString::number(closing.elapsed())));

    QTRY_VERIFY_WITH_TIMEOUT(failedAfterMs >= 0, 40000);
    QVERIFY2(failedAfterMs >= 29000 && failedAfterMs < 40000, qPrintable(QString::number(failedAfterMs)));
    thread.quit();
    thread.wait();
    delete client;
}

int main(int argc, char **argv)
{
    // Before Qt starts any thread, so that every thread lives in the namespace.
    if (unshare(CLONE_NEWNET) == 0)
        g_isolated = true;
    else
        g_isolationError = QString::fromLocal8Bit(std::strerror(errno));

    QApplication app(argc, argv);
    tst_NetNs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_netns.moc"
