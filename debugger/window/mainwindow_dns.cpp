#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "channelcontroller.h"

#include <QMessageBox>

void MainWindow::lookedUp(QHostInfo host)
{
    m_channels->hostLookedUp(host);
}

void MainWindow::showResolvedName(const QString &address)
{
    DnsAnalysisResult = address;
    // No address, no connection: the controller has closed the channel.
    if (address.isEmpty())
        QMessageBox::information(this, tr("域名解析结果"), tr("解析失败，未找到相应IP"));
}

void MainWindow::on_ActDnsAnalysis_triggered()
{
    QMessageBox::information(this, tr("提示"),
                             tr("在目标地址写入域名，自动解析为IP地址并连接，如“") + QStringLiteral("localhost")
                                 + tr("”。若域名对应多个IP地址，默认使用第一个有效地址。仅TCP客户端模式下可用！"));
}
