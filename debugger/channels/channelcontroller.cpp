#include "channelcontroller.h"

#include "peername.h"
#include "serial.h"
#include "tcp_client.h"
#include "tcp_server.h"
#include "udp_service.h"
#include "workerthread.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QMetaObject>
#include <QThread>

namespace {

// Runs `call` on the service's own thread, after everything asked of it before.
template<typename Service, typename Call>
void post(Service *service, Call call)
{
    QMetaObject::invokeMethod(service, [service, call] { call(service); }, Qt::QueuedConnection);
}

} // namespace

ChannelController::ChannelController(QObject *parent)
    : QObject(parent), m_rows(std::size(kChannels))
{
    qRegisterMetaType<QHostInfo>("QHostInfo");
    bindTcpClient();
    bindTcpServer();
    bindUdp();
    bindSerial();
    for (Channel channel : kChannels) {
        Row &r = row(channel);
        if (r.threadRunsAlways)
            r.thread->start();
    }
}

ChannelController::~ChannelController()
{
    // Closed on their own threads first, where a pending attempt's timer lives.
    closeNetwork();
    for (Channel channel : kChannels) {
        Row &r = row(channel);
        if (r.threadRunsAlways) {
            r.close();
            if (r.thread->isRunning()) {
                // The service goes with the thread's finish (deleteLater on
                // its own thread), so only the pointer is dropped here.
                stopWorkerThread(r.thread, r.service);
                r.service = nullptr;
            } else if (r.thread->isFinished()) {
                r.service = nullptr;
            }
        } else {
            stopWorkerThread(r.thread, r.service);
        }
        delete r.thread;
        delete r.service;
    }
}

void ChannelController::bindTcpClient()
{
    auto *client = new TCP_Client;
    auto *thread = new QThread;
    client->moveToThread(thread);
    constexpr Channel self = Channel::TcpClient;

    connect(client, &TCP_Client::TcpClientModeMsg, this,
            [this](const QByteArray &data) { emit received(self, data, m_clientPeer); });
    connect(client, &TCP_Client::BytesSent, this, [this](qint64 bytes) { emit bytesSent(self, bytes); });
    connect(client, &TCP_Client::Connected, this, [this] {
        // Sending is possible from now on, not from the click.
        if (state(self) == ChannelState::Opening)
            setState(self, ChannelState::Open);
    });
    connect(client, &TCP_Client::ConnectFailed, this, [this](const QString &reason) {
        if (state(self) == ChannelState::Opening)
            end(self, tr("连接失败：%1").arg(reason));
    });
    connect(client, &TCP_Client::ServerClosed, this, [this] {
        // A close reported for an earlier connection does not end a new attempt.
        if (state(self) == ChannelState::Open)
            end(self, tr("服务器已断开连接"));
    });

    Row &r = row(self);
    r.service = client;
    r.thread = thread;
    r.confirmsOpen = true;
    r.open = [this](const ChannelRequest &request) {
        if (request.lookUpName)
            m_lookupId = QHostInfo::lookupHost(request.address, this, &ChannelController::hostLookedUp);
        else
            connectClient(request.address, request.port);
    };
    r.close = [this, client] {
        if (m_lookupId >= 0)
            QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = -1;
        post(client, [](TCP_Client *service) { service->DisconnectFromServer(); });
    };
    r.send = [client](const QByteArray &data) { post(client, [data](TCP_Client *service) { service->SendMessage(data); }); };
}

void ChannelController::bindTcpServer()
{
    auto *server = new TCP_Server;
    auto *thread = new QThread;
    server->moveToThread(thread);
    constexpr Channel self = Channel::TcpServer;

    connect(server, &TCP_Server::ClientsMsgFrom, this,
            [this](const QByteArray &data, const QString &sender) { emit received(self, data, sender); });
    connect(server, &TCP_Server::BytesSent, this, [this](qint64 bytes) { emit bytesSent(self, bytes); });
    connect(server, &TCP_Server::ClientJoined, this, &ChannelController::clientJoined);
    connect(server, &TCP_Server::ClientLeft, this, &ChannelController::clientLeft);
    connect(server, &TCP_Server::TcpServerMsgToUI, this, [this](const QString &line) { emit statusLine(self, line); });
    connect(server, &TCP_Server::OpenFailed, this,
            [this](const QString &reason) { end(self, tr("服务器打开失败：%1").arg(reason)); });

    Row &r = row(self);
    r.service = server;
    r.thread = thread;
    r.open = [server](const ChannelRequest &request) {
        const quint16 port = request.port;
        const QHostAddress address = request.localAddress;
        post(server, [port, address](TCP_Server *service) { service->StartListenOn(port, address); });
    };
    r.close = [server] { post(server, [](TCP_Server *service) { service->StopListen(); }); };
    r.send = [server](const QByteArray &data) { post(server, [data](TCP_Server *service) { service->SendMessage(data); }); };
}

void ChannelController::bindUdp()
{
    auto *udp = new UDP_Service;
    auto *thread = new QThread;
    udp->moveToThread(thread);
    constexpr Channel self = Channel::Udp;

    connect(udp, &UDP_Service::UdpModeMsgFrom, this,
            [this](const QByteArray &data, const QString &sender) { emit received(self, data, sender); });
    connect(udp, &UDP_Service::BytesSent, this, [this](qint64 bytes) { emit bytesSent(self, bytes); });
    connect(udp, &UDP_Service::OpenFailed, this,
            [this](const QString &reason) { end(self, tr("UDP打开失败：%1").arg(reason)); });

    Row &r = row(self);
    r.service = udp;
    r.thread = thread;
    r.open = [udp](const ChannelRequest &request) {
        const quint16 port = request.port;
        const QHostAddress address = request.localAddress;
        post(udp, [port, address](UDP_Service *service) { service->OpenUdpOn(port, address); });
    };
    r.close = [udp] { post(udp, [](UDP_Service *service) { service->CloseUdp(); }); };
    r.send = [this, udp](const QByteArray &data) {
        const QString address = m_udpAddress;
        const quint16 port = m_udpPort;
        post(udp, [data, address, port](UDP_Service *service) { service->SendUdpMsg(data, address, port); });
    };
}

void ChannelController::bindSerial()
{
    auto *serial = new Serial;
    auto *thread = new QThread;
    serial->moveToThread(thread);
    connect(thread, &QThread::finished, serial, &QObject::deleteLater);
    constexpr Channel self = Channel::Serial;

    connect(serial, &Serial::message, this, [this](const QByteArray &data) { emit received(self, data, QString()); });
    connect(serial, &Serial::BytesSent, this, [this](qint64 bytes) { emit bytesSent(self, bytes); });
    connect(serial, &Serial::PinoutChanged, this, &ChannelController::serialPinoutChanged);
    connect(serial, &Serial::PortLost, this, [this](const QString &reason) {
        end(self, reason.isEmpty() ? tr("串口已断开") : tr("串口打开失败：%1").arg(reason));
    });

    Row &r = row(self);
    r.service = serial;
    r.thread = thread;
    r.threadRunsAlways = true;
    r.open = [serial](const ChannelRequest &q) {
        post(serial, [q](Serial *service) {
            service->OpenSerial(q.portName, q.baudRate, q.dataBits, q.stopBits, q.parity, q.flowControl);
        });
    };
    r.close = [serial] { post(serial, [](Serial *service) { service->CloseSerial(); }); };
    r.send = [serial](const QByteArray &data) { post(serial, [data](Serial *service) { service->SerialWrite(data); }); };
}

void ChannelController::open(Channel channel, const ChannelRequest &request)
{
    if (isNetworkChannel(channel)) {
        if (const std::optional<Channel> other = openNetworkChannel(); other && *other != channel)
            close(*other);
    }
    Row &r = row(channel);
    if (r.state != ChannelState::Closed)
        return;
    r.request = request;
    if (!r.thread->isRunning())
        r.thread->start();
    setState(channel, ChannelState::Opening);
    r.open(request);
    if (!r.confirmsOpen && r.state == ChannelState::Opening)
        setState(channel, ChannelState::Open);
}

void ChannelController::close(Channel channel)
{
    Row &r = row(channel);
    if (r.state == ChannelState::Closed)
        return;
    r.state = ChannelState::Closed;
    // The close is queued before the thread's end, and done before it.
    r.close();
    if (!r.threadRunsAlways)
        stopWorkerThread(r.thread, r.service);
    emit stateChanged(channel, ChannelState::Closed);
}

void ChannelController::closeNetwork()
{
    if (const std::optional<Channel> channel = openNetworkChannel())
        close(*channel);
}

ChannelState ChannelController::state(Channel channel) const
{
    return row(channel).state;
}

std::optional<Channel> ChannelController::openNetworkChannel() const
{
    for (Channel channel : kChannels) {
        if (isNetworkChannel(channel) && state(channel) != ChannelState::Closed)
            return channel;
    }
    return std::nullopt;
}

ChannelRequest ChannelController::request(Channel channel) const
{
    return row(channel).request;
}

void ChannelController::send(const QByteArray &data)
{
    if (const std::optional<Channel> channel = openNetworkChannel())
        send(*channel, data);
}

void ChannelController::send(Channel channel, const QByteArray &data)
{
    Row &r = row(channel);
    if (r.state != ChannelState::Open)
        return;
    emit sending(channel, data);
    r.send(data);
}

void ChannelController::setUdpTarget(const QString &address, quint16 port)
{
    m_udpAddress = address;
    m_udpPort = port;
}

void ChannelController::selectClient(const QString &name)
{
    // The server forwards the call to its own thread, queued behind any send
    // already asked for, so every send sees the target chosen before it.
    static_cast<TCP_Server *>(row(Channel::TcpServer).service)->SelectClient(name);
}

void ChannelController::selectAllClients()
{
    static_cast<TCP_Server *>(row(Channel::TcpServer).service)->SelectAllClients();
}

void ChannelController::kickClient(const QString &name)
{
    post(static_cast<TCP_Server *>(row(Channel::TcpServer).service),
         [name](TCP_Server *service) { service->KickClient(name); });
}

void ChannelController::setSerialLines(bool dtr, bool rts)
{
    if (state(Channel::Serial) != ChannelState::Open)
        return;
    post(static_cast<Serial *>(row(Channel::Serial).service),
         [dtr, rts](Serial *service) { service->SetLines(dtr, rts); });
}

void ChannelController::takeReports()
{
    const Row &serial = row(Channel::Serial);
    if (serial.thread->isRunning())
        QMetaObject::invokeMethod(serial.service, [] {}, Qt::BlockingQueuedConnection);
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

QObject *ChannelController::service(Channel channel) const
{
    return row(channel).service;
}

QThread *ChannelController::thread(Channel channel) const
{
    return row(channel).thread;
}

void ChannelController::hostLookedUp(const QHostInfo &host)
{
    // The channel was closed while the look-up ran: connecting now would open
    // a connection nobody asked for.
    if (state(Channel::TcpClient) != ChannelState::Opening || m_lookupId < 0)
        return;
    m_lookupId = -1;

    if (host.error() == QHostInfo::NoError) {
        const QList<QHostAddress> addresses = host.addresses();
        for (const QHostAddress &address : addresses) {
            const QString text = address.toString();
            if (text.isEmpty())
                continue;
            emit nameResolved(text);
            connectClient(text, row(Channel::TcpClient).request.port);
            return;
        }
    }
    // No address, no connection: the channel is closed again.
    close(Channel::TcpClient);
    emit nameResolved(QString());
}

void ChannelController::connectClient(const QString &address, quint16 port)
{
    m_clientPeer = peerName(QHostAddress(address), port);
    auto *client = static_cast<TCP_Client *>(row(Channel::TcpClient).service);
    post(client, [address, port](TCP_Client *service) { service->ConnectToServer(address, port); });
}

void ChannelController::setState(Channel channel, ChannelState state)
{
    row(channel).state = state;
    emit stateChanged(channel, state);
}

void ChannelController::end(Channel channel, const QString &line)
{
    if (state(channel) == ChannelState::Closed)
        return;
    close(channel);
    emit ended(channel, line);
}
