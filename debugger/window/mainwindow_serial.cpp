#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "bytecounter.h"
#include "fieldrules.h"
#include "hexcodec.h"
#include "longwordwrap.h"
#include "receivedisplay.h"
#include "channelcontroller.h"
#include "serialportlist.h"
#include "seriallinespanel.h"

#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

namespace {

constexpr int kPortListRefreshMs = 500;

} // namespace

void MainWindow::initSerialUI()
{
    ui->BaudrateList->addItems({QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"),
                                QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400"),
                                QStringLiteral("57600"), QStringLiteral("76800"), QStringLiteral("115200"),
                                QStringLiteral("128000"), QStringLiteral("256000"), QStringLiteral("512000")});
    ui->DataBitsList->addItems({QStringLiteral("8"), QStringLiteral("7"), QStringLiteral("6"), QStringLiteral("5")});
    ui->StopBitsList->addItems({QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")});
    ui->ParityList->addItems({QStringLiteral("none"), QStringLiteral("odd"), QStringLiteral("even"),
                              QStringLiteral("mark"), QStringLiteral("space")});
    ui->FlowControlList->addItems({QStringLiteral("NO"), QStringLiteral("RTS/CTS"), QStringLiteral("XON/XOFF")});

    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &MainWindow::on_SnedData_clicked);

    // A device the system does not list (a pseudo-terminal, a link under
    // /dev/serial/by-id) is typed as its path; typing adds no item.
    ui->SerialList->setEditable(true);
    ui->SerialList->setInsertPolicy(QComboBox::NoInsert);
    ui->SerialList->lineEdit()->setPlaceholderText(tr("设备路径"));
    // Filled once now, before the stored settings are read, so that a stored
    // port name can be selected at start-up.
    Refresh_ComList();
    timer1 = new QTimer(this);
    connect(timer1, &QTimer::timeout, this, &MainWindow::Refresh_ComList);
    timer1->start(kPortListRefreshMs);

    ReciveCount = new ByteCounter(ui->ReciveCountLabel, ui->ReciveRateLabel,
                                  QT_TRANSLATE_NOOP("MainWindow", "累计接收："), this);
    SendCount = new ByteCounter(ui->SendCountLabel, ui->SendRateLabel,
                                QT_TRANSLATE_NOOP("MainWindow", "累计发送："), this);

    serialReceive = new ReceiveDisplay(ui->DataRecive);
    new LongWordWrap(ui->DataToSend);
    connect(ui->ClearRecive, &QPushButton::clicked, serialReceive, &ReceiveDisplay::clear);

    ui->SnedData->setEnabled(false);
    ui->SerialClose->setEnabled(false);
}

void MainWindow::GetSerialData(const QByteArray &Recive_msg)
{
    if (Recive_msg.isEmpty())
        return;

    ReciveCount->add(Recive_msg.size());

    serialReceive->addReceived(Recive_msg, ui->DisplayHEX->isChecked(), ui->AutoSwitchLine_2->isChecked(),
                               ui->TimeDisplay->isChecked() ? QStringView(u"  Recive：") : QStringView());
}

void MainWindow::Refresh_ComList()
{
    const QStringList ports = SerialPortList::availablePortNames();
    if (ports.size() == ui->SerialList->count())
        return;
    const QString current = ui->SerialList->currentText();
    const bool typed = ui->SerialList->findText(current, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0;
    ui->SerialList->clear();
    ui->SerialList->addItems(ports);
    // A typed path stays chosen; a listed port gives way to the first one.
    if (typed && !current.isEmpty())
        ui->SerialList->setCurrentText(current);
}

void MainWindow::on_SerialOpen_clicked()
{
    m_channels->open(Channel::Serial,
                     ChannelRequest::serialPort(ui->SerialList->currentText(),
                                                ui->BaudrateList->currentText().toInt(),
                                                qint8(ui->DataBitsList->currentText().toInt()),
                                                qint8(ui->StopBitsList->currentIndex()),
                                                qint8(ui->ParityList->currentIndex()),
                                                qint8(ui->FlowControlList->currentIndex())));
}

void MainWindow::on_SerialClose_clicked()
{
    m_channels->close(Channel::Serial);
}

void MainWindow::serialChannelClosed()
{
    // The loop and file sends go over the port and end with it.
    timer->stop();
    stopFileSend(kSerialPage);
    m_serialLines->clearInputs();
    ui->LoopSend->setChecked(false);
    EnableSelection();
    timer1->start(kPortListRefreshMs);
}

void MainWindow::on_SnedData_clicked()
{
    sendSerialText(ui->DataToSend->toPlainText(), ui->SendHEX_2->isChecked(), ui->SendNewLine_2->isChecked(), timer,
                   ui->LoopSend);
}

bool MainWindow::sendSerialText(QString text, bool hex, bool newLine, QTimer *timed, QAbstractButton *timedBox)
{
    if (newLine)
        text += QStringLiteral("\r\n");

    // Counted by the service as the port takes the bytes.
    const std::optional<QByteArray> bytes = bytesToSend(text, hex, timed, timedBox);
    if (!bytes)
        return false;
    m_channels->send(Channel::Serial, *bytes);

    if (ui->SendDisplay->isChecked()) {
        if (ui->TimeDisplay->isChecked())
            serialReceive->addSent(stampLine(QDateTime::currentDateTime(), u"  Send："));
        serialReceive->addSent(sentEcho(text, hex, *bytes, timed));
    }
    return true;
}

void MainWindow::on_SendClear_clicked()
{
    ReciveCount->reset();
    SendCount->reset();
}

void MainWindow::on_LoopSend_clicked()
{
    if (!ui->LoopSend->isChecked()) {
        timer->stop();
        return;
    }
    // The network page's rule: a loop without a positive period would send
    // as fast as the event loop turns.
    if (const std::optional<int> period = timedSendPeriodFromText(ui->LoopSendPeriod->text())) {
        timer->start(*period);
        return;
    }
    ui->LoopSend->setChecked(false);
    QMessageBox::warning(this, tr("警告"), tr("定时周期错误！"));
}

void MainWindow::EnableSelection()
{
    ui->SerialList->setEnabled(true);
    ui->BaudrateList->setEnabled(true);
    ui->DataBitsList->setEnabled(true);
    ui->StopBitsList->setEnabled(true);
    ui->ParityList->setEnabled(true);
    ui->FlowControlList->setEnabled(true);
    ui->SerialOpen->setEnabled(true);
    ui->SerialClose->setEnabled(false);
    ui->SnedData->setEnabled(false);
}

void MainWindow::DisableSelection()
{
    ui->SerialList->setEnabled(false);
    ui->BaudrateList->setEnabled(false);
    ui->DataBitsList->setEnabled(false);
    ui->StopBitsList->setEnabled(false);
    ui->ParityList->setEnabled(false);
    ui->FlowControlList->setEnabled(false);
    ui->SerialOpen->setEnabled(false);
    ui->SerialClose->setEnabled(true);
    ui->SnedData->setEnabled(true);
}
