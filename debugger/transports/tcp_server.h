#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QString>

class QTcpServer;
class QTcpSocket;

// The TCP server channel: listens on the address it is given, keeps one table
// entry per client, named "address:port" ("[address]:port" for IPv6), sends to the selected client or to all, kicks,
// and reports arrivals, departures and a port it cannot listen on. Lives on its own thread; SelectClient alone may be
// called from another thread and forwards itself to the server's thread, so
// the target is only ever read and written there, in the order of the calls.
class TCP_Server : public QObject
{
    Q_OBJECT

public:
    TCP_Server();
    ~TCP_Server() override;

public Q_SLOTS:
    // Listens on every interface, IPv4 and IPv6.
    void StartListen(quint16 port);
    // Listens on that address only (QHostAddress::Any: as StartListen).
    void StartListenOn(quint16 port, QHostAddress address);
    void StopListen();
    void SelectClient(QString ip);
    // Sends go to every client; may be called from any thread, like SelectClient.
    void SelectAllClients();
    void KickClient(QString ip);
    void SendMessage(QByteArray msg);
    void HasClientConnect();
    void HasClientDisconnect();
    void ReciveClientMessage();

Q_SIGNALS:
    void ClientsMsgToUI(QByteArray message);
    // The same bytes with the client that sent them, "address:port"
    // ("[address]:port" for IPv6).
    void ClientsMsgFrom(QByteArray message, QString sender);
    // Bytes the system has taken for sending to any client (a send to all
    // clients counts for each), as it takes them.
    void BytesSent(qint64 bytes);
    void TcpServerMsgToUI(QString message);
    void UpdateClientsToUI(QString method, QString IP);
    // The same arrivals and departures, by the client's table name.
    void ClientJoined(QString name);
    void ClientLeft(QString name);
    // Listening failed (port in use, not permitted); `reason` is the server's own description.
    void OpenFailed(QString reason);

private:
    QTcpServer *Server;
    QTcpSocket *ObjClient = nullptr;
    // Set when the selected client has left: its sends are dropped, as they
    // would be on its closed socket, rather than going to everybody.
    bool m_targetLeft = false;
    QHash<QString, QTcpSocket *> *MyClients;
    // Every open client connection by its name, including kicked ones still
    // flushing their output.
    QHash<QTcpSocket *, QString> m_peers;
};
