#pragma once

#include "channel.h"

#include <QByteArray>
#include <QHostAddress>
#include <QHostInfo>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QThread;

// What a channel is opened with. Each channel reads only its own fields.
struct ChannelRequest
{
    // TCP client: the server's address (a literal address, or a host name
    // when lookUpName is set) and port. TCP server and UDP: the local port
    // (0 lets the system choose).
    QString address;
    quint16 port = 0;
    bool lookUpName = false;
    // TCP server and UDP: the address listened on or bound to (Any: every
    // interface, IPv4 and IPv6).
    QHostAddress localAddress{QHostAddress::Any};

    // Serial: the port and the serial page's line codes (see serialLineSettings).
    QString portName;
    int baudRate = 0;
    qint8 dataBits = 8;
    qint8 stopBits = 0;
    qint8 parity = 0;
    qint8 flowControl = 0;

    static ChannelRequest serialPort(const QString &portName, int baudRate, qint8 dataBits, qint8 stopBits,
                                     qint8 parity, qint8 flowControl)
    {
        ChannelRequest request;
        request.portName = portName;
        request.baudRate = baudRate;
        request.dataBits = dataBits;
        request.stopBits = stopBits;
        request.parity = parity;
        request.flowControl = flowControl;
        return request;
    }
};

// The one place that knows Wrenpost's channels. It owns every channel's
// service and the service's worker thread, opens and closes channels (the
// network channels one at a time; the serial port beside any of them), sends
// over them, runs the TCP server's client choice and kicks, and reports in
// typed signals. The window only shows what it reports and asks it for things.
//
// A channel is one row, made by one bind function in the .cpp: the service,
// its thread, how it is opened, closed and sent over, and which of its
// signals mean received data, bytes written and the channel's end.
//
// Lives on the GUI thread; services are reached only through queued calls,
// in the order they were asked for.
class ChannelController : public QObject
{
    Q_OBJECT

public:
    explicit ChannelController(QObject *parent = nullptr);
    // Closes what is open, stops every thread and deletes the services.
    ~ChannelController() override;

    // Opens a channel: Opening, then Open (a TCP client once connected).
    // Opening a network channel closes the network channel that is open.
    void open(Channel channel, const ChannelRequest &request);
    // Closes a channel (nothing if it is closed); a network channel's thread
    // has stopped once this returns.
    void close(Channel channel);
    // Closes the open network channel, if any.
    void closeNetwork();

    ChannelState state(Channel channel) const;
    // The network channel that is opening or open, if any.
    std::optional<Channel> openNetworkChannel() const;
    // What the channel was last opened with.
    ChannelRequest request(Channel channel) const;

    // Sends over the open network channel; nothing unless it is Open.
    void send(const QByteArray &data);
    // Sends over that channel; nothing unless it is Open.
    void send(Channel channel, const QByteArray &data);
    // Where UDP sends go: a literal address (the broadcast address included) and port.
    void setUdpTarget(const QString &address, quint16 port);
    QString udpTargetAddress() const { return m_udpAddress; }
    quint16 udpTargetPort() const { return m_udpPort; }

    // The TCP server's send target: one client by its name, or all of them.
    void selectClient(const QString &name);
    void selectAllClients();
    void kickClient(const QString &name);

    // Raises or lowers the open serial port's DTR and RTS (a port without
    // them ignores it).
    void setSerialLines(bool dtr, bool rts);

    // Delivers now everything the services reported before this call (the
    // serial one is asked to finish what it was given first).
    void takeReports();

    // A channel's service and thread, for those who wait on the service
    // itself (tests, benchmarks). Never null.
    QObject *service(Channel channel) const;
    QThread *thread(Channel channel) const;

public Q_SLOTS:
    // The answer to the TCP client's host look-up; one that comes when no
    // look-up is pending changes nothing.
    void hostLookedUp(const QHostInfo &host);

Q_SIGNALS:
    void stateChanged(Channel channel, ChannelState state);
    // Bytes read from a channel. `sender` is "address:port" ("[address]:port"
    // for IPv6): the peer for TCP server and UDP, the server for the TCP
    // client, empty for the serial port.
    void received(Channel channel, QByteArray data, QString sender);
    // Bytes handed to a channel's service to write.
    void sending(Channel channel, QByteArray data);
    // Bytes a channel has written, as the system takes them.
    void bytesSent(Channel channel, qint64 bytes);
    // The TCP server's clients, by the names selectClient and kickClient take.
    void clientJoined(QString name);
    void clientLeft(QString name);
    // A status line of a channel for its receive area (a client arriving or leaving).
    void statusLine(Channel channel, QString line);
    // A channel closed by itself (failed to open, peer gone, device lost);
    // `line` says why. Follows its stateChanged to Closed.
    void ended(Channel channel, QString line);
    // The TCP client's host look-up gave this address; empty when it found
    // none, in which case the channel has been closed.
    void nameResolved(QString address);
    // The open serial port's input lines as QSerialPort::PinoutSignals, after
    // the open and on each change; `known` false: the device has none.
    void serialPinoutChanged(int pinout, bool known);

private:
    struct Row
    {
        QObject *service = nullptr;
        QThread *thread = nullptr;
        // The serial thread runs for the controller's whole life; the network
        // ones only while their channel is open.
        bool threadRunsAlways = false;
        // Open only once the service says so (otherwise at once).
        bool confirmsOpen = false;
        ChannelState state = ChannelState::Closed;
        ChannelRequest request;
        std::function<void(const ChannelRequest &)> open;
        std::function<void()> close;
        std::function<void(const QByteArray &)> send;
    };

    Row &row(Channel channel) { return m_rows[size_t(channelIndex(channel))]; }
    const Row &row(Channel channel) const { return m_rows[size_t(channelIndex(channel))]; }
    void setState(Channel channel, ChannelState state);
    // The service's report that its channel ended; late reports change nothing.
    void end(Channel channel, const QString &line);
    void connectClient(const QString &address, quint16 port);

    void bindTcpClient();
    void bindTcpServer();
    void bindUdp();
    void bindSerial();

    std::vector<Row> m_rows;
    QString m_udpAddress;
    quint16 m_udpPort = 0;
    // The server the TCP client connects to, as received data names it.
    QString m_clientPeer;
    // The host look-up of a client connection being opened, or -1.
    int m_lookupId = -1;

    friend class ChannelControllerTestAccess;
};
