#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "fieldrules.h"
#include "reconnector.h"
#include "tcp_client.h"

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
    connect(TcpClient, &TCP_Client::Connected, this, [this] {
        if (m_openChannel == 0 && m_reconnector->isActive()) {
            m_reconnector->connected();
            UpdateClientsHint(tr("已重新连接"));
        }
    });
}

bool MainWindow::reconnectAfterLoss(const QString &line)
{
    if (!m_autoReconnect->isChecked())
        return false;
    // The channel stays open, and its thread running, but nothing can be
    // sent until a connection stands again; a file send ends here.
    m_clientConnected = false;
    ui->Send->setEnabled(false);
    stopFileSend(kNetworkPage);
    // The loss is told once; each attempt then writes its own line.
    if (!m_reconnector->isActive())
        UpdateClientsHint(line);
    m_reconnector->lost();
    return true;
}

void MainWindow::reconnectAttempt(int number)
{
    if (m_openChannel != 0)
        return;
    UpdateClientsHint(tr("正在重连（第 %1 次）…").arg(number));
    // The fields were checked at the first connect and are locked since.
    if (ui->DnsAnalysis->isChecked())
        startClientConnection();
    else
        emit tcpC_connect(ui->Obj_IP->text(), targetPortFromField(ui->Obj_Port->text()).value_or(0));
}
