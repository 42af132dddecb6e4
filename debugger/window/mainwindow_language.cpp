#include "mainwindow.h"

void MainWindow::loadLanguage(const QString &/*language*/)
{
}

void MainWindow::initLanguage()
{
}

