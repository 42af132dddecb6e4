#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "fieldrules.h"
#include "filesendbar.h"
#include "filesender.h"
#include "receivedisplay.h"
#include "channelcontroller.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHostAddress>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

// Pieces and how much may wait unwritten, by channel: TCP takes large
// pieces; a UDP piece is one datagram that fits an Ethernet frame; a serial
// line drains slowly, so little waits for it.
struct Pace
{
    qint64 piece;
    qint64 window;
};
constexpr Pace kTcpPace{256 * 1024, 4 * 1024 * 1024};
constexpr Pace kUdpPace{1472, 64 * 1472};
constexpr Pace kSerialPace{4096, 16 * 1024};

} // namespace

void MainWindow::initFileSend()
{
    // Under each page's send area, above its counters or buttons.
    const std::pair<QAbstractButton *, QVBoxLayout *> pages[2] = {{ui->Send, ui->verticalLayout_messages},
                                                                  {ui->SnedData, ui->verticalLayout_serialData}};
    for (int page : {kNetworkPage, kSerialPage}) {
        auto *bar = new FileSendBar(pages[page].first, page == kSerialPage ? QStringLiteral("_2") : QString());
        pages[page].second->insertWidget(2, bar);
        auto *sender = new FileSender(this);
        m_fileSendBar[page] = bar;
        m_fileSender[page] = sender;
        connect(bar, &FileSendBar::fileChosen, this, [this, page](const QString &path) { startFileSend(page, path); });
        connect(bar, &FileSendBar::stopClicked, sender, &FileSender::stop);
        connect(sender, &FileSender::progress, bar, &FileSendBar::setProgress);
        connect(sender, &FileSender::piece, this, [this, page](const QByteArray &bytes) { sendFilePiece(page, bytes); });
        connect(sender, &FileSender::finished, this, [this, page](bool complete) { fileSendEnded(page, complete); });
    }
    // What the page's channel writes, file or not, makes room for the next pieces.
    connect(m_channels, &ChannelController::bytesSent, this, [this](Channel channel, qint64 bytes) {
        m_fileSender[isNetworkChannel(channel) ? kNetworkPage : kSerialPage]->bytesWritten(bytes);
    });
}

void MainWindow::startFileSend(int page, const QString &path)
{
    Pace pace = kSerialPace;
    if (page == kNetworkPage) {
        // The rules of the page's Send: an open channel that is ready, and a
        // server's target client; a UDP target checked once, for every piece.
        const std::optional<Channel> open = m_channels->openNetworkChannel();
        if (!open || !ui->Send->isEnabled())
            return;
        if (*open == Channel::TcpServer && (ui->client_list->count() <= 1 || ui->client_list->currentIndex() < 0))
            return;
        m_fileChannel = *open;
        pace = *open == Channel::Udp ? kUdpPace : kTcpPace;
        if (*open == Channel::Udp) {
            const std::optional<quint16> port = targetPortFromField(ui->Obj_Port->text());
            if (!port) {
                QMessageBox::warning(this, tr("警告"), tr("目标端口错误：请输入 1–65535 之间的整数"));
                return;
            }
            m_fileTarget = ui->UdpBroadcast->isChecked() ? QHostAddress(QHostAddress::Broadcast).toString()
                                                         : ui->Obj_IP->text();
            m_fileTargetPort = *port;
            if (QHostAddress(m_fileTarget).isNull()) {
                QMessageBox::warning(this, tr("警告"), tr("目标地址无效：%1").arg(m_fileTarget));
                return;
            }
        }
    } else if (m_channels->state(Channel::Serial) != ChannelState::Open) {
        return;
    }

    FileSender *sender = m_fileSender[page];
    if (sender->isRunning())
        return;
    m_fileSendBar[page]->setRunning(true);
    // The echo is one line, written before the first piece goes.
    const bool network = page == kNetworkPage;
    ReceiveDisplay *display = network ? networkReceive : serialReceive;
    QFileInfo info(path);
    if ((network ? ui->DisplaySendMsg : ui->SendDisplay)->isChecked()) {
        if ((network ? ui->DisplayTime : ui->TimeDisplay)->isChecked())
            display->addSent(stampLine(QDateTime::currentDateTime(), network ? QStringView(u"   Send") : QStringView(u"  Send：")));
        display->addSent(tr("发送文件 %1，%2 字节").arg(info.fileName()).arg(info.size()));
    }
    if (!sender->start(path, pace.piece, pace.window)) {
        m_fileSendBar[page]->setRunning(false);
        QMessageBox::warning(this, tr("错误"), tr("无法读取文件：%1").arg(sender->errorString()));
    }
}

void MainWindow::sendFilePiece(int page, const QByteArray &bytes)
{
    if (page == kSerialPage) {
        m_channels->send(Channel::Serial, bytes);
        return;
    }
    // A typed send in between may have aimed the channel elsewhere.
    if (m_fileChannel == Channel::Udp)
        m_channels->setUdpTarget(m_fileTarget, m_fileTargetPort);
    m_channels->send(m_fileChannel, bytes);
}

void MainWindow::fileSendEnded(int page, bool complete)
{
    m_fileSendBar[page]->setRunning(false);
    if (complete)
        return;
    const FileSender *sender = m_fileSender[page];
    const bool network = page == kNetworkPage;
    const QString line = sender->errorString().isEmpty()
                             ? tr("发送文件已停止：已写出 %1 / %2 字节").arg(sender->written()).arg(sender->total())
                             : tr("发送文件中止：%1").arg(sender->errorString());
    (network ? networkReceive : serialReceive)
        ->addStatusLine(line, (network ? ui->DisplayTime : ui->TimeDisplay)->isChecked());
}

void MainWindow::stopFileSend(int page)
{
    if (m_fileSender[page])
        m_fileSender[page]->stop();
}
