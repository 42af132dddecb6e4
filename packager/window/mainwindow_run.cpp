#include "mainwindow.h"

void MainWindow::on_startButton_clicked()
{
}

void MainWindow::onWorkerProgress(int)
{
}

void MainWindow::onWorkerLog(const QString &)
{
}

void MainWindow::onWorkerFinished(bool)
{
}

void MainWindow::startWorker()
{
}

void MainWindow::stopWorker()
{
}

void MainWindow::createWorkFolder()
{
}

void MainWindow::removeWorkFolder()
{
}

void MainWindow::setProcessingState(bool)
{
}

