#include "mainwindow.h"

void MainWindow::on_ActOpenFile_triggered()
{
}

void MainWindow::on_ActSaveFile_triggered()
{
}

