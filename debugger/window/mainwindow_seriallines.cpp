#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "channelcontroller.h"
#include "seriallinespanel.h"

#include <QVBoxLayout>

void MainWindow::initSerialLines()
{
    // Below the open and close buttons, with the line settings above them.
    m_serialLines = new SerialLinesPanel(ui->serialSettings);
    QVBoxLayout *column = ui->verticalLayout_serialSettings;
    column->insertWidget(column->indexOf(ui->horizontalLayout_serialOpen) + 1, m_serialLines);
    // Applied as the port opens (once its open is on its way) and live while it is open.
    connect(m_serialLines, &SerialLinesPanel::linesChosen, m_channels, &ChannelController::setSerialLines);
    connect(m_channels, &ChannelController::stateChanged, this, [this](Channel channel, ChannelState state) {
        if (channel == Channel::Serial && state == ChannelState::Open)
            m_channels->setSerialLines(m_serialLines->dtr(), m_serialLines->rts());
    });
    connect(m_channels, &ChannelController::serialPinoutChanged, this, [this](int pinout, bool known) {
        // A report that was on its way as the port closed says nothing now.
        if (m_channels->state(Channel::Serial) == ChannelState::Open)
            m_serialLines->showInputs(pinout, known);
    });
}
