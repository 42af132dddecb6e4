#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "channelcontroller.h"
#include "reconnector.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

void MainWindow::initReconnect()
{
    // Beside the host-name option, on the TCP client page only.
    m_autoReconnect = new QCheckBox(ui->groupBox_connection);
    m_autoReconnect->setObjectName(QStringLiteral("AutoReconnect"));
    QGridLayout *grid = ui->gridLayout_connection;
    grid->removeWidget(ui->DnsAnalysis);
    grid->addWidget(ui->DnsAnalysis, 4, 0, 1, 2);
    grid->addWidget(m_autoReconnect, 4, 2);
    m_autoReconnect->setVisible(ui->TCPClient->isChecked());
    connect(ui->TCPClient, &QAbstractButton::toggled, m_autoReconnect, &QWidget::setVisible);

    m_reconnector = new Reconnector(this);
    connect(m_reconnector, &Reconnector::attempt, this, &MainWindow::reconnectAttempt);
    connect(m_channels, &ChannelController::stateChanged, this, [this](Channel channel, ChannelState state) {
        if (channel == Channel::TcpClient && state == ChannelState::Open && m_reconnector->isActive()) {
            m_reconnector->connected();
            UpdateClientsHint(tr("已重新连接"));
        }
    });
    // While the page waits for its next attempt no channel is open: the
    // user's Disconnect, or another network protocol, ends the waiting.
    connect(ui->Disconnect, &QPushButton::clicked, this, &MainWindow::cancelReconnect);
    connect(protocolGroup, &QButtonGroup::buttonClicked, this, [this] {
        if (m_networkPage != Channel::TcpClient)
            cancelReconnect();
    });
}

bool MainWindow::reconnectAfterLoss(const QString &line)
{
    if (!m_autoReconnect->isChecked())
        return false;
    // The channel has closed; the page keeps its open arrangement, with
    // nothing to send, until a connection stands again or Disconnect.
    Disable_Options();
    ui->Send->setEnabled(false);
    // The loss is told once; each attempt then writes its own line.
    if (!m_reconnector->isActive())
        UpdateClientsHint(line);
    m_reconnector->lost();
    return true;
}

void MainWindow::reconnectAttempt(int number)
{
    if (m_networkPage != Channel::TcpClient || m_channels->openNetworkChannel()) {
        cancelReconnect();
        return;
    }
    UpdateClientsHint(tr("正在重连（第 %1 次）…").arg(number));
    // What the first connect was asked with; the fields are locked since.
    m_channels->open(Channel::TcpClient, m_channels->request(Channel::TcpClient));
}

void MainWindow::cancelReconnect()
{
    if (!m_reconnector->isActive())
        return;
    m_reconnector->cancel();
    if (!m_channels->openNetworkChannel())
        networkChannelClosed();
}
