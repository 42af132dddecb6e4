#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QTcpSocket;

// The TCP client channel: one socket to one literal address, raw bytes both
// ways. Lives on its own thread and is reached only through queued calls.
class TCP_Client : public QObject
{
    Q_OBJECT

public:
    TCP_Client();
    ~TCP_Client() override;

public Q_SLOTS:
    bool ConnectToServer(QString Server_ip, quint16 Server_port);
    void DisconnectFromServer();
    void SendMessage(QByteArray msg);
    void ReadMessage();

Q_SIGNALS:
    void TcpClientModeMsg(QByteArray message);
    void ServerClosed();

private:
    QTcpSocket *MySocket;
};
