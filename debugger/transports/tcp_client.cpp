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
    if (MySocket->state() == QAbstractSocket::ConnectedState)
        MySocket->close();
}

bool TCP_Client::ConnectToServer(QString Server_ip, quint16 Server_port)
{
    const QHostAddress address(Server_ip);
    MySocket->connectToHost(address, Server_port, QIODevice::ReadWrite);
    return MySocket->waitForConnected(30000);
}

void TCP_Client::DisconnectFromServer()
{
    MySocket->close();
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
