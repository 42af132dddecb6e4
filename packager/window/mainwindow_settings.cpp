#include "mainwindow.h"

void MainWindow::on_resetButton_clicked()
{
}

void MainWindow::initLanguage()
{
}

void MainWindow::loadLanguage(const QString &)
{
}

void MainWindow::updateMenuLanguage()
{
}

void MainWindow::loadSettings()
{
}

void MainWindow::saveSettings()
{
}

void MainWindow::createMenu()
{
}

