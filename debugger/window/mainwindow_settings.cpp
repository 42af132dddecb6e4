#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "bytecounter.h"

#include "receivedisplay.h"
#include "channelcontroller.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QVariant>

#include <vector>

namespace {

// The application name carries one zero-width space after the product name.
QSettings settingsStore()
{
    return QSettings(QStringLiteral("QuillonLabs"), QStringLiteral("Wrenpost\u200B"));
}

const QString kProtocolKey = QStringLiteral("protocol/currentIndex");
const QString kTimerSendKey = QStringLiteral("options/timerSend");
const QString kLoopSendKey = QStringLiteral("serial/loopSend");
const QString kPortNameKey = QStringLiteral("serial/portName");
const QString kRecordFolderKey = QStringLiteral("options/recordFolder");
const QString kSaveFolderKey = QStringLiteral("options/saveFolder");
// The window's size when not maximised, and whether it is.
const QString kWidthKey = QStringLiteral("window/width");
const QString kHeightKey = QStringLiteral("window/height");
const QString kMaximizedKey = QStringLiteral("window/maximized");

// One stored field: a line edit or combo box as its text, a check box as a
// boolean. The protocol has no widget.
struct Field
{
    QString key;
    QWidget *widget;
    QVariant fallback;
};

// Every key in the order it is read and written.
std::vector<Field> storedFields(Ui::MainWindow *ui)
{
    const QString port = QStringLiteral("8080");
    const QString period = QStringLiteral("1000");
    return {
        // The address found at start-up unless one was chosen.
        {QStringLiteral("network/localIP"), ui->Local_IP, ui->Local_IP->text()},
        {QStringLiteral("network/localPort"), ui->Local_Port, port},
        {QStringLiteral("network/targetIP"), ui->Obj_IP, QStringLiteral("127.0.0.1")},
        {QStringLiteral("network/targetPort"), ui->Obj_Port, port},
        {kProtocolKey, nullptr, 0},
        {QStringLiteral("options/displayTime"), ui->DisplayTime, false},
        {QStringLiteral("options/displaySendMsg"), ui->DisplaySendMsg, false},
        {QStringLiteral("options/autoSwitchLine"), ui->AutoSwitchLine, true},
        {QStringLiteral("options/hexSend"), ui->HexSend, false},
        {QStringLiteral("options/hexDisplay"), ui->HexDisplay, false},
        {QStringLiteral("options/sendNewLine"), ui->SendNewLine, false},
        {QStringLiteral("options/udpBroadcast"), ui->UdpBroadcast, false},
        {QStringLiteral("options/dnsAnalysis"), ui->DnsAnalysis, false},
        {kTimerSendKey, ui->Timer_Send, false},
        {QStringLiteral("options/timerPeriod"), ui->period, period},
        {QStringLiteral("serial/timeDisplay"), ui->TimeDisplay, false},
        {QStringLiteral("serial/hexSend"), ui->SendHEX_2, false},
        {QStringLiteral("serial/sendNewLine"), ui->SendNewLine_2, false},
        {QStringLiteral("serial/sendDisplay"), ui->SendDisplay, false},
        {QStringLiteral("serial/hexDisplay"), ui->DisplayHEX, false},
        {QStringLiteral("serial/autoSwitchLine"), ui->AutoSwitchLine_2, true},
        {kLoopSendKey, ui->LoopSend, false},
        {QStringLiteral("serial/loopSendPeriod"), ui->LoopSendPeriod, period},
        {kPortNameKey, ui->SerialList, QString()},
        {QStringLiteral("serial/baudRate"), ui->BaudrateList, QStringLiteral("115200")},
        {QStringLiteral("serial/dataBits"), ui->DataBitsList, QStringLiteral("8")},
        {QStringLiteral("serial/stopBits"), ui->StopBitsList, QStringLiteral("1")},
        {QStringLiteral("serial/parity"), ui->ParityList, QStringLiteral("none")},
        {QStringLiteral("serial/flowControl"), ui->FlowControlList, QStringLiteral("NO")},
    };
}

// Values of any stored type go through QVariant's conversions; a combo box
// keeps its selection when it has no item of that text.
void putValue(QWidget *widget, const QVariant &value)
{
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        edit->setText(value.toString());
    else if (auto *box = qobject_cast<QCheckBox *>(widget))
        box->setChecked(value.toBool());
    else if (auto *list = qobject_cast<QComboBox *>(widget)) {
        // In the port list, which takes typed paths, nothing stored keeps the listed port.
        if (list->isEditable() && value.toString().isEmpty())
            return;
        list->setCurrentText(value.toString());
    }
}

QVariant currentValue(QWidget *widget)
{
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text();
    if (auto *box = qobject_cast<QCheckBox *>(widget))
        return box->isChecked();
    if (auto *list = qobject_cast<QComboBox *>(widget))
        return list->currentText();
    return {};
}

} // namespace

void MainWindow::loadSettings()
{
    QSettings settings = settingsStore();
    for (const Field &field : storedFields(ui)) {
        const QVariant value = settings.value(field.key, field.fallback);
        if (field.key == kProtocolKey) {
            // The window always opens on the network page.
            const std::optional<Channel> channel = channelFromIndex(value.toInt());
            if (channel && isNetworkChannel(*channel))
                selectProtocol(*channel);
            continue;
        }
        // A timed or loop send runs only from the user's click, so a box
        // stored as checked comes back unchecked rather than claiming a send
        // that does not happen.
        if (field.key == kTimerSendKey || field.key == kLoopSendKey)
            continue;
        putValue(field.widget, value);
    }
    // The record boxes always start unchecked; only their folder is kept.
    m_recordFolder = settings.value(kRecordFolderKey).toString();
    m_saveFolder = settings.value(kSaveFolderKey).toString();
    loadSendExtras(settings);

    // Never smaller than the window can be, nor larger than a screen it fits on.
    QSize size(settings.value(kWidthKey, kMinimumSize.width()).toInt(),
               settings.value(kHeightKey, kMinimumSize.height()).toInt());
    const QSize screen = this->screen() ? this->screen()->availableGeometry().size() : QSize();
    if (screen.width() >= kMinimumSize.width() && screen.height() >= kMinimumSize.height())
        size = size.boundedTo(screen);
    resize(size.expandedTo(kMinimumSize));
    if (settings.value(kMaximizedKey, false).toBool())
        setWindowState(windowState() | Qt::WindowMaximized);
    loadQuickCommands(settings);
}

void MainWindow::saveSettings()
{
    QSettings settings = settingsStore();
    for (const Field &field : storedFields(ui)) {
        if (field.key == kProtocolKey)
            settings.setValue(field.key, channelIndex(currentProtocolIndex));
        else
            settings.setValue(field.key, currentValue(field.widget));
    }
    if (!m_recordFolder.isEmpty())
        settings.setValue(kRecordFolderKey, m_recordFolder);
    if (!m_saveFolder.isEmpty())
        settings.setValue(kSaveFolderKey, m_saveFolder);
    saveSendExtras(settings);
    const QSize size = (isMaximized() ? normalGeometry().size() : this->size()).expandedTo(kMinimumSize);
    settings.setValue(kWidthKey, size.width());
    settings.setValue(kHeightKey, size.height());
    settings.setValue(kMaximizedKey, isMaximized());
    saveQuickCommands(settings);
    settings.sync();
}

void MainWindow::closeOpenNetworkChannels()
{
    // A reset leaves no channel open, whichever page is shown.
    if (m_channels->openNetworkChannel())
        m_channels->closeNetwork();
    else if (ui->Disconnect->isEnabled())
        Enable_Options();
}

void MainWindow::on_resetButton_clicked()
{
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, tr("确认重置"), tr("确定要重置所有设置并恢复初始状态吗？"), QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;

    if (isNetworkChannel(currentProtocolIndex) && ui->Disconnect->isEnabled())
        on_Disconnect_clicked();
    closeOpenNetworkChannels();
    if (ui->SerialClose->isEnabled())
        on_SerialClose_clicked();
    // The network threads have ended and the serial one has closed its port
    // once this empty call returns, but what they reported last (bytes
    // written, data, status lines) still waits in this thread's queue: take it
    // now, so that none of it lands in the areas or counters after the reset.
    m_channels->takeReports();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    // The files get everything the areas showed before they are emptied.
    stopRecordings();
    m_recordFolder.clear();
    m_saveFolder.clear();

    {
        QSettings settings = settingsStore();
        settings.clear();
        settings.sync();
    }

    for (const Field &field : storedFields(ui)) {
        if (field.key == kProtocolKey)
            selectProtocol(Channel::TcpClient);
        else if (field.key != kPortNameKey)
            putValue(field.widget, field.fallback);
    }
    resetSendExtras();
    // Unchecked boxes mean no timed send: their timers stop with them.
    Send_timer->stop();
    timer->stop();
    resetQuickCommands();

    for (QWidget *area : {static_cast<QWidget *>(ui->Recive_msg), static_cast<QWidget *>(ui->Send_msg),
                          static_cast<QWidget *>(ui->DataRecive), static_cast<QWidget *>(ui->DataToSend)})
        area->repaint();
    repaint();
    // Through the displays, so that nothing gathered before the reset shows after it.
    networkReceive->clear();
    ui->Send_msg->clear();
    serialReceive->clear();
    ui->DataToSend->clear();

    for (ByteCounter *counter : {Send_Count, Recive_Count, SendCount, ReciveCount})
        counter->reset();

    ui->client_list->clear();

    detectLocalAddress();

    QMessageBox::information(this, tr("重置完成"), tr("所有设置已恢复为默认状态。"), QMessageBox::Ok);
}
