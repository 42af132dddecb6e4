#include "mainwindow.h"

void MainWindow::initSerialUI()
{
}

void MainWindow::initSerialService()
{
}

void MainWindow::shutdownSerial()
{
}

void MainWindow::GetSerialData(const QByteArray &Recive_msg)
{
}

void MainWindow::Refresh_ComList()
{
}

void MainWindow::on_SerialOpen_clicked()
{
}

void MainWindow::on_SerialClose_clicked()
{
}

void MainWindow::on_SnedData_clicked()
{
}

void MainWindow::on_SendClear_clicked()
{
}

void MainWindow::on_OpenFile_clicked()
{
}

void MainWindow::on_LoopSend_clicked()
{
}

void MainWindow::on_SaveData_clicked()
{
}

void MainWindow::EnableSelection()
{
}

void MainWindow::DisableSelection()
{
}

