#include "tcp_server.h"

#include <QDebug>
#include <QHostAddress>
#include <QMetaObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

TCP_Server::TCP_Server()
    : QObject(nullptr), Server(new QTcpServer(this)), MyClients(new QHash<QString, QTcpSocket *>)
{
    connect(Server, &QTcpServer::newConnection, this, &TCP_Server::HasClientConnect);
}

TCP_Server::~TCP_Server()
{
    // The sockets die with the QTcpServer below and report their departure as
    // they go; nobody must hear that from a half-destroyed server.
    for (auto it = m_peers.cbegin(); it != m_peers.cend(); ++it)
        it.key()->disconnect(this);
    MyClients->clear();
    delete MyClients;
}

namespace {

// On a dual-stack listener an IPv4 client appears as ::ffff:a.b.c.d; it is
// shown, listed and kicked by the address it really has.
QString addressText(const QHostAddress &address)
{
    bool isIPv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIPv4);
    return isIPv4 ? QHostAddress(ipv4).toString() : address.toString();
}

} // namespace

void TCP_Server::StartListen(quint16 port)
{
    Server->listen(QHostAddress::Any, port);
}

void TCP_Server::StopListen()
{
    const QList<QString> keys = MyClients->keys();
    for (const QString &key : keys)
        KickClient(key);
    // Left over: connections shadowed by a later one from the same address,
    // and kicked ones still flushing their output, which would never finish
    // once this thread stops. Closing the server must not leave them open.
    const QList<QTcpSocket *> rest = m_peers.keys();
    for (QTcpSocket *socket : rest) {
        socket->flush();
        socket->abort();
    }
    Server->close();
}

void TCP_Server::SelectClient(QString ip)
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, "SelectClient", Qt::QueuedConnection, Q_ARG(QString, ip));
        return;
    }
    m_targetLeft = false;
    if (ip == QLatin1String("All Clients"))
        ObjClient = nullptr;
    else
        ObjClient = MyClients->value(ip, nullptr);
}

void TCP_Server::KickClient(QString ip)
{
    QTcpSocket *socket = MyClients->value(ip, nullptr);
    if (socket)
        socket->close();
}

void TCP_Server::SendMessage(QByteArray msg)
{
    if (m_targetLeft)
        return;
    if (ObjClient) {
        ObjClient->write(msg);
        return;
    }
    for (QTcpSocket *socket : std::as_const(*MyClients))
        socket->write(msg);
}

void TCP_Server::HasClientConnect()
{
    while (QTcpSocket *socket = Server->nextPendingConnection()) {
        const QString ip = addressText(socket->peerAddress());
        const quint16 port = socket->peerPort();
        connect(socket, &QTcpSocket::readyRead, this, &TCP_Server::ReciveClientMessage);
        connect(socket, &QTcpSocket::disconnected, this, &TCP_Server::HasClientDisconnect);
        m_peers.insert(socket, Peer{ip, port});
        emit TcpServerMsgToUI(QStringLiteral("New Client:") + ip + QLatin1Char(':') + QString::number(port)
                              + QStringLiteral(" connected!"));
        emit UpdateClientsToUI(QStringLiteral("join"), ip);
        MyClients->insert(ip, socket);
        qDebug() << "现在有" << MyClients->size() << "个客户端";
    }
}

void TCP_Server::HasClientDisconnect()
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket || !m_peers.contains(socket) || socket->state() != QAbstractSocket::UnconnectedState)
        return;
    const Peer peer = m_peers.take(socket);
    // Only this connection's own entry goes: a later client from the same
    // address that took over the key is still connected.
    if (MyClients->value(peer.ip, nullptr) == socket)
        MyClients->remove(peer.ip);
    if (ObjClient == socket) {
        ObjClient = nullptr;
        m_targetLeft = true;
    }
    emit TcpServerMsgToUI(QStringLiteral("Client:") + peer.ip + QLatin1Char(':') + QString::number(peer.port)
                          + QStringLiteral(" left!"));
    emit UpdateClientsToUI(QStringLiteral("leave"), peer.ip);
    socket->disconnect(this);
    socket->deleteLater();
}

void TCP_Server::ReciveClientMessage()
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket)
        return;
    emit ClientsMsgToUI(socket->readAll());
}
