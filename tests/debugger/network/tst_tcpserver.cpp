#include "nettestutil.h"
#include "peername.h"
#include "tcp_server.h"

#include <QSignalSpy>
#include <QTest>

// Stands in for the window: queued requests out, queued events back.
class ServerDriver : public QObject
{
    Q_OBJECT

public:
    explicit ServerDriver(TCP_Server *server)
    {
        connect(this, &ServerDriver::tcpS_open, server, &TCP_Server::StartListen);
        connect(this, &ServerDriver::tcpS_close, server, &TCP_Server::StopListen);
        connect(this, &ServerDriver::tcpS_send, server, &TCP_Server::SendMessage);
        connect(this, &ServerDriver::tcpS_kick, server, &TCP_Server::KickClient);
        connect(server, &TCP_Server::ClientsMsgToUI, this, [this](const QByteArray &bytes) { received += bytes; });
        connect(server, &TCP_Server::TcpServerMsgToUI, this, [this](const QString &line) { lines << line; });
        connect(server, &TCP_Server::UpdateClientsToUI, this,
                [this](const QString &method, const QString &ip) { events << method + QLatin1Char(' ') + ip; });
        connect(server, &TCP_Server::OpenFailed, this, [this](const QString &reason) { failures << reason; });
    }

    QByteArray received;
    QStringList lines;
    QStringList events;
    QStringList failures;

Q_SIGNALS:
    void tcpS_open(quint16 port);
    void tcpS_close();
    void tcpS_send(QByteArray msg);
    void tcpS_kick(QString ip);
};

class tst_TcpServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void joinAndLeave_data();
    void joinAndLeave();
    void sendToOneOrAll();
    void selectionFollowsOrderOfCalls();
    void departedTargetDropsSends();
    void sameAddressClients();
    void kick();
    void stopWithClientsThenRefuse();
    void burstOfClients();
    void peerResetDuringSend();
    void portInUse();

private:
    // The name the server gives a client: its address and port.
    static QString nameOf(const QTcpSocket *client)
    {
        return peerName(client->localAddress(), client->localPort());
    }
    QTcpSocket *connectClient(const QString &from, const QHostAddress &to = QHostAddress::LocalHost)
    {
        QTcpSocket *socket = nettest::connectFrom(from, to, m_port, this);
        return socket;
    }
    bool waitReceived(QTcpSocket *socket, const QByteArray &expected)
    {
        QByteArray got;
        for (int i = 0; i < 200 && got.size() < expected.size(); ++i) {
            socket->waitForReadyRead(25);
            got += socket->readAll();
        }
        return got == expected;
    }

    nettest::ThreadedTransport<TCP_Server> *m_server = nullptr;
    ServerDriver *m_driver = nullptr;
    quint16 m_port = 0;
};

void tst_TcpServer::init()
{
    m_server = new nettest::ThreadedTransport<TCP_Server>;
    m_driver = new ServerDriver(m_server->object);
    m_server->start();
    m_port = nettest::freePort();
    QVERIFY(m_port != 0);
    emit m_driver->tcpS_open(m_port);
    QVERIFY(nettest::waitListening(QHostAddress::LocalHost, m_port));
    QTRY_COMPARE(m_driver->events.size(), 2);
    m_driver->events.clear();
    m_driver->lines.clear();
}

void tst_TcpServer::cleanup()
{
    delete m_driver;
    m_driver = nullptr;
    delete m_server;
    m_server = nullptr;
    qDeleteAll(findChildren<QTcpSocket *>());
}

void tst_TcpServer::joinAndLeave_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("ipv4") << QStringLiteral("127.0.0.1");
    QTest::newRow("ipv6") << QStringLiteral("::1");
}

void tst_TcpServer::joinAndLeave()
{
    QFETCH(QString, address);
    if (address.contains(QLatin1Char(':')) && !nettest::hasIPv6Loopback())
        QSKIP("this machine has no IPv6 loopback");

    QTcpSocket *client = connectClient(address, QHostAddress(address));
    QCOMPARE(client->state(), QAbstractSocket::ConnectedState);
    const QString port = QString::number(client->localPort());
    // IPv6 in brackets, as the client list and the data name it.
    const QString host = address.contains(QLatin1Char(':')) ? QLatin1Char('[') + address + QLatin1Char(']') : address;
    QTRY_COMPARE(m_driver->events, QStringList{QStringLiteral("join ") + nameOf(client)});
    QCOMPARE(m_driver->lines, QStringList{QStringLiteral("New Client:") + host + QLatin1Char(':') + port
                                          + QStringLiteral(" connected!")});

    client->write("from the client");
    QTRY_COMPARE(m_driver->received, QByteArray("from the client"));

    client->close();
    QTRY_COMPARE(m_driver->events.size(), 2);
    QCOMPARE(m_driver->events.last(), QStringLiteral("leave ") + host + QLatin1Char(':') + port);
    QCOMPARE(m_driver->lines.last(), QStringLiteral("Client:") + host + QLatin1Char(':') + port
                                         + QStringLiteral(" left!"));
}

void tst_TcpServer::sendToOneOrAll()
{
    QTcpSocket *x = connectClient(QStringLiteral("127.0.0.1"));
    QTcpSocket *y = connectClient(QStringLiteral("127.0.0.2"));
    QTRY_COMPARE(m_driver->events.size(), 2);

    m_server->object->SelectClient(QStringLiteral("All Clients"));
    emit m_driver->tcpS_send("both");
    QVERIFY(waitReceived(x, "both"));
    QVERIFY(waitReceived(y, "both"));

    m_server->object->SelectClient(nameOf(y));
    emit m_driver->tcpS_send("only y");
    QVERIFY(waitReceived(y, "only y"));
    QVERIFY(!x->waitForReadyRead(100));

    // An unknown name, and the empty text of an emptied list, mean everybody.
    for (const QString &name : {QStringLiteral("127.0.0.2"), QString()}) {
        m_server->object->SelectClient(name);
        emit m_driver->tcpS_send("all again");
        QVERIFY(waitReceived(x, "all again"));
        QVERIFY(waitReceived(y, "all again"));
    }
}

void tst_TcpServer::selectionFollowsOrderOfCalls()
{
    QTcpSocket *x = connectClient(QStringLiteral("127.0.0.1"));
    QTcpSocket *y = connectClient(QStringLiteral("127.0.0.2"));
    QTRY_COMPARE(m_driver->events.size(), 2);

    // Selections made from this thread interleave with sends exactly as issued.
    QByteArray expectX, expectY;
    for (int i = 0; i < 50; ++i) {
        const QByteArray chunk = QByteArray::number(i) + ';';
        if (i % 2) {
            m_server->object->SelectClient(nameOf(x));
            expectX += chunk;
        } else {
            m_server->object->SelectClient(nameOf(y));
            expectY += chunk;
        }
        emit m_driver->tcpS_send(chunk);
    }
    QVERIFY(waitReceived(x, expectX));
    QVERIFY(waitReceived(y, expectY));
}

void tst_TcpServer::departedTargetDropsSends()
{
    QTcpSocket *x = connectClient(QStringLiteral("127.0.0.1"));
    QTcpSocket *y = connectClient(QStringLiteral("127.0.0.2"));
    QTRY_COMPARE(m_driver->events.size(), 2);
    m_server->object->SelectClient(nameOf(y));
    y->close();
    QTRY_COMPARE(m_driver->events.size(), 3);

    // What was meant for the departed client does not go to everybody.
    emit m_driver->tcpS_send("for y only");
    QVERIFY(!x->waitForReadyRead(150));

    m_server->object->SelectClient(QStringLiteral("All Clients"));
    emit m_driver->tcpS_send("to all");
    QVERIFY(waitReceived(x, "to all"));
}

void tst_TcpServer::sameAddressClients()
{
    // Told apart by their ports: each is listed, reached and kicked as itself.
    QTcpSocket *first = connectClient(QStringLiteral("127.0.0.1"));
    QTcpSocket *second = connectClient(QStringLiteral("127.0.0.1"));
    const QString firstName = nameOf(first);
    QTRY_COMPARE(m_driver->events, (QStringList{QStringLiteral("join ") + firstName, QStringLiteral("join ") + nameOf(second)}));

    emit m_driver->tcpS_send("to both");
    QVERIFY(waitReceived(first, "to both"));
    QVERIFY(waitReceived(second, "to both"));

    emit m_driver->tcpS_kick(firstName);
    QTRY_COMPARE(m_driver->events.last(), QStringLiteral("leave ") + firstName);
    QCOMPARE(second->state(), QAbstractSocket::ConnectedState);
}

void tst_TcpServer::kick()
{
    QTcpSocket *x = connectClient(QStringLiteral("127.0.0.1"));
    QTcpSocket *y = connectClient(QStringLiteral("127.0.0.2"));
    QTRY_COMPARE(m_driver->events.size(), 2);
    const QString yName = nameOf(y);

    emit m_driver->tcpS_kick(QStringLiteral("127.0.0.2"));
    emit m_driver->tcpS_kick(yName);
    QTRY_COMPARE(y->state(), QAbstractSocket::UnconnectedState);
    QTRY_COMPARE(m_driver->events.size(), 3);
    QCOMPARE(m_driver->events.last(), QStringLiteral("leave ") + yName);
    QCOMPARE(m_driver->lines.last(), QStringLiteral("Client:") + yName + QStringLiteral(" left!"));
    QCOMPARE(x->state(), QAbstractSocket::ConnectedState);

    emit m_driver->tcpS_send("x stays");
    QVERIFY(waitReceived(x, "x stays"));
}

void tst_TcpServer::stopWithClientsThenRefuse()
{
    QList<QTcpSocket *> clients;
    for (const char *from : {"127.0.0.1", "127.0.0.2", "127.0.0.3"})
        clients << connectClient(QString::fromLatin1(from));
    clients << connectClient(QStringLiteral("127.0.0.3"));
    QTRY_COMPARE(m_driver->events.size(), 4);

    emit m_driver->tcpS_close();
    QTRY_COMPARE(m_driver->events.size(), 8);
    QCOMPARE(m_driver->events.filter(QStringLiteral("leave")).size(), 4);
    QCOMPARE(m_driver->lines.filter(QStringLiteral(" left!")).size(), 4);
    for (QTcpSocket *client : std::as_const(clients))
        QTRY_COMPARE(client->state(), QAbstractSocket::UnconnectedState);

    QTcpSocket late;
    late.connectToHost(QHostAddress::LocalHost, m_port);
    QVERIFY(!late.waitForConnected(2000));
    QCOMPARE(late.error(), QAbstractSocket::ConnectionRefusedError);

    // Reopening listens again.
    emit m_driver->tcpS_open(m_port);
    QVERIFY(nettest::waitListening(QHostAddress::LocalHost, m_port));
}

void tst_TcpServer::burstOfClients()
{
    QList<QTcpSocket *> clients;
    for (int i = 0; i < 200; ++i) {
        auto *socket = new QTcpSocket(this);
        socket->connectToHost(QHostAddress::LocalHost, m_port);
        clients << socket;
    }
    for (QTcpSocket *socket : std::as_const(clients))
        QVERIFY(socket->state() == QAbstractSocket::ConnectedState || socket->waitForConnected(5000));
    for (int i = 0; i < clients.size(); i += 2)
        clients[i]->abort();
    for (int i = 1; i < clients.size(); i += 2)
        clients[i]->close();

    // Past its backlog the system may still hand over a connection that its
    // client has ended, now and then twice: every client joins at least
    // once, and each join is followed by its leave.
    const auto count = [this](const char *event) { return m_driver->events.filter(QLatin1String(event)).size(); };
    QTRY_VERIFY_WITH_TIMEOUT(count("leave") >= 200 && count("leave") == count("join"), 20000);

    // Nobody is left to send to; a new client afterwards is served normally.
    emit m_driver->tcpS_send("nobody");
    QTcpSocket *after = connectClient(QStringLiteral("127.0.0.5"));
    QTRY_COMPARE(m_driver->events.filter(QStringLiteral("join 127.0.0.5:")).size(), 1);
    emit m_driver->tcpS_send("after the burst");
    QVERIFY(waitReceived(after, "after the burst"));
}

void tst_TcpServer::peerResetDuringSend()
{
    QTcpSocket *x = connectClient(QStringLiteral("127.0.0.1"));
    QTcpSocket *y = connectClient(QStringLiteral("127.0.0.2"));
    QTRY_COMPARE(m_driver->events.size(), 2);
    y->setReadBufferSize(1024);
    const QString yName = nameOf(y);

    emit m_driver->tcpS_send(QByteArray(8 * 1024 * 1024, 'z'));
    QVERIFY(x->waitForReadyRead(5000));
    y->abort();
    QTRY_VERIFY_WITH_TIMEOUT(m_driver->events.contains(QStringLiteral("leave ") + yName), 10000);

    x->abort();
    QTRY_COMPARE(m_driver->events.size(), 4);
    QTcpSocket *z = connectClient(QStringLiteral("127.0.0.3"));
    QTRY_COMPARE(m_driver->events.size(), 5);
    emit m_driver->tcpS_send("fine");
    QVERIFY(waitReceived(z, "fine"));
}

void tst_TcpServer::portInUse()
{
    // A second server on a port that is taken listens nowhere and says why.
    nettest::ThreadedTransport<TCP_Server> other;
    ServerDriver driver(other.object);
    other.start();
    emit driver.tcpS_open(m_port);
    emit driver.tcpS_close();
    QTRY_COMPARE(driver.failures.size(), 1);
    QVERIFY(!driver.failures.first().isEmpty());
    QVERIFY(driver.lines.isEmpty());

    QTcpSocket *client = connectClient(QStringLiteral("127.0.0.1"));
    QCOMPARE(client->state(), QAbstractSocket::ConnectedState);
    QTRY_COMPARE(m_driver->events.size(), 1);
    QVERIFY(driver.events.isEmpty());
}

QTEST_GUILESS_MAIN(tst_TcpServer)
#include "tst_tcpserver.moc"
