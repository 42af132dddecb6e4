#include "mainwindow.h"

void MainWindow::sysInit()
{
}

void MainWindow::shutdownNetwork()
{
}

void MainWindow::UpdateMsg(QByteArray /*message*/)
{
}

void MainWindow::UpdateClientsList(QString method, QString /*IP*/)
{
}

void MainWindow::UpdateClientsHint(QString /*message*/)
{
}

void MainWindow::LoopSend()
{
}

void MainWindow::on_Connect_clicked()
{
}

void MainWindow::on_Disconnect_clicked()
{
}

void MainWindow::on_Send_clicked()
{
}

void MainWindow::on_Timer_Send_clicked()
{
}

void MainWindow::on_ClearMessage_clicked()
{
}

void MainWindow::on_clear_send_cnt_clicked()
{
}

void MainWindow::on_Kick_clicked()
{
}

void MainWindow::on_client_list_currentTextChanged(const QString &arg1)
{
}

void MainWindow::Enable_Options()
{
}

void MainWindow::Disable_Options()
{
}

