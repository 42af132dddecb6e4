#include "mainwindow.h"
#include "ui_mainwindow.h"

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow)
{
    ui->setupUi(this);
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::mousePressEvent(QMouseEvent *event) { QMainWindow::mousePressEvent(event); }
void MainWindow::mouseReleaseEvent(QMouseEvent *event) { QMainWindow::mouseReleaseEvent(event); }
void MainWindow::mouseMoveEvent(QMouseEvent *event) { QMainWindow::mouseMoveEvent(event); }
void MainWindow::changeEvent(QEvent *event) { QMainWindow::changeEvent(event); }
void MainWindow::on_selectFolderButton_clicked() {}
void MainWindow::on_outputButton_clicked() {}
void MainWindow::on_iconButton_clicked() {}
void MainWindow::on_aboutButton_clicked() {}
void MainWindow::on_mainExeButton_clicked() {}
void MainWindow::onMinimizeButtonClicked() {}
void MainWindow::onCloseButtonClicked() {}
void MainWindow::onTabButtonClicked(int) {}
void MainWindow::updateExeList(const QString &) {}
bool MainWindow::validateInputs() { return false; }
QString MainWindow::compressionLevelArg() const { return {}; }
QString MainWindow::compressionMethodArg() const { return {}; }
QString MainWindow::dictionarySizeArg() const { return {}; }
