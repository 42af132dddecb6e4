#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

class QTcpServer;
class QTcpSocket;

// The TCP server channel: listens on all interfaces, keeps one table entry per
// client address, sends to the selected client or to all, kicks, and reports
// arrivals and departures. Lives on its own thread; SelectClient alone may be
// called from another thread and forwards itself to the server's thread, so
// the target is only ever read and written there, in the order of the calls.
class TCP_Server : public QObject
{
    Q_OBJECT

public:
    TCP_Server();
    ~TCP_Server() override;

public Q_SLOTS:
    void StartListen(quint16 port);
    void StopListen();
    void SelectClient(QString ip);
    void KickClient(QString ip);
    void SendMessage(QByteArray msg);
    void HasClientConnect();
    void HasClientDisconnect();
    void ReciveClientMessage();

Q_SIGNALS:
    void ClientsMsgToUI(QByteArray message);
    void TcpServerMsgToUI(QString message);
    void UpdateClientsToUI(QString method, QString IP);

private:
    struct Peer
    {
        QString ip;
        quint16 port = 0;
    };

    QTcpServer *Server;
    QTcpSocket *ObjClient = nullptr;
    // Set when the selected client has left: its sends are dropped, as they
    // would be on its closed socket, rather than going to everybody.
    bool m_targetLeft = false;
    QHash<QString, QTcpSocket *> *MyClients;
    // Every open client connection, including those whose address key was
    // taken over by a later connection from the same address.
    QHash<QTcpSocket *, Peer> m_peers;
};
