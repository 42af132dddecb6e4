#include "mainwindow.h"
#include "ui_mainwindow.h"
#include "framelessframe.h"
#include "channelcontroller.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QColor>
#include <QCoreApplication>
#include <QDebug>
#include <QHostAddress>
#include <QHostInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QTextEdit>
#include <QTranslator>

namespace {

// Ctrl+Enter and Ctrl+Return in a send area do what its Send button does,
// when it can; they never add a line.
class SendKeys : public QObject
{
public:
    SendKeys(QTextEdit *area, QAbstractButton *send) : QObject(area), m_send(send) { area->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || !(key->modifiers() & Qt::ControlModifier))
            return false;
        if (m_send->isEnabled())
            m_send->click();
        return true;
    }

private:
    QAbstractButton *m_send;
};

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow)
{
    m_translator = new QTranslator(this);
    m_translatorQt = new QTranslator(this);
    ui->setupUi(this);

    m_frame = new FramelessFrame(this, {ui->centralwidget, ui->frameMian, ui->headerFrame, ui->frameMenu,
                                        ui->minButton, ui->closeButton},
                                 [this] { return FramelessFrame::Question{tr("确认退出"), tr("确定要退出雁桥吗？")}; },
                                 FramelessFrame::Sizing::Resizable);
    // It starts at its smallest; what it grows by goes to the text areas.
    setMinimumSize(kMinimumSize);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(kMinimumSize);

    ui->stackedWidget->setCurrentIndex(0);
    ui->titlelabel->setText(tr("雁桥 - TCP客户端"));

    uiInit();
    createMenu();
    sysInit();
    initSerialUI();
    initRecording();
    initQuickCommands();
    loadSettings();

    connect(ui->serialButton, &QAbstractButton::clicked, this, [this] { ui->stackedWidget->setCurrentIndex(1); });
    for (QAbstractButton *button : {static_cast<QAbstractButton *>(ui->TCPClient), static_cast<QAbstractButton *>(ui->TCPserver),
                                    static_cast<QAbstractButton *>(ui->UDPButton)})
        connect(button, &QAbstractButton::clicked, this, [this] { ui->stackedWidget->setCurrentIndex(0); });
    connect(ui->openfileButton, &QPushButton::clicked, this, &MainWindow::on_ActOpenFile_triggered);
    connect(ui->savefileButton, &QPushButton::clicked, this, &MainWindow::on_ActSaveFile_triggered);
    new SendKeys(ui->Send_msg, ui->Send);
    new SendKeys(ui->DataToSend, ui->SnedData);
    // Tab goes down the page: the kick button stands above the client list.
    setTabOrder(ui->Kick, ui->client_list);
    ui->logoButton->setFocusPolicy(Qt::NoFocus);
    // The keyboard starts where one types, not on the first protocol button.
    ui->Send_msg->setFocus();

    // Last, so that the rebuilt menu shows the language's check and every
    // field already holds what the switch has to keep.
    initLanguage();
}

MainWindow::~MainWindow()
{
    // Closes every channel and stops every thread; the window no longer
    // listens, its pages are going.
    m_channels->disconnect(this);
    delete m_channels;
    m_channels = nullptr;
    stopRecordings();
    delete Send_timer;
    Send_timer = nullptr;
    delete timer;
    timer = nullptr;
    delete timer1;
    timer1 = nullptr;
    saveSettings();
    delete ui;
}

void MainWindow::uiInit()
{
    detectLocalAddress();

    ui->Send->setEnabled(false);
    ui->Local_Port->setEnabled(false);
    ui->Disconnect->setEnabled(false);
    ui->label_6->hide();
    ui->client_list->hide();
    ui->Kick->hide();

    protocolGroup = new QButtonGroup(this);
    protocolGroup->setExclusive(true);
    // Numbered as the channels are, which is how the protocol is stored.
    protocolGroup->addButton(ui->TCPClient, channelIndex(Channel::TcpClient));
    protocolGroup->addButton(ui->TCPserver, channelIndex(Channel::TcpServer));
    protocolGroup->addButton(ui->UDPButton, channelIndex(Channel::Udp));
    protocolGroup->addButton(ui->serialButton, channelIndex(Channel::Serial));
    connect(protocolGroup, &QButtonGroup::buttonClicked, this, &MainWindow::onProtocolButtonClicked);

    ui->TCPClient->setChecked(true);
    currentProtocolIndex = Channel::TcpClient;
    updateUIForProtocol(Channel::TcpClient);
}

void MainWindow::detectLocalAddress()
{
    const QString hostName = QHostInfo::localHostName();
    qDebug() << "本机名称：" << hostName;
    const QHostInfo info = QHostInfo::fromName(hostName);
    const QList<QHostAddress> addresses = info.addresses();
    for (const QHostAddress &address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            qDebug() << "本机IP地址：" << address.toString();
            ui->Local_IP->setText(address.toString());
        }
    }
}

QString MainWindow::protocolTitle(Channel channel) const
{
    switch (channel) {
    case Channel::TcpClient:
        return tr("雁桥 - TCP客户端");
    case Channel::TcpServer:
        return tr("雁桥 - TCP服务器");
    case Channel::Udp:
        return tr("雁桥 - UDP");
    case Channel::Serial:
        return tr("雁桥 - 串口");
    }
    return tr("雁桥");
}

void MainWindow::onProtocolButtonClicked()
{
    const std::optional<Channel> chosen = channelFromIndex(protocolGroup->checkedId());
    if (!chosen)
        return;
    // The page's buttons act on the channel it shows: one that is open is
    // closed before another network channel is chosen.
    const std::optional<Channel> open = m_channels ? m_channels->openNetworkChannel() : std::nullopt;
    if (isNetworkChannel(*chosen) && open && *open != *chosen)
        m_channels->close(*open);
    currentProtocolIndex = *chosen;
    ui->titlelabel->setText(protocolTitle(*chosen));
    updateUIForProtocol(*chosen);
}

void MainWindow::updateUIForProtocol(Channel channel)
{
    if (!isNetworkChannel(channel))
        return;

    m_networkPage = channel;
    const bool client = channel == Channel::TcpClient;
    const bool server = channel == Channel::TcpServer;
    applyConnectCaptions(channel);
    ui->UdpBroadcast->setEnabled(channel == Channel::Udp);
    // Coming back to the open channel from the serial page keeps its arrangement.
    const bool open = m_channels && m_channels->state(channel) != ChannelState::Closed;
    ui->Local_Port->setEnabled(!client && !open);
    ui->label_6->setVisible(server);
    ui->client_list->setVisible(server);
    ui->Kick->setVisible(server);
    if (client) {
        ui->DnsAnalysis->setEnabled(true);
    } else {
        ui->DnsAnalysis->setChecked(false);
        ui->DnsAnalysis->setEnabled(false);
    }
    if (server && !open)
        ui->client_list->clear();
}

void MainWindow::applyConnectCaptions(Channel channel)
{
    const bool client = channel == Channel::TcpClient;
    // While the client's connection is pending its button says so; Disconnect abandons it.
    const bool pending = client && m_channels && m_channels->state(channel) == ChannelState::Opening;
    ui->Connect->setText(pending ? tr("连接中…") : client ? tr("连接") : tr("打开"));
    ui->Disconnect->setText(client ? tr("断开") : tr("关闭"));
}

void MainWindow::selectProtocol(Channel channel)
{
    QAbstractButton *button = protocolGroup ? protocolGroup->button(channelIndex(channel)) : nullptr;
    if (!button)
        return;
    button->setChecked(true);
    ui->stackedWidget->setCurrentIndex(isNetworkChannel(channel) ? 0 : 1);
    onProtocolButtonClicked();
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && currentProtocolIndex != Channel::TcpServer)
        QMessageBox::information(this, tr("提示！"), tr("不可用！"), QMessageBox::Ok);

    if (event->key() == Qt::Key_Escape) {
        QMessageBox box;
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(tr("确认窗口"));
        box.setText(tr("确定退出吗？"));
        QPushButton *no = box.addButton(QMessageBox::No);
        QPushButton *yes = box.addButton(QMessageBox::Yes);
        // An Enter or a second Escape meant for something else leaves the window open.
        box.setDefaultButton(no);
        box.setEscapeButton(no);
        box.exec();
        if (box.clickedButton() == yes)
            close();
    }
}

