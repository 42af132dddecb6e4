#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "filesender.h"
#include "serial.h"
#include "seriallinespanel.h"

#include <QVBoxLayout>

void MainWindow::initSerialLines()
{
    // Below the open and close buttons, with the line settings above them.
    m_serialLines = new SerialLinesPanel(ui->serialSettings);
    QVBoxLayout *column = ui->verticalLayout_serialSettings;
    column->insertWidget(column->indexOf(ui->horizontalLayout_serialOpen) + 1, m_serialLines);
    // Live while the port is open; the open applies them too.
    connect(m_serialLines, &SerialLinesPanel::linesChosen, this, [this](bool dtr, bool rts) {
        if (ui->SerialClose->isEnabled())
            emit serialLines(dtr, rts);
    });
}

void MainWindow::connectSerialExtras()
{
    connect(this, &MainWindow::serialLines, objSerial, &Serial::SetLines);
    connect(objSerial, &Serial::PinoutChanged, this, [this](int pinout, bool known) {
        // A report that was on its way as the port closed says nothing now.
        if (ui->SerialClose->isEnabled())
            m_serialLines->showInputs(pinout, known);
    });
    connect(objSerial, &Serial::BytesSent, m_fileSender[kSerialPage], &FileSender::bytesWritten);
}
