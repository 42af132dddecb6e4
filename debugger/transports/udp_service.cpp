#include "udp_service.h"
#include "peername.h"

#include <QDebug>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QUdpSocket>

UDP_Service::UDP_Service()
    : QObject(nullptr), UdpServer(new QUdpSocket(this))
{
    connect(UdpServer, &QUdpSocket::readyRead, this, &UDP_Service::ReadUdpMessage);
    connect(UdpServer, &QUdpSocket::bytesWritten, this, &UDP_Service::BytesSent);
}

UDP_Service::~UDP_Service()
{
    if (UdpServer->isOpen())
        UdpServer->close();
}

void UDP_Service::OpenUdp(quint16 local_port)
{
    OpenUdpOn(local_port, QHostAddress(QHostAddress::Any));
}

void UDP_Service::OpenUdpOn(quint16 local_port, QHostAddress address)
{
    // A datagram sent before the channel was opened binds the socket to some
    // port of the system's choice; that must not keep the chosen port from
    // being bound now.
    if (UdpServer->state() != QAbstractSocket::UnconnectedState)
        UdpServer->close();
    if (UdpServer->bind(address, local_port, QAbstractSocket::DefaultForPlatform)) {
        qDebug() << "bind success";
        return;
    }
    qDebug() << "bind fail";
    emit OpenFailed(UdpServer->errorString());
}

void UDP_Service::CloseUdp()
{
    UdpServer->close();
}

void UDP_Service::SendUdpMsg(QByteArray msg, QString obj_ip, quint16 obj_port)
{
    const QHostAddress address(obj_ip);
    if (address.isNull())
        return;
    UdpServer->writeDatagram(msg, address, obj_port);
}

void UDP_Service::ReadUdpMessage()
{
    while (UdpServer->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = UdpServer->receiveDatagram();
        // A queued socket error reads as an invalid datagram; stop rather
        // than spin on it.
        if (!datagram.isValid())
            break;
        qDebug() << "udp message.";
        emit UdpModeMsg(datagram.data());
        emit UdpModeMsgFrom(datagram.data(), peerName(datagram.senderAddress(), quint16(datagram.senderPort())));
    }
}
