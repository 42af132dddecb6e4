#include "mainwindow.h"

void MainWindow::lookedUp(QHostInfo /*host*/)
{
}

void MainWindow::on_ActDnsAnalysis_triggered()
{
}

void MainWindow::startClientConnection()
{
}

