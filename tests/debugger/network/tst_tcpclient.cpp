#include "nettestutil.h"
#include "tcp_client.h"
#include "workerthread.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// Stands in for the window: its signals reach the client only as queued calls.
class ClientDriver : public QObject
{
    Q_OBJECT

public:
    explicit ClientDriver(TCP_Client *client)
    {
        connect(this, &ClientDriver::tcpC_connect, client, &TCP_Client::ConnectToServer);
        connect(this, &ClientDriver::tcpC_disconnect, client, &TCP_Client::DisconnectFromServer);
        connect(this, &ClientDriver::tcpC_send, client, &TCP_Client::SendMessage);
        connect(client, &TCP_Client::TcpClientModeMsg, this, [this](const QByteArray &bytes) {
            received += bytes;
            ++batches;
        });
        connect(client, &TCP_Client::ServerClosed, this, [this] { ++closed; });
        connect(client, &TCP_Client::Connected, this, [this] { ++connected; });
        connect(client, &TCP_Client::ConnectFailed, this, [this](const QString &reason) { failures << reason; });
    }

    // Asks for a connection and waits (at most 5 s) for its outcome.
    bool connectAndWait(const QString &ip, quint16 port)
    {
        const int before = connected + int(failures.size());
        emit tcpC_connect(ip, port);
        for (int waited = 0; waited < 5000 && connected + int(failures.size()) == before; waited += 10)
            QTest::qWait(10);
        return connected + int(failures.size()) == before + 1 && failures.isEmpty();
    }

    QByteArray received;
    int batches = 0;
    int closed = 0;
    int connected = 0;
    QStringList failures;

Q_SIGNALS:
    void tcpC_connect(QString Server_ip, quint16 Server_port);
    void tcpC_disconnect();
    void tcpC_send(QByteArray msg);
};

class tst_TcpClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exchangeCloseAndReconnect_data();
    void exchangeCloseAndReconnect();
    void localDisconnect_data();
    void localDisconnect();
    void refusedOrUnusableTarget_data();
    void refusedOrUnusableTarget();
    void splitWritesKeepEveryByte();
};

void tst_TcpClient::exchangeCloseAndReconnect_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("ipv4") << QStringLiteral("127.0.0.1");
    QTest::newRow("ipv6") << QStringLiteral("::1");
}

void tst_TcpClient::exchangeCloseAndReconnect()
{
    QFETCH(QString, address);
    if (address.contains(QLatin1Char(':')) && !nettest::hasIPv6Loopback())
        QSKIP("this machine has no IPv6 loopback");

    QTcpServer peer;
    QVERIFY(peer.listen(QHostAddress(address), 0));
    nettest::ThreadedTransport<TCP_Client> client;
    ClientDriver driver(client.object);
    client.start();

    for (int round = 0; round < 2; ++round) {
        emit driver.tcpC_connect(address, peer.serverPort());
        QTRY_VERIFY(peer.hasPendingConnections());
        QTcpSocket *side = peer.nextPendingConnection();

        emit driver.tcpC_send(QByteArray("hello\x00\xff", 7));
        QTRY_COMPARE(side->bytesAvailable(), qint64(7));
        QCOMPARE(side->readAll(), QByteArray("hello\x00\xff", 7));

        driver.received.clear();
        side->write("answer");
        QTRY_COMPARE(driver.received, QByteArray("answer"));

        // The peer leaves: one ServerClosed, and sends are then dropped.
        const int closedBefore = driver.closed;
        side->close();
        QTRY_COMPARE(driver.closed, closedBefore + 1);
        emit driver.tcpC_send("into the void");
        delete side;
    }
    QTest::qWait(50);
    QCOMPARE(driver.closed, 2);
    QVERIFY(!peer.hasPendingConnections());
}

void tst_TcpClient::localDisconnect_data()
{
    QTest::addColumn<int>("pendingBytes");
    QTest::newRow("idle") << 0;
    // Disconnect arrives while the socket still holds output the peer has not
    // taken, and the window then stops the thread: a socket left closing
    // would keep the connection open with nothing left to finish it.
    QTest::newRow("still flushing, thread stopped") << 32 * 1024 * 1024;
}

void tst_TcpClient::localDisconnect()
{
    QFETCH(int, pendingBytes);

    QTcpServer peer;
    QVERIFY(peer.listen(QHostAddress::LocalHost, 0));
    nettest::ThreadedTransport<TCP_Client> client;
    ClientDriver driver(client.object);
    client.start();

    QVERIFY(driver.connectAndWait(QStringLiteral("127.0.0.1"), peer.serverPort()));
    QTRY_VERIFY(peer.hasPendingConnections());
    std::unique_ptr<QTcpSocket> side(peer.nextPendingConnection());
    QSignalSpy gone(side.get(), &QTcpSocket::disconnected);

    if (pendingBytes > 0) {
        side->setReadBufferSize(64 * 1024);
        emit driver.tcpC_send(QByteArray(pendingBytes, 'x'));
        emit driver.tcpC_disconnect();
        stopWorkerThread(&client.thread, client.object);
        side->setReadBufferSize(0);
        QTRY_COMPARE_WITH_TIMEOUT(gone.count(), 1, 10000);
        return;
    }

    emit driver.tcpC_disconnect();
    QTRY_COMPARE(gone.count(), 1);
    QCOMPARE(driver.closed, 0); // only the peer's close is reported

    // A second connect on the same object works after a local close too.
    QVERIFY(driver.connectAndWait(QStringLiteral("127.0.0.1"), peer.serverPort()));
    QTRY_VERIFY(peer.hasPendingConnections());
}

void tst_TcpClient::refusedOrUnusableTarget_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("useListeningPort");

    QTest::newRow("nobody listens") << QStringLiteral("127.0.0.1") << false;
    QTest::newRow("nobody listens, ipv6") << QStringLiteral("::1") << false;
    // Names are never resolved here, not even one the machine knows.
    QTest::newRow("host name") << QStringLiteral("localhost") << true;
    QTest::newRow("garbage") << QStringLiteral("not an address!") << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("octet out of range") << QStringLiteral("127.0.0.256") << true;
}

void tst_TcpClient::refusedOrUnusableTarget()
{
    QFETCH(QString, target);
    QFETCH(bool, useListeningPort);

    QTcpServer listening;
    QVERIFY(listening.listen(QHostAddress::LocalHost, 0));
    const quint16 port = useListeningPort ? listening.serverPort() : nettest::freePort();
    QVERIFY(port != 0);

    nettest::ThreadedTransport<TCP_Client> client;
    ClientDriver driver(client.object);
    client.start();

    QElapsedTimer clock;
    clock.start();
    QVERIFY(!driver.connectAndWait(target, port));
    QVERIFY2(clock.elapsed() < 5000, "a refusal or an unusable address must not wait for the time-out");
    QCOMPARE(driver.failures.size(), 1);
    QVERIFY(!driver.failures.first().isEmpty());

    emit driver.tcpC_send("dropped");
    QTest::qWait(100);
    QVERIFY(!listening.hasPendingConnections());
    QCOMPARE(driver.batches, 0);
    QCOMPARE(driver.closed, 0);
}

void tst_TcpClient::splitWritesKeepEveryByte()
{
    QTcpServer peer;
    QVERIFY(peer.listen(QHostAddress::LocalHost, 0));
    nettest::ThreadedTransport<TCP_Client> client;
    ClientDriver driver(client.object);
    client.start();

    QVERIFY(driver.connectAndWait(QStringLiteral("127.0.0.1"), peer.serverPort()));
    QTRY_VERIFY(peer.hasPendingConnections());
    QTcpSocket *side = peer.nextPendingConnection();
    side->write("01234");
    side->flush();
    side->write("56789");
    QTRY_COMPARE(driver.received, QByteArray("0123456789"));
    QVERIFY(driver.batches >= 1 && driver.batches <= 2);

    // A large send arrives whole, in order.
    QByteArray big(3 * 1024 * 1024, '\0');
    for (int i = 0; i < big.size(); ++i)
        big[i] = char(i * 7);
    emit driver.tcpC_send(big);
    QByteArray got;
    QTRY_VERIFY_WITH_TIMEOUT((got += side->readAll(), got.size() >= big.size()), 20000);
    QCOMPARE(got, big);
    delete side;
}

QTEST_GUILESS_MAIN(tst_TcpClient)
#include "tst_tcpclient.moc"
