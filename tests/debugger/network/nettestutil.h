#pragma once

#include <QAtomicInt>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QUdpSocket>

// Helpers shared by the network tests. Everything here talks to loopback only.
namespace nettest {

// A port nobody listens on right now (TCP and UDP alike, as far as can be told).
inline quint16 freePort(const QHostAddress &address = QHostAddress::LocalHost)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        QTcpServer probe;
        if (!probe.listen(address, 0))
            return 0;
        const quint16 port = probe.serverPort();
        probe.close();
        QUdpSocket udp;
        if (udp.bind(QHostAddress::Any, port, QAbstractSocket::DontShareAddress))
            return port;
    }
    return 0;
}

inline bool hasIPv6Loopback()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHostIPv6, 0);
}

// Loopback addresses beyond 127.0.0.1 give clients distinct table keys.
inline QTcpSocket *connectFrom(const QString &from, const QHostAddress &to, quint16 port, QObject *parent)
{
    auto *socket = new QTcpSocket(parent);
    if (!socket->bind(QHostAddress(from), 0))
        return socket;
    socket->connectToHost(to, port);
    socket->waitForConnected(5000);
    return socket;
}

// Waits until something accepts connections at that port.
inline bool waitListening(const QHostAddress &address, quint16 port, int timeoutMs = 5000)
{
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        QTcpSocket probe;
        probe.connectToHost(address, port);
        if (probe.waitForConnected(1000))
            return true;
        QThread::msleep(50);
    }
    return false;
}

// A peer on a thread of its own that accepts and drops every connection, so
// that its backlog never fills while the test thread is blocked.
class AcceptingPeer : public QThread
{
public:
    AcceptingPeer()
    {
        start();
        while (m_port.loadAcquire() == 0)
            QThread::msleep(1);
    }
    ~AcceptingPeer() override
    {
        quit();
        wait();
    }
    quint16 port() const { return quint16(m_port.loadAcquire()); }

protected:
    void run() override
    {
        QTcpServer server;
        QObject::connect(&server, &QTcpServer::newConnection, &server, [&server] {
            while (QTcpSocket *socket = server.nextPendingConnection())
                socket->deleteLater();
        });
        server.listen(QHostAddress::LocalHost, 0);
        m_port.storeRelease(server.serverPort());
        exec();
    }

private:
    QAtomicInt m_port = 0;
};

// Owns a transport on a thread of its own, the way the window does, and stops
// the thread before the transport is deleted.
template<typename Transport>
struct ThreadedTransport
{
    ThreadedTransport()
        : object(new Transport)
    {
        object->moveToThread(&thread);
    }
    ~ThreadedTransport()
    {
        thread.quit();
        thread.wait();
        delete object;
    }
    void start() { thread.start(); }

    QThread thread;
    Transport *object;
};

} // namespace nettest
