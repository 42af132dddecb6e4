#include "mainwindow.h"

void MainWindow::loadSettings()
{
}

void MainWindow::saveSettings()
{
}

void MainWindow::on_resetButton_clicked()
{
}

