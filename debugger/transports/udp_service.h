#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

class QUdpSocket;

// The UDP channel: one socket bound to the address it is given, one datagram per send,
// one emission per datagram received, a report when the port cannot be
// bound. Lives on its own thread.
class UDP_Service : public QObject
{
    Q_OBJECT

public:
    UDP_Service();
    ~UDP_Service() override;

public Q_SLOTS:
    // Binds on every interface, IPv4 and IPv6.
    void OpenUdp(quint16 local_port);
    // Binds to that address only (QHostAddress::Any: as OpenUdp).
    void OpenUdpOn(quint16 local_port, QHostAddress address);
    void CloseUdp();
    void SendUdpMsg(QByteArray msg, QString obj_ip, quint16 obj_port);
    void ReadUdpMessage();

Q_SIGNALS:
    void UdpModeMsg(QByteArray message);
    // The same payload with the datagram's sender, "address:port"
    // ("[address]:port" for IPv6).
    void UdpModeMsgFrom(QByteArray message, QString sender);
    // Bytes the system has taken for sending, one datagram at a time: what a send
    // could not put out is never reported.
    void BytesSent(qint64 bytes);
    // Binding failed (port in use, not permitted); `reason` is the socket's own description.
    void OpenFailed(QString reason);

private:
    QUdpSocket *UdpServer;
};
