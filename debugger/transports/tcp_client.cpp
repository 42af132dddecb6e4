#include "tcp_client.h"

#include <QHostAddress>
#include <QTcpSocket>

TCP_Client::TCP_Client()
    : QObject(nullptr), MySocket(new QTcpSocket(this))
{
    connect(MySocket, &QTcpSocket::readyRead, this, &TCP_Client::ReadMessage);
    connect(MySocket, &QTcpSocket::disconnected, MySocket, [this] { emit ServerClosed(); }, Qt::DirectConnection);
}

TCP_Client::~TCP_Client()
{
    // The socket goes with this object; what it reports on the way out must
    // not reach a client that is already half destroyed.
    MySocket->disconnect();
    if (MySocket->state() != QAbstractSocket::UnconnectedState)
        MySocket->abort();
}

bool TCP_Client::ConnectToServer(QString Server_ip, quint16 Server_port)
{
    const QHostAddress address(Server_ip);
    MySocket->connectToHost(address, Server_port, QIODevice::ReadWrite);
    return MySocket->waitForConnected(30000);
}

void TCP_Client::DisconnectFromServer()
{
    // close() waits for buffered output to be written, but the thread stops
    // right after this call; a socket left closing would keep the connection
    // half open. What the system takes now goes out, the rest is dropped.
    MySocket->flush();
    MySocket->close();
    if (MySocket->state() != QAbstractSocket::UnconnectedState)
        MySocket->abort();
}

void TCP_Client::SendMessage(QByteArray msg)
{
    // Dropped without a word when not connected; checking first keeps a timed
    // send from flooding the log with the device's own complaints.
    if (MySocket->state() != QAbstractSocket::ConnectedState)
        return;
    MySocket->write(msg);
}

void TCP_Client::ReadMessage()
{
    emit TcpClientModeMsg(MySocket->readAll());
}
