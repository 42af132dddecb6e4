#include "tcp_client.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

TCP_Client::TCP_Client()
    : QObject(nullptr), MySocket(new QTcpSocket(this)), m_attemptTimer(new QTimer(this))
{
    m_attemptTimer->setSingleShot(true);
    connect(m_attemptTimer, &QTimer::timeout, this, [this] {
        closeQuietly();
        emit ConnectFailed(tr("连接超时"));
    });
    connect(MySocket, &QTcpSocket::readyRead, this, &TCP_Client::ReadMessage);
    connect(MySocket, &QTcpSocket::bytesWritten, this, &TCP_Client::BytesSent);
    connect(MySocket, &QTcpSocket::connected, this, [this] {
        m_attemptTimer->stop();
        emit Connected();
    });
    connect(MySocket, &QTcpSocket::errorOccurred, this, &TCP_Client::onError);
    connect(MySocket, &QTcpSocket::disconnected, MySocket, [this] {
        if (!m_closing)
            emit ServerClosed();
    }, Qt::DirectConnection);
}

TCP_Client::~TCP_Client()
{
    // The socket goes with this object; what it reports on the way out must
    // not reach a client that is already half destroyed.
    MySocket->disconnect();
    if (MySocket->state() != QAbstractSocket::UnconnectedState)
        MySocket->abort();
}

void TCP_Client::ConnectToServer(QString Server_ip, quint16 Server_port)
{
    // The socket layer refuses a connect while an earlier one is still open.
    if (MySocket->state() != QAbstractSocket::UnconnectedState)
        return;
    const QHostAddress address(Server_ip);
    if (address.isNull()) {
        emit ConnectFailed(tr("地址无效"));
        return;
    }
    m_attemptTimer->start(kConnectTimeoutMs);
    MySocket->connectToHost(address, Server_port, QIODevice::ReadWrite);
}

void TCP_Client::DisconnectFromServer()
{
    m_attemptTimer->stop();
    // close() waits for buffered output to be written, but the thread stops
    // right after this call; a socket left closing would keep the connection
    // half open. What the system takes now goes out, the rest is dropped.
    MySocket->flush();
    closeQuietly();
}

void TCP_Client::closeQuietly()
{
    m_closing = true;
    MySocket->close();
    if (MySocket->state() != QAbstractSocket::UnconnectedState)
        MySocket->abort();
    m_closing = false;
}

// Only a failing attempt is reported here; an established connection that
// breaks reports itself through its disconnect.
void TCP_Client::onError()
{
    if (!m_attemptTimer->isActive())
        return;
    m_attemptTimer->stop();
    const QString reason = MySocket->errorString();
    closeQuietly();
    emit ConnectFailed(reason);
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
