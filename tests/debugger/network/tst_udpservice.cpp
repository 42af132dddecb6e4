#include "logcapture.h"
#include "nettestutil.h"
#include "udp_service.h"

#include <QNetworkDatagram>
#include <QTest>

class UdpDriver : public QObject
{
    Q_OBJECT

public:
    explicit UdpDriver(UDP_Service *service)
    {
        connect(this, &UdpDriver::udp_open, service, &UDP_Service::OpenUdp);
        connect(this, &UdpDriver::udp_close, service, &UDP_Service::CloseUdp);
        connect(this, &UdpDriver::udp_send, service, &UDP_Service::SendUdpMsg);
        connect(service, &UDP_Service::UdpModeMsg, this, [this](const QByteArray &payload) { payloads << payload; });
    }

    QList<QByteArray> payloads;

Q_SIGNALS:
    void udp_open(quint16 port);
    void udp_close();
    void udp_send(QByteArray msg, QString obj_ip, quint16 obj_port);
};

class tst_UdpService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void receiveEachDatagram_data();
    void receiveEachDatagram();
    void sendToPeer_data();
    void sendToPeer();
    void bindFailAndReopen();
    void sendBeforeOpenKeepsPort();

private:
    static bool bound(LogCapture &log, const char *line, int count = 1)
    {
        return log.count(QString::fromLatin1(line)) >= count;
    }
};

void tst_UdpService::receiveEachDatagram_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("ipv4") << QStringLiteral("127.0.0.1");
    QTest::newRow("ipv6") << QStringLiteral("::1");
}

void tst_UdpService::receiveEachDatagram()
{
    QFETCH(QString, address);
    if (address.contains(QLatin1Char(':')) && !nettest::hasIPv6Loopback())
        QSKIP("this machine has no IPv6 loopback");

    LogCapture log;
    nettest::ThreadedTransport<UDP_Service> service;
    UdpDriver driver(service.object);
    service.start();
    const quint16 port = nettest::freePort();
    emit driver.udp_open(port);
    QTRY_VERIFY(bound(log, "bind success"));

    // Keep the service busy so that the datagrams are all waiting together.
    QMetaObject::invokeMethod(service.object, [] { QThread::msleep(300); }, Qt::QueuedConnection);
    QUdpSocket peer;
    const QList<QByteArray> sent{QByteArray("one"), QByteArray(), QByteArray("three\x00", 6)};
    for (const QByteArray &payload : sent)
        peer.writeDatagram(payload, QHostAddress(address), port);

    QTRY_COMPARE(driver.payloads, sent);
    QCOMPARE(log.count(QStringLiteral("udp message.")), 3);
}

void tst_UdpService::sendToPeer_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("payloadSize");
    QTest::addColumn<bool>("arrives");

    QTest::newRow("ipv4") << QStringLiteral("127.0.0.1") << 5 << true;
    QTest::newRow("ipv6") << QStringLiteral("::1") << 5 << true;
    QTest::newRow("empty datagram") << QStringLiteral("127.0.0.1") << 0 << true;
    QTest::newRow("host name not resolved") << QStringLiteral("localhost") << 5 << false;
    QTest::newRow("garbage address") << QStringLiteral("1.2.3.4.5") << 5 << false;
    QTest::newRow("empty address") << QString() << 5 << false;
    QTest::newRow("too large for a datagram") << QStringLiteral("127.0.0.1") << 3 * 1024 * 1024 << false;
}

void tst_UdpService::sendToPeer()
{
    QFETCH(QString, target);
    QFETCH(int, payloadSize);
    QFETCH(bool, arrives);
    const bool v6 = target.contains(QLatin1Char(':'));
    if (v6 && !nettest::hasIPv6Loopback())
        QSKIP("this machine has no IPv6 loopback");

    QUdpSocket peer;
    QVERIFY(peer.bind(v6 ? QHostAddress::LocalHostIPv6 : QHostAddress::LocalHost, 0));
    nettest::ThreadedTransport<UDP_Service> service;
    UdpDriver driver(service.object);
    service.start();
    emit driver.udp_open(0);

    const QByteArray payload(payloadSize, 'p');
    emit driver.udp_send(payload, target, peer.localPort());
    // A marker sent afterwards proves that the service kept working.
    emit driver.udp_send("marker", v6 ? QStringLiteral("::1") : QStringLiteral("127.0.0.1"), peer.localPort());

    QList<QByteArray> got;
    for (int i = 0; i < 100 && !got.contains("marker"); ++i) {
        peer.waitForReadyRead(50);
        while (peer.hasPendingDatagrams())
            got << peer.receiveDatagram().data();
    }
    if (arrives)
        QCOMPARE(got, (QList<QByteArray>{payload, QByteArray("marker")}));
    else
        QCOMPARE(got, QList<QByteArray>{QByteArray("marker")});
}

void tst_UdpService::bindFailAndReopen()
{
    const quint16 port = nettest::freePort();
    QUdpSocket occupant;
    QVERIFY(occupant.bind(QHostAddress::Any, port, QAbstractSocket::DontShareAddress));

    LogCapture log;
    nettest::ThreadedTransport<UDP_Service> service;
    UdpDriver driver(service.object);
    service.start();
    emit driver.udp_open(port);
    QTRY_VERIFY(bound(log, "bind fail"));
    QVERIFY(!log.contains(QStringLiteral("bind success")));

    occupant.close();
    for (int round = 0; round < 3; ++round) {
        emit driver.udp_close();
        emit driver.udp_open(port);
        QTRY_VERIFY(bound(log, "bind success", round + 1));
        QUdpSocket peer;
        peer.writeDatagram("again", QHostAddress::LocalHost, port);
        QTRY_COMPARE(driver.payloads.size(), round + 1);
    }
}

void tst_UdpService::sendBeforeOpenKeepsPort()
{
    QUdpSocket peer;
    QVERIFY(peer.bind(QHostAddress::LocalHost, 0));
    const quint16 port = nettest::freePort();

    LogCapture log;
    nettest::ThreadedTransport<UDP_Service> service;
    UdpDriver driver(service.object);
    // Queued while the thread is stopped: the send runs ahead of the open.
    emit driver.udp_send("early", QStringLiteral("127.0.0.1"), peer.localPort());
    emit driver.udp_open(port);
    service.start();

    QTRY_VERIFY(peer.hasPendingDatagrams());
    QCOMPARE(peer.receiveDatagram().data(), QByteArray("early"));
    QTRY_VERIFY(bound(log, "bind success"));
    peer.writeDatagram("reply", QHostAddress::LocalHost, port);
    QTRY_COMPARE(driver.payloads, QList<QByteArray>{QByteArray("reply")});
}

QTEST_GUILESS_MAIN(tst_UdpService)
#include "tst_udpservice.moc"
