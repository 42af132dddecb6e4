#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "bytecounter.h"
#include "fieldrules.h"
#include "hexcodec.h"
#include "longwordwrap.h"
#include "receivedisplay.h"
#include "tcp_client.h"
#include "tcp_server.h"
#include "udp_service.h"
#include "workerthread.h"

#include <QDateTime>
#include <QHostAddress>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

void MainWindow::sysInit()
{
    networkReceive = new ReceiveDisplay(ui->Recive_msg);
    new LongWordWrap(ui->Send_msg);

    Recive_Count = new ByteCounter(ui->Recive_cnt, ui->Recive_rate,
                                   QT_TRANSLATE_NOOP("MainWindow", "累计接收："), this);
    Send_Count = new ByteCounter(ui->Send_cnt, ui->Send_rate, QT_TRANSLATE_NOOP("MainWindow", "累计发送："), this);
    // The sent counter counts what the channels report written, not what was asked.
    const auto countSent = [this](qint64 bytes) { Send_Count->add(bytes); };

    Send_timer = new QTimer(this);
    connect(Send_timer, &QTimer::timeout, this, &MainWindow::LoopSend);

    qRegisterMetaType<QHostInfo>("QHostInfo");

    UdpThread = new QThread;
    UdpService = new UDP_Service;
    UdpService->moveToThread(UdpThread);
    connect(UdpService, &UDP_Service::UdpModeMsg, this, &MainWindow::UpdateMsg);
    connect(this, &MainWindow::udp_open, UdpService, &UDP_Service::OpenUdp);
    connect(this, &MainWindow::udp_close, UdpService, &UDP_Service::CloseUdp);
    connect(this, &MainWindow::udp_send, UdpService, &UDP_Service::SendUdpMsg);
    connect(UdpService, &UDP_Service::BytesSent, this, countSent);
    connect(UdpService, &UDP_Service::OpenFailed, this, [this](const QString &reason) {
        channelEnded(2, tr("UDP打开失败：%1").arg(reason));
    });

    ClientThread = new QThread;
    TcpClient = new TCP_Client;
    TcpClient->moveToThread(ClientThread);
    connect(TcpClient, &TCP_Client::TcpClientModeMsg, this, &MainWindow::UpdateMsg);
    connect(this, &MainWindow::tcpC_connect, TcpClient, &TCP_Client::ConnectToServer);
    connect(this, &MainWindow::tcpC_disconnect, TcpClient, &TCP_Client::DisconnectFromServer);
    connect(this, &MainWindow::tcpC_send, TcpClient, &TCP_Client::SendMessage);
    connect(TcpClient, &TCP_Client::BytesSent, this, countSent);
    connect(TcpClient, &TCP_Client::Connected, this, [this] {
        // Sending is possible from now on, not from the click.
        if (m_openChannel == 0) {
            m_clientConnected = true;
            ui->Send->setEnabled(true);
        }
    });
    connect(TcpClient, &TCP_Client::ConnectFailed, this, [this](const QString &reason) {
        channelEnded(0, tr("连接失败：%1").arg(reason));
    });
    connect(TcpClient, &TCP_Client::ServerClosed, this, [this] {
        if (m_clientConnected)
            channelEnded(0, tr("服务器已断开连接"));
    });

    ServerThread = new QThread;
    TcpServer = new TCP_Server;
    TcpServer->moveToThread(ServerThread);
    connect(this, &MainWindow::tcpS_open, TcpServer, &TCP_Server::StartListen);
    connect(this, &MainWindow::tcpS_close, TcpServer, &TCP_Server::StopListen);
    connect(this, &MainWindow::tcpS_send, TcpServer, &TCP_Server::SendMessage);
    connect(TcpServer, &TCP_Server::BytesSent, this, countSent);
    connect(this, &MainWindow::tcpS_kick, TcpServer, &TCP_Server::KickClient);
    connect(TcpServer, &TCP_Server::ClientsMsgToUI, this, &MainWindow::UpdateMsg);
    connect(TcpServer, &TCP_Server::UpdateClientsToUI, this, &MainWindow::UpdateClientsList);
    connect(TcpServer, &TCP_Server::TcpServerMsgToUI, this, &MainWindow::UpdateClientsHint);
    connect(TcpServer, &TCP_Server::OpenFailed, this, [this](const QString &reason) {
        channelEnded(1, tr("服务器打开失败：%1").arg(reason));
    });
}

void MainWindow::shutdownNetwork()
{
    // Closed on its own thread first, where a pending attempt's timer lives.
    if (m_openChannel >= 0)
        closeNetworkChannel();
    const std::pair<QThread **, QObject *> threads[] = {
        {&UdpThread, UdpService}, {&ServerThread, TcpServer}, {&ClientThread, TcpClient}};
    for (const auto &[thread, service] : threads) {
        // A thread that never ran (no channel opened) is still ours to free.
        if (*thread)
            stopWorkerThread(*thread, service);
        delete *thread;
        *thread = nullptr;
    }

    delete UdpService;
    UdpService = nullptr;
    delete TcpClient;
    TcpClient = nullptr;
    delete TcpServer;
    TcpServer = nullptr;
}

void MainWindow::UpdateMsg(QByteArray message)
{
    Recive_Count->add(message.size());

    networkReceive->addReceived(message, ui->HexDisplay->isChecked(), ui->AutoSwitchLine->isChecked(),
                                ui->DisplayTime->isChecked() ? QStringView(u"   Recive") : QStringView());
}

void MainWindow::on_ClearMessage_clicked()
{
    networkReceive->clear();
}

void MainWindow::on_Send_clicked()
{
    // Only what can go out is sent, counted and echoed: over the open
    // channel, once it is ready, and from a server to at least one client.
    if (m_openChannel < 0 || !ui->Send->isEnabled())
        return;
    if (m_openChannel == 1 && (ui->client_list->count() <= 1 || ui->client_list->currentIndex() < 0))
        return;

    QString text = ui->Send_msg->toPlainText();
    if (ui->SendNewLine->isChecked())
        text += QStringLiteral("\r\n");

    const bool hex = ui->HexSend->isChecked();
    const std::optional<QByteArray> parsed = bytesToSend(text, hex, Send_timer, ui->Timer_Send);
    if (!parsed)
        return;
    const QByteArray &bytes = *parsed;

    switch (m_openChannel) {
    case 0:
        emit tcpC_send(bytes);
        break;
    case 1:
        emit tcpS_send(bytes);
        break;
    case 2: {
        const std::optional<quint16> port = targetPortFromField(ui->Obj_Port->text());
        if (!port) {
            refuseSend(tr("目标端口错误：请输入 1–65535 之间的整数"), Send_timer, ui->Timer_Send);
            return;
        }
        const QString address = ui->UdpBroadcast->isChecked() ? QHostAddress(QHostAddress::Broadcast).toString()
                                                              : ui->Obj_IP->text();
        if (QHostAddress(address).isNull()) {
            UpdateClientsHint(tr("目标地址无效：%1").arg(address));
            return;
        }
        emit udp_send(bytes, address, *port);
        break;
    }
    default:
        break;
    }

    if (!ui->DisplaySendMsg->isChecked())
        return;
    if (ui->DisplayTime->isChecked())
        networkReceive->addSent(stampLine(QDateTime::currentDateTime(), u"   Send"));
    // What went out: in HEX send the bytes, as the receive area writes them.
    networkReceive->addSent(hex ? BytesToHexText(bytes) : text);
}

std::optional<QByteArray> MainWindow::bytesToSend(const QString &text, bool hex, QTimer *timed,
                                                  QAbstractButton *timedBox)
{
    if (!hex)
        return LocalTextToBytes(text);
    HexInput input = parseHexInput(text);
    if (input.ok())
        return std::move(input.bytes);
    refuseSend(tr("HEX格式错误：%1").arg(input.badToken), timed, timedBox);
    return std::nullopt;
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
    std::optional<quint16> port;
    if (currentProtocolIndex == 0) {
        port = targetPortFromField(ui->Obj_Port->text());
        if (!port) {
            QMessageBox::warning(this, tr("警告"), tr("目标端口错误：请输入 1–65535 之间的整数"));
            return;
        }
    } else if (currentProtocolIndex == 1 || currentProtocolIndex == 2) {
        port = localPortFromField(ui->Local_Port->text());
        if (!port) {
            QMessageBox::warning(this, tr("警告"),
                                 tr("本地端口错误：请输入 0–65535 之间的整数（0 由系统选择）"));
            return;
        }
    }

    switch (currentProtocolIndex) {
    case 0:
        ClientThread->start();
        if (ui->DnsAnalysis->isChecked())
            startClientConnection();
        else
            emit tcpC_connect(ui->Obj_IP->text(), *port);
        break;
    case 1:
        ServerThread->start();
        emit tcpS_open(*port);
        ui->client_list->addItem(QStringLiteral("All Clients"));
        break;
    case 2:
        UdpThread->start();
        emit udp_open(*port);
        break;
    default:
        return;
    }
    m_openChannel = currentProtocolIndex;
    m_clientConnected = false;
    // A character cut by the last channel's end does not join the next one's text.
    networkReceive->resetDecoder();
    Disable_Options();
    // The client can send once its connection stands.
    if (m_openChannel == 0)
        ui->Send->setEnabled(false);
}

void MainWindow::on_Disconnect_clicked()
{
    closeNetworkChannel();
}

void MainWindow::closeNetworkChannel()
{
    const int channel = m_openChannel;
    m_openChannel = -1;
    m_clientConnected = false;
    // A timed send goes over the open channel and ends with it.
    Send_timer->stop();
    ui->Timer_Send->setChecked(false);
    Enable_Options();
    switch (channel) {
    case 0:
        if (m_lookupId >= 0)
            QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = -1;
        emit tcpC_disconnect();
        stopWorkerThread(ClientThread, TcpClient);
        break;
    case 1:
        emit tcpS_close();
        stopWorkerThread(ServerThread, TcpServer);
        ui->client_list->clear();
        break;
    case 2:
        emit udp_close();
        stopWorkerThread(UdpThread, UdpService);
        break;
    default:
        break;
    }
}

// A transport's report that its channel failed or was closed by the peer: the
// page closes it as Disconnect would and says why. Reports about a channel
// that is no longer open are late and change nothing.
void MainWindow::channelEnded(int channel, const QString &line)
{
    if (channel != m_openChannel)
        return;
    closeNetworkChannel();
    UpdateClientsHint(line);
}

void MainWindow::Disable_Options()
{
    if (currentProtocolIndex == 0 || currentProtocolIndex == 1) {
        ui->Obj_IP->setEnabled(false);
        ui->Obj_Port->setEnabled(false);
    }
    ui->Connect->setEnabled(false);
    ui->Local_Port->setEnabled(false);
    ui->Disconnect->setEnabled(true);
    ui->Send->setEnabled(true);
}

void MainWindow::Enable_Options()
{
    // Enabled in every mode, so that a channel that ends while another page
    // is shown leaves no field locked.
    ui->Obj_IP->setEnabled(true);
    ui->Obj_Port->setEnabled(true);
    ui->Connect->setEnabled(true);
    ui->Local_Port->setEnabled(true);
    ui->Disconnect->setEnabled(false);
    ui->Send->setEnabled(false);
}

void MainWindow::UpdateClientsHint(QString message)
{
    networkReceive->addStatusLine(message, ui->DisplayTime->isChecked());
}

void MainWindow::UpdateClientsList(QString method, QString IP)
{
    if (method == QLatin1String("join")) {
        ui->client_list->addItem(IP);
    } else if (method == QLatin1String("leave")) {
        const int index = ui->client_list->findText(IP, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            removeClient(index);
    }
    ui->client_list->update();
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
    // The server forwards the call to its own thread, queued behind any send
    // already requested, so every send sees the target chosen before it.
    if (TcpServer)
        TcpServer->SelectClient(arg1);
    if (m_openChannel == 1)
        ui->Send->setEnabled(ui->client_list->currentIndex() >= 0);
}

void MainWindow::on_Kick_clicked()
{
    QComboBox *list = ui->client_list;
    if (list->count() <= 1 || list->currentIndex() < 0)
        return;
    if (list->currentIndex() > 0) {
        emit tcpS_kick(list->currentText());
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
        emit tcpS_kick(list->itemText(1));
        list->removeItem(1);
    }
}
