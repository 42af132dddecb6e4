#include "mainwindow.h"

void MainWindow::createMenu()
{
}

void MainWindow::updateMenuLanguage()
{
}

void MainWindow::showMenu()
{
}

void MainWindow::on_ActAbout_triggered()
{
}

