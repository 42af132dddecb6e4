#include "tcp_server.h"
#include "peername.h"

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

void TCP_Server::StartListen(quint16 port)
{
    StartListenOn(port, QHostAddress(QHostAddress::Any));
}

void TCP_Server::StartListenOn(quint16 port, QHostAddress address)
{
    if (!Server->listen(address, port))
        emit OpenFailed(Server->errorString());
}

void TCP_Server::StopListen()
{
    const QList<QString> keys = MyClients->keys();
    for (const QString &key : keys)
        KickClient(key);
    // Left over: kicked connections still flushing their output, which would
    // never finish once this thread stops. Closing the server must not leave
    // them open.
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

void TCP_Server::SelectAllClients()
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, "SelectAllClients", Qt::QueuedConnection);
        return;
    }
    m_targetLeft = false;
    ObjClient = nullptr;
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
        // Address and port: several clients from one address (programs on
        // one machine, or behind one router) are told apart.
        // On a dual-stack listener an IPv4 client appears as ::ffff:a.b.c.d; it is
        // shown, listed and kicked by the address it really has, and named as
        // the data it sends names it.
        const QString name = peerName(socket->peerAddress(), socket->peerPort());
        connect(socket, &QTcpSocket::readyRead, this, &TCP_Server::ReciveClientMessage);
        connect(socket, &QTcpSocket::bytesWritten, this, &TCP_Server::BytesSent);
        connect(socket, &QTcpSocket::disconnected, this, &TCP_Server::HasClientDisconnect);
        m_peers.insert(socket, name);
        emit TcpServerMsgToUI(QStringLiteral("New Client:") + name + QStringLiteral(" connected!"));
        emit UpdateClientsToUI(QStringLiteral("join"), name);
        emit ClientJoined(name);
        MyClients->insert(name, socket);
        qDebug() << "现在有" << MyClients->size() << "个客户端";
    }
}

void TCP_Server::HasClientDisconnect()
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket || !m_peers.contains(socket) || socket->state() != QAbstractSocket::UnconnectedState)
        return;
    const QString name = m_peers.take(socket);
    MyClients->remove(name);
    if (ObjClient == socket) {
        ObjClient = nullptr;
        m_targetLeft = true;
    }
    emit TcpServerMsgToUI(QStringLiteral("Client:") + name + QStringLiteral(" left!"));
    emit UpdateClientsToUI(QStringLiteral("leave"), name);
    emit ClientLeft(name);
    socket->disconnect(this);
    socket->deleteLater();
}

void TCP_Server::ReciveClientMessage()
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket)
        return;
    const QByteArray message = socket->readAll();
    emit ClientsMsgToUI(message);
    emit ClientsMsgFrom(message, peerName(socket->peerAddress(), socket->peerPort()));
}
