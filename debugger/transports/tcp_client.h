#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QTcpSocket;
class QTimer;

// The TCP client channel: one socket to one literal address, raw bytes both
// ways. Lives on its own thread and is reached only through queued calls.
// A connection attempt does not hold the thread: its outcome is reported by
// Connected or ConnectFailed, and a disconnect abandons it at once.
class TCP_Client : public QObject
{
    Q_OBJECT

public:
    TCP_Client();
    ~TCP_Client() override;

    // How long an attempt may wait for an answer before it fails.
    static constexpr int kConnectTimeoutMs = 30000;

public Q_SLOTS:
    void ConnectToServer(QString Server_ip, quint16 Server_port);
    void DisconnectFromServer();
    void SendMessage(QByteArray msg);
    void ReadMessage();

Q_SIGNALS:
    void TcpClientModeMsg(QByteArray message);
    // Bytes the system has taken for sending, as it takes them: what a send
    // could not put out is never reported.
    void BytesSent(qint64 bytes);
    void Connected();
    // The attempt was refused, unreachable, unusable or timed out; `reason`
    // is the socket's own description.
    void ConnectFailed(QString reason);
    // The peer ended an established connection (a local disconnect is not
    // reported).
    void ServerClosed();

private:
    void onError();
    void closeQuietly();

    QTcpSocket *MySocket;
    QTimer *m_attemptTimer;
    bool m_closing = false;
};
