#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "bytecounter.h"
#include "checksum.h"
#include "fieldrules.h"
#include "hexcodec.h"
#include "localaddress.h"
#include "localaddressfield.h"
#include "longwordwrap.h"
#include "receivedisplay.h"
#include "channelcontroller.h"
#include "reconnector.h"

#include <QDateTime>
#include <QHostAddress>
#include <QMessageBox>
#include <QTimer>

void MainWindow::sysInit()
{
    networkReceive = new ReceiveDisplay(ui->Recive_msg);
    new LongWordWrap(ui->Send_msg);
    new LocalAddressField(ui->Local_IP);

    Recive_Count = new ByteCounter(ui->Recive_cnt, ui->Recive_rate,
                                   QT_TRANSLATE_NOOP("MainWindow", "累计接收："), this);
    Send_Count = new ByteCounter(ui->Send_cnt, ui->Send_rate, QT_TRANSLATE_NOOP("MainWindow", "累计发送："), this);

    Send_timer = new QTimer(this);
    connect(Send_timer, &QTimer::timeout, this, &MainWindow::LoopSend);

    m_channels = new ChannelController(this);
    connect(m_channels, &ChannelController::stateChanged, this, &MainWindow::channelStateChanged);
    connect(m_channels, &ChannelController::ended, this, &MainWindow::channelEnded);
    connect(m_channels, &ChannelController::received, this,
            [this](Channel channel, const QByteArray &data, const QString &sender) {
                showReceived(channel, data, sender);
            });
    // The sent counters count what the channels report written, not what was asked.
    connect(m_channels, &ChannelController::bytesSent, this, [this](Channel channel, qint64 bytes) {
        (isNetworkChannel(channel) ? Send_Count : SendCount)->add(bytes);
    });
    connect(m_channels, &ChannelController::statusLine, this, [this](Channel, const QString &line) {
        UpdateClientsHint(line);
    });
    connect(m_channels, &ChannelController::clientJoined, this, &MainWindow::addClient);
    connect(m_channels, &ChannelController::clientLeft, this, &MainWindow::dropClient);
    connect(m_channels, &ChannelController::nameResolved, this, &MainWindow::showResolvedName);
    forwardRequestSignals();
}

// The window's request signals ask the controller, as its own buttons do.
void MainWindow::forwardRequestSignals()
{
    ChannelController *channels = m_channels;
    connect(this, &MainWindow::tcpC_connect, channels, [channels](const QString &address, quint16 port) {
        ChannelRequest request;
        request.address = address;
        request.port = port;
        channels->open(Channel::TcpClient, request);
    });
    connect(this, &MainWindow::tcpC_disconnect, channels, [channels] { channels->close(Channel::TcpClient); });
    connect(this, &MainWindow::tcpC_send, channels,
            [channels](const QByteArray &data) { channels->send(Channel::TcpClient, data); });
    connect(this, &MainWindow::tcpS_open, channels, [channels](quint16 port) {
        ChannelRequest request;
        request.port = port;
        channels->open(Channel::TcpServer, request);
    });
    connect(this, &MainWindow::tcpS_close, channels, [channels] { channels->close(Channel::TcpServer); });
    connect(this, &MainWindow::tcpS_send, channels,
            [channels](const QByteArray &data) { channels->send(Channel::TcpServer, data); });
    connect(this, &MainWindow::tcpS_kick, channels, &ChannelController::kickClient);
    connect(this, &MainWindow::udp_open, channels, [channels](quint16 port) {
        ChannelRequest request;
        request.port = port;
        channels->open(Channel::Udp, request);
    });
    connect(this, &MainWindow::udp_close, channels, [channels] { channels->close(Channel::Udp); });
    connect(this, &MainWindow::udp_send, channels, [channels](const QByteArray &data, const QString &address, quint16 port) {
        channels->setUdpTarget(address, port);
        channels->send(Channel::Udp, data);
    });
    connect(this, &MainWindow::openSerial, channels,
            [channels](const QString &name, int baud, qint8 dataBits, qint8 stopBits, qint8 parity, qint8 flow) {
                channels->open(Channel::Serial, ChannelRequest::serialPort(name, baud, dataBits, stopBits, parity, flow));
            });
    connect(this, &MainWindow::closeSerial, channels, [channels] { channels->close(Channel::Serial); });
    connect(this, &MainWindow::sendMsg, channels,
            [channels](const QByteArray &data) { channels->send(Channel::Serial, data); });
}

void MainWindow::channelStateChanged(Channel channel, ChannelState state)
{
    if (channel == Channel::Serial) {
        if (state == ChannelState::Opening) {
            serialReceive->resetDecoder();
            DisableSelection();
            timer1->stop();
        } else if (state == ChannelState::Closed) {
            serialChannelClosed();
        }
        return;
    }
    switch (state) {
    case ChannelState::Opening:
        // A character cut by the last channel's end does not join the next one's text.
        networkReceive->resetDecoder();
        Disable_Options();
        // Sending waits until the channel is open.
        ui->Send->setEnabled(false);
        break;
    case ChannelState::Open:
        ui->Send->setEnabled(true);
        break;
    case ChannelState::Closed:
        networkChannelClosed();
        break;
    }
    if (channel == m_networkPage)
        applyConnectCaptions(channel);
}

// A channel that failed or was closed by its peer has been closed as Close
// would close it; its page says why.
void MainWindow::channelEnded(Channel channel, const QString &line)
{
    if (channel == Channel::TcpClient && reconnectAfterLoss(line))
        return;
    if (channel == Channel::Serial)
        serialReceive->addStatusLine(line, ui->TimeDisplay->isChecked());
    else
        UpdateClientsHint(line);
}

void MainWindow::showReceived(Channel channel, const QByteArray &data, const QString &sender)
{
    if (channel == Channel::Serial)
        GetSerialData(data);
    else
        // The client's page has one peer, the server it connected to.
        UpdateMsg(data, channel == Channel::TcpClient ? QString() : sender);
}

void MainWindow::networkChannelClosed()
{
    // A timed or file send goes over the open channel and ends with it.
    Send_timer->stop();
    ui->Timer_Send->setChecked(false);
    stopFileSend(kNetworkPage);
    Enable_Options();
    ui->client_list->clear();
}

void MainWindow::UpdateMsg(QByteArray message, QString sender)
{
    Recive_Count->add(message.size());

    networkReceive->addReceived(message, ui->HexDisplay->isChecked(), ui->AutoSwitchLine->isChecked(),
                                ui->DisplayTime->isChecked() ? QStringView(u"   Recive") : QStringView(), sender);
}

void MainWindow::on_ClearMessage_clicked()
{
    networkReceive->clear();
}

void MainWindow::on_Send_clicked()
{
    sendNetworkText(ui->Send_msg->toPlainText(), ui->HexSend->isChecked(), ui->SendNewLine->isChecked(), Send_timer,
                    ui->Timer_Send);
}

bool MainWindow::sendNetworkText(QString text, bool hex, bool newLine, QTimer *timed, QAbstractButton *timedBox)
{
    // Only what can go out is sent, counted and echoed: over the open
    // channel, once it is ready, and from a server to at least one client.
    const std::optional<Channel> open = m_channels->openNetworkChannel();
    if (!open || !ui->Send->isEnabled())
        return false;
    if (*open == Channel::TcpServer && (ui->client_list->count() <= 1 || ui->client_list->currentIndex() < 0))
        return false;

    if (newLine)
        text += QStringLiteral("\r\n");

    const std::optional<QByteArray> parsed = bytesToSend(text, hex, timed, timedBox);
    if (!parsed)
        return false;
    const QByteArray &bytes = *parsed;

    // The UDP page names the datagram's target.
    if (*open == Channel::Udp) {
        const std::optional<quint16> port = targetPortFromField(ui->Obj_Port->text());
        if (!port) {
            refuseSend(tr("目标端口错误：请输入 1–65535 之间的整数"), timed, timedBox);
            return false;
        }
        const QString address = ui->UdpBroadcast->isChecked() ? QHostAddress(QHostAddress::Broadcast).toString()
                                                              : ui->Obj_IP->text();
        if (QHostAddress(address).isNull()) {
            UpdateClientsHint(tr("目标地址无效：%1").arg(address));
            return false;
        }
        m_channels->setUdpTarget(address, *port);
    }
    m_channels->send(bytes);

    if (!ui->DisplaySendMsg->isChecked())
        return true;
    if (ui->DisplayTime->isChecked())
        networkReceive->addSent(stampLine(QDateTime::currentDateTime(), u"   Send"));
    // What went out: in HEX send the bytes, as the receive area writes them.
    networkReceive->addSent(sentEcho(text, hex, bytes, timed));
    return true;
}

std::optional<QByteArray> MainWindow::bytesToSend(const QString &text, bool hex, QTimer *timed,
                                                  QAbstractButton *timedBox)
{
    QByteArray bytes;
    if (!hex) {
        bytes = LocalTextToBytes(text);
    } else {
        HexInput input = parseHexInput(text);
        if (!input.ok()) {
            refuseSend(tr("HEX格式错误：%1").arg(input.badToken), timed, timedBox);
            return std::nullopt;
        }
        bytes = std::move(input.bytes);
    }
    // Every send of the page ends with the page's checksum over all its bytes.
    bytes += Checksum::bytes(pageChecksum(timed), bytes);
    return bytes;
}

void MainWindow::refuseSend(const QString &message, QTimer *timed, QAbstractButton *timedBox)
{
    // Stopped before the box: a tick must not meet the same text again behind it.
    timed->stop();
    timedBox->setChecked(false);
    QMessageBox::warning(this, tr("警告"), message);
}

void MainWindow::LoopSend()
{
    if (!Send_timer->isActive()) {
        on_Send_clicked();
        return;
    }
    // A refused send stops the timer: what is still owed is not sent.
    for (qint64 owed = m_timedPace.owed(); owed > 0 && Send_timer->isActive(); --owed)
        on_Send_clicked();
}

void MainWindow::on_Timer_Send_clicked()
{
    if (!ui->Timer_Send->isChecked()) {
        Send_timer->stop();
        return;
    }
    if (const std::optional<int> period = timedSendPeriodFromText(ui->period->text())) {
        Send_timer->start(*period);
        m_timedPace.start(*period);
        return;
    }
    // A timed send that does not run is not shown ticked.
    ui->Timer_Send->setChecked(false);
    QMessageBox::warning(this, tr("警告"), tr("定时周期错误！"));
}

void MainWindow::on_clear_send_cnt_clicked()
{
    Send_Count->reset();
    Recive_Count->reset();
}

void MainWindow::on_Connect_clicked()
{
    // Checked before anything starts: a port the user did not type is never used.
    const Channel channel = m_networkPage;
    ChannelRequest request;
    if (channel == Channel::TcpClient) {
        const std::optional<quint16> port = targetPortFromField(ui->Obj_Port->text());
        if (!port) {
            QMessageBox::warning(this, tr("警告"), tr("目标端口错误：请输入 1–65535 之间的整数"));
            return;
        }
        request.address = ui->Obj_IP->text();
        request.port = *port;
        request.lookUpName = ui->DnsAnalysis->isChecked();
    } else {
        const std::optional<quint16> port = localPortFromField(ui->Local_Port->text());
        if (!port) {
            QMessageBox::warning(this, tr("警告"),
                                 tr("本地端口错误：请输入 0–65535 之间的整数（0 由系统选择）"));
            return;
        }
        request.port = *port;
        // Only where the field says: "0.0.0.0" alone opens every interface.
        const std::optional<QHostAddress> local = localBindAddress(ui->Local_IP->text());
        if (!local) {
            UpdateClientsHint(tr("本机地址无效：%1").arg(ui->Local_IP->text()));
            return;
        }
        request.localAddress = *local;
    }
    m_channels->open(channel, request);
    // Its first row, current at once: sends go to every client until one is chosen.
    if (channel == Channel::TcpServer)
        ui->client_list->addItem(QStringLiteral("All Clients"));
}

void MainWindow::on_Disconnect_clicked()
{
    m_channels->closeNetwork();
}

void MainWindow::Disable_Options()
{
    if (m_networkPage != Channel::Udp) {
        ui->Obj_IP->setEnabled(false);
        ui->Obj_Port->setEnabled(false);
    }
    ui->Connect->setEnabled(false);
    // Where the open channel listens stays as it was opened.
    ui->Local_IP->setEnabled(false);
    ui->Local_Port->setEnabled(false);
    ui->Disconnect->setEnabled(true);
    ui->Send->setEnabled(true);
}

void MainWindow::Enable_Options()
{
    ui->Obj_IP->setEnabled(true);
    ui->Obj_Port->setEnabled(true);
    ui->Connect->setEnabled(true);
    ui->Local_IP->setEnabled(true);
    // The client's local port is the system's choice.
    ui->Local_Port->setEnabled(m_networkPage != Channel::TcpClient);
    ui->Disconnect->setEnabled(false);
    ui->Send->setEnabled(false);
}

void MainWindow::UpdateClientsHint(QString message)
{
    networkReceive->addStatusLine(message, ui->DisplayTime->isChecked());
}

// The server's event names, for those who still report in them; the
// controller's reports come typed to addClient and dropClient.
void MainWindow::UpdateClientsList(QString method, QString IP)
{
    if (method == QLatin1String("join"))
        addClient(IP);
    else if (method == QLatin1String("leave"))
        dropClient(IP);
}

void MainWindow::addClient(const QString &name)
{
    ui->client_list->addItem(name);
}

void MainWindow::dropClient(const QString &name)
{
    const int index = ui->client_list->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        removeClient(index);
}

// Removes a client from the list. When it was the target, no other client
// takes its place: nothing is selected and Send waits for the user's choice.
void MainWindow::removeClient(int index)
{
    QComboBox *list = ui->client_list;
    const bool wasTarget = index == list->currentIndex();
    list->removeItem(index);
    if (wasTarget)
        list->setCurrentIndex(-1);
}

void MainWindow::on_client_list_currentTextChanged(const QString &arg1)
{
    const int index = ui->client_list->currentIndex();
    if (index == 0)
        m_channels->selectAllClients();
    else if (index > 0)
        m_channels->selectClient(arg1);
    if (m_channels->state(Channel::TcpServer) == ChannelState::Open)
        ui->Send->setEnabled(index >= 0);
}

void MainWindow::on_Kick_clicked()
{
    QComboBox *list = ui->client_list;
    if (list->count() <= 1 || list->currentIndex() < 0)
        return;
    if (list->currentIndex() > 0) {
        m_channels->kickClient(list->currentText());
        removeClient(list->currentIndex());
        return;
    }
    // "All Clients": asked once, then every client is ended.
    QMessageBox box(QMessageBox::Question, tr("提示"), tr("确定断开全部 %1 个客户端吗？").arg(list->count() - 1),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return;
    while (list->count() > 1) {
        m_channels->kickClient(list->itemText(1));
        list->removeItem(1);
    }
}
