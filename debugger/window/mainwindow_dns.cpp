#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "fieldrules.h"

#include <QHostAddress>
#include <QMessageBox>
#include <QThread>

void MainWindow::startClientConnection()
{
    m_lookupId = QHostInfo::lookupHost(ui->Obj_IP->text(), this, &MainWindow::lookedUp);
}

void MainWindow::lookedUp(QHostInfo host)
{
    // The channel was closed while the look-up ran: connecting now would open
    // a connection nobody asked for.
    if (m_openChannel != 0)
        return;
    m_lookupId = -1;

    if (host.error() != QHostInfo::NoError) {
        // No address, no connection: the page is closed again.
        closeNetworkChannel();
        QMessageBox::information(this, tr("域名解析结果"), tr("解析失败，未找到相应IP"));
        DnsAnalysisResult.clear();
        return;
    }

    const QList<QHostAddress> addresses = host.addresses();
    for (const QHostAddress &address : addresses) {
        const QString text = address.toString();
        if (text.isEmpty())
            continue;
        DnsAnalysisResult = text;
        // The field was checked as the connection was opened, and is locked since.
        emit tcpC_connect(text, targetPortFromField(ui->Obj_Port->text()).value_or(0));
        return;
    }
}

void MainWindow::on_ActDnsAnalysis_triggered()
{
    QMessageBox::information(this, tr("提示"),
                             tr("在目标地址写入域名，自动解析为IP地址并连接，如“") + QStringLiteral("localhost")
                                 + tr("”。若域名对应多个IP地址，默认使用第一个有效地址。仅TCP客户端模式下可用！"));
}
