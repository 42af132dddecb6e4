#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QThread>
#include <QTimer>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    uiInit();
    createMenu();
    sysInit();
    initSerialUI();
    loadSettings();
    initSerialService();
}

MainWindow::~MainWindow()
{
    shutdownNetwork();
    shutdownSerial();
    delete Send_timer;
    delete timer;
    delete timer1;
    saveSettings();
    delete ui;
}

void MainWindow::uiInit() {}
void MainWindow::updateUIForProtocol(int) {}
void MainWindow::selectProtocol(int) {}
void MainWindow::detectLocalAddress() {}
void MainWindow::onProtocolButtonClicked() {}
void MainWindow::mousePressEvent(QMouseEvent *event) { QMainWindow::mousePressEvent(event); }
void MainWindow::mouseMoveEvent(QMouseEvent *event) { QMainWindow::mouseMoveEvent(event); }
void MainWindow::mouseReleaseEvent(QMouseEvent *event) { QMainWindow::mouseReleaseEvent(event); }
void MainWindow::keyPressEvent(QKeyEvent *) {}
void MainWindow::on_minButton_clicked() {}
void MainWindow::on_closeButton_clicked() {}
