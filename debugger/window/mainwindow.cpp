#include "mainwindow.h"
#include "ui_mainwindow.h"
#include "framelessframe.h"

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
    initSerialService();

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
    shutdownNetwork();
    shutdownSerial();
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
    protocolGroup->addButton(ui->TCPClient, 0);
    protocolGroup->addButton(ui->TCPserver, 1);
    protocolGroup->addButton(ui->UDPButton, 2);
    protocolGroup->addButton(ui->serialButton, 3);
    connect(protocolGroup, &QButtonGroup::buttonClicked, this, &MainWindow::onProtocolButtonClicked);

    ui->TCPClient->setChecked(true);
    currentProtocolIndex = 0;
    updateUIForProtocol(0);
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

QString MainWindow::protocolTitle(int index) const
{
    static const char *const titles[] = {
        QT_TR_NOOP("雁桥 - TCP客户端"),
        QT_TR_NOOP("雁桥 - TCP服务器"),
        QT_TR_NOOP("雁桥 - UDP"),
        QT_TR_NOOP("雁桥 - 串口"),
    };
    return index >= 0 && index < 4 ? tr(titles[index]) : tr("雁桥");
}

void MainWindow::onProtocolButtonClicked()
{
    const QAbstractButton *buttons[] = {ui->TCPClient, ui->TCPserver, ui->UDPButton, ui->serialButton};
    for (int index = 0; index < 4; ++index) {
        if (buttons[index]->isChecked()) {
            // The page's buttons act on the channel it shows: one that is
            // open is closed before another network channel is chosen.
            if (index <= 2 && m_openChannel >= 0 && index != m_openChannel)
                closeNetworkChannel();
            currentProtocolIndex = index;
            ui->titlelabel->setText(protocolTitle(index));
            updateUIForProtocol(index);
            return;
        }
    }
}

void MainWindow::updateUIForProtocol(int index)
{
    if (index < 0 || index > 2)
        return;

    const bool client = index == 0;
    const bool server = index == 1;
    applyConnectCaptions(index);
    ui->UdpBroadcast->setEnabled(index == 2);
    // Coming back to the open channel from the serial page keeps its arrangement.
    const bool open = m_openChannel == index;
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

void MainWindow::applyConnectCaptions(int index)
{
    const bool client = index == 0;
    ui->Connect->setText(client ? tr("连接") : tr("打开"));
    ui->Disconnect->setText(client ? tr("断开") : tr("关闭"));
}

void MainWindow::selectProtocol(int index)
{
    QAbstractButton *button = protocolGroup ? protocolGroup->button(index) : nullptr;
    if (!button)
        return;
    button->setChecked(true);
    ui->stackedWidget->setCurrentIndex(index == 3 ? 1 : 0);
    onProtocolButtonClicked();
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && currentProtocolIndex != 1)
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

