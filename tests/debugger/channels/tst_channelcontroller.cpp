#include "../network/nettestutil.h"
#include "channelcontroller.h"

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using States = QList<ChannelState>;
Q_DECLARE_METATYPE(States)

class tst_ChannelController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void exchangeOverEachNetworkChannel_data();
    void exchangeOverEachNetworkChannel();
    void failureEndsTheChannel_data();
    void failureEndsTheChannel();
    void oneNetworkChannelAtATime();

private:
    // What the controller reported for one channel, in order.
    States statesOf(Channel channel) const
    {
        States states;
        for (const QList<QVariant> &call : *m_states)
            if (call.at(0).value<Channel>() == channel)
                states << call.at(1).value<ChannelState>();
        return states;
    }

    std::unique_ptr<ChannelController> m_channels;
    std::unique_ptr<QSignalSpy> m_states;
};

void tst_ChannelController::init()
{
    m_channels = std::make_unique<ChannelController>();
    m_states = std::make_unique<QSignalSpy>(m_channels.get(), &ChannelController::stateChanged);
}

void tst_ChannelController::cleanup()
{
    m_states.reset();
    m_channels.reset();
}

void tst_ChannelController::exchangeOverEachNetworkChannel_data()
{
    QTest::addColumn<Channel>("channel");
    QTest::addColumn<QString>("address");
    for (const QString &address : {QStringLiteral("127.0.0.1"), QStringLiteral("::1")}) {
        const QByteArray family = address.contains(QLatin1Char(':')) ? "ipv6" : "ipv4";
        QTest::newRow("client " + family) << Channel::TcpClient << address;
        QTest::newRow("server " + family) << Channel::TcpServer << address;
        QTest::newRow("udp " + family) << Channel::Udp << address;
    }
}

// Open, data both ways with the peer named as "address:port" ("[::1]:port"),
// bytes written, clients joining and leaving, close.
void tst_ChannelController::exchangeOverEachNetworkChannel()
{
    QFETCH(Channel, channel);
    QFETCH(QString, address);
    const QHostAddress host(address);
    if (host.protocol() == QAbstractSocket::IPv6Protocol && !nettest::hasIPv6Loopback())
        QSKIP("this machine has no IPv6 loopback");
    QSignalSpy received(m_channels.get(), &ChannelController::received);
    QSignalSpy joined(m_channels.get(), &ChannelController::clientJoined);
    QSignalSpy left(m_channels.get(), &ChannelController::clientLeft);
    qint64 written = 0;
    connect(m_channels.get(), &ChannelController::bytesSent, this, [&written](Channel, qint64 bytes) { written += bytes; });

    QTcpServer listener;
    std::unique_ptr<QAbstractSocket> peer;
    ChannelRequest request;
    request.address = address;
    if (channel == Channel::TcpClient) {
        QVERIFY(listener.listen(host, 0));
        request.port = listener.serverPort();
    } else {
        request.port = nettest::freePort(host);
    }
    m_channels->open(channel, request);
    QCOMPARE(m_channels->openNetworkChannel(), std::optional<Channel>(channel));

    if (channel == Channel::TcpClient) {
        QTRY_VERIFY(listener.hasPendingConnections());
        peer.reset(listener.nextPendingConnection());
        peer->setParent(nullptr);
    } else if (channel == Channel::TcpServer) {
        QVERIFY(nettest::waitListening(host, request.port));
        QTRY_COMPARE(left.count(), 1); // the probe came and went
        joined.clear();
        left.clear();
        peer.reset(nettest::connectFrom(address, host, request.port, nullptr));
    } else {
        QTRY_VERIFY(!QUdpSocket().bind(host, request.port, QAbstractSocket::DontShareAddress));
        auto *udp = new QUdpSocket;
        peer.reset(udp);
        QVERIFY(udp->bind(host, 0));
        m_channels->setUdpTarget(address, udp->localPort());
    }
    const QString bracketed = channel == Channel::TcpClient ? address : peer->localAddress().toString();
    const quint16 peerPort = channel == Channel::TcpClient ? request.port : peer->localPort();
    const QString sender = (address.contains(QLatin1Char(':')) ? QLatin1Char('[') + bracketed + QLatin1Char(']') : bracketed)
                           + QLatin1Char(':') + QString::number(peerPort);
    QTRY_COMPARE(m_channels->state(channel), ChannelState::Open);

    if (channel == Channel::Udp)
        static_cast<QUdpSocket *>(peer.get())->writeDatagram("ping", host, request.port);
    else
        peer->write("ping");
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.at(0).at(0).value<Channel>(), channel);
    QCOMPARE(received.at(0).at(1).toByteArray(), QByteArray("ping"));
    QCOMPARE(received.at(0).at(2).toString(), sender);
    QCOMPARE(joined.count(), channel == Channel::TcpServer ? 1 : 0);

    m_channels->send("pong!");
    QTRY_COMPARE(written, 5);
    if (channel == Channel::Udp) {
        QTRY_VERIFY(static_cast<QUdpSocket *>(peer.get())->hasPendingDatagrams());
        QCOMPARE(static_cast<QUdpSocket *>(peer.get())->receiveDatagram().data(), QByteArray("pong!"));
    } else {
        QTRY_COMPARE(peer->bytesAvailable(), 5);
    }

    m_channels->close(channel);
    QVERIFY(!m_channels->thread(channel)->isRunning());
    QCOMPARE(statesOf(channel), (States{ChannelState::Opening, ChannelState::Open, ChannelState::Closed}));
    QTRY_COMPARE(left.count(), channel == Channel::TcpServer ? 1 : 0);
    if (channel != Channel::Udp)
        QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);
}

void tst_ChannelController::failureEndsTheChannel_data()
{
    QTest::addColumn<Channel>("channel");
    QTest::addColumn<QString>("linePrefix");
    QTest::newRow("client refused") << Channel::TcpClient << QStringLiteral("连接失败：");
    QTest::newRow("server port taken") << Channel::TcpServer << QStringLiteral("服务器打开失败：");
    QTest::newRow("udp port taken") << Channel::Udp << QStringLiteral("UDP打开失败：");
}

void tst_ChannelController::failureEndsTheChannel()
{
    QFETCH(Channel, channel);
    QFETCH(QString, linePrefix);
    // Taken for both protocols; the client finds nobody accepting there.
    QTcpServer tcp;
    QUdpSocket udp;
    ChannelRequest request;
    request.address = QStringLiteral("127.0.0.1");
    if (channel == Channel::TcpClient) {
        request.port = nettest::freePort();
    } else {
        QVERIFY(tcp.listen(QHostAddress::Any, 0));
        QVERIFY(udp.bind(QHostAddress::Any, tcp.serverPort(), QAbstractSocket::DontShareAddress));
        request.port = tcp.serverPort();
    }
    QSignalSpy ended(m_channels.get(), &ChannelController::ended);
    m_channels->open(channel, request);
    QTRY_COMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).value<Channel>(), channel);
    QVERIFY2(ended.at(0).at(1).toString().startsWith(linePrefix), qPrintable(ended.at(0).at(1).toString()));
    QCOMPARE(statesOf(channel).last(), ChannelState::Closed);
    QVERIFY(!m_channels->openNetworkChannel());
    QVERIFY(!m_channels->thread(channel)->isRunning());
}

void tst_ChannelController::oneNetworkChannelAtATime()
{
    ChannelRequest request;
    request.port = nettest::freePort();
    m_channels->open(Channel::Udp, request);
    m_channels->open(Channel::TcpServer, request);
    QCOMPARE(statesOf(Channel::Udp).last(), ChannelState::Closed);
    QCOMPARE(m_channels->openNetworkChannel(), std::optional<Channel>(Channel::TcpServer));
    QVERIFY(!m_channels->thread(Channel::Udp)->isRunning());
    // The serial page's port is not a network channel: its thread runs all along.
    QVERIFY(m_channels->thread(Channel::Serial)->isRunning());
}

QTEST_GUILESS_MAIN(tst_ChannelController)
#include "tst_channelcontroller.moc"
