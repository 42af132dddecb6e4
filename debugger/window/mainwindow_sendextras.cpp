#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "checksum.h"
#include "reconnector.h"
#include "seriallinespanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSettings>
#include <QTimer>

namespace {

const QString kNetworkChecksumKey = QStringLiteral("options/checksum");
const QString kSerialChecksumKey = QStringLiteral("serial/checksum");
const QString kAutoReconnectKey = QStringLiteral("options/autoReconnect");
const QString kDtrKey = QStringLiteral("serial/dtr");
const QString kRtsKey = QStringLiteral("serial/rts");

void selectChecksum(QComboBox *list, const QString &name)
{
    const int index = list->findData(Checksum::name(Checksum::fromName(name)));
    list->setCurrentIndex(qMax(0, index));
}

} // namespace

void MainWindow::initSendExtras()
{
    // A period of 1 ms is kept to the millisecond, not rounded to the
    // system's convenience.
    Send_timer->setTimerType(Qt::PreciseTimer);
    timer->setTimerType(Qt::PreciseTimer);
    initChecksums();
    initFileSend();
    initSerialLines();
    initReconnect();
    retranslateSendExtras();
}

void MainWindow::loadSendExtras(QSettings &settings)
{
    selectChecksum(m_checksumList[kNetworkPage], settings.value(kNetworkChecksumKey).toString());
    selectChecksum(m_checksumList[kSerialPage], settings.value(kSerialChecksumKey).toString());
    m_autoReconnect->setChecked(settings.value(kAutoReconnectKey, false).toBool());
    m_serialLines->setLines(settings.value(kDtrKey, false).toBool(), settings.value(kRtsKey, false).toBool());
}

void MainWindow::saveSendExtras(QSettings &settings) const
{
    settings.setValue(kNetworkChecksumKey, m_checksumList[kNetworkPage]->currentData());
    settings.setValue(kSerialChecksumKey, m_checksumList[kSerialPage]->currentData());
    settings.setValue(kAutoReconnectKey, m_autoReconnect->isChecked());
    settings.setValue(kDtrKey, m_serialLines->dtr());
    settings.setValue(kRtsKey, m_serialLines->rts());
}

void MainWindow::resetSendExtras()
{
    cancelReconnect();
    for (QComboBox *list : m_checksumList)
        list->setCurrentIndex(0);
    m_autoReconnect->setChecked(false);
    m_serialLines->setLines(false, false);
}

void MainWindow::retranslateSendExtras()
{
    for (int page : {kNetworkPage, kSerialPage}) {
        m_checksumLabel[page]->setText(tr("校验和："));
        m_checksumList[page]->setItemText(0, tr("无"));
    }
    m_autoReconnect->setText(tr("自动重连"));
    m_autoReconnect->setToolTip(tr("连接失败或服务器断开后，每 2 秒重试一次，直到连上或点击断开"));
}
