#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "catalogues.h"
#include "receivedisplay.h"

#include <QLineEdit>
#include <QSettings>

namespace {

const QString kSourceLanguage = QStringLiteral("zh_CN");
const QString kLanguageKey = QStringLiteral("language");

// The language is kept in a store of its own, apart from the window's settings.
QSettings languageStore()
{
    return QSettings(QStringLiteral("Crateforge"), QStringLiteral("Crateforge"));
}

// A count caption shows its count once one has been shown; the form's own
// caption is bare.
bool showsCount(const QString &caption)
{
    return !caption.isEmpty() && caption.back().isDigit();
}

} // namespace

void MainWindow::loadLanguage(const QString &language)
{
    if (language == m_currentLanguage)
        return;
    m_currentLanguage = language;
    languageStore().setValue(kLanguageKey, language);

    // A failed catalogue falls back to the source language, whose own failure
    // leaves the built-in texts.
    if (installCatalogues(m_translator, m_translatorQt, language, m_cataloguePattern) != CatalogueLoad::Loaded
        && language != kSourceLanguage) {
        loadLanguage(kSourceLanguage);
        return;
    }

    retranslateWindow();
    updateMenuLanguage();
}

void MainWindow::initLanguage()
{
    QString language = languageStore().value(kLanguageKey, kSourceLanguage).toString();
    // An emptied entry would match "no language yet" and apply nothing.
    if (language.isEmpty())
        language = kSourceLanguage;
    loadLanguage(language);
}

void MainWindow::retranslateWindow()
{
    // What the form's texts would overwrite: the user's periods, the protocol
    // the window is in and the counts shown so far.
    const QString period = ui->period->text();
    const QString loopPeriod = ui->LoopSendPeriod->text();
    const bool receivedShown = showsCount(ui->Recive_cnt->text());
    const bool sentShown = showsCount(ui->Send_cnt->text());

    ui->retranslateUi(this);

    ui->period->setText(period);
    ui->LoopSendPeriod->setText(loopPeriod);
    ui->titlelabel->setText(protocolTitle(currentProtocolIndex));
    // On the serial page the network page keeps the arrangement of the
    // network protocol chosen last.
    int networkProtocol = currentProtocolIndex;
    if (networkProtocol < 0 || networkProtocol > 2)
        networkProtocol = !ui->Kick->isHidden() ? 1 : ui->UdpBroadcast->isEnabled() ? 2 : 0;
    applyConnectCaptions(networkProtocol);
    ui->SerialList->lineEdit()->setPlaceholderText(tr("设备路径"));

    if (receivedShown)
        ui->Recive_cnt->setText(tr("累计接收：") + countText(Recive_Count));
    if (sentShown)
        ui->Send_cnt->setText(tr("累计发送：") + countText(Send_Count));
    ui->ReciveCountLabel->setText(tr("累计接收：") + countText(ReciveCount));
    ui->SendCountLabel->setText(tr("累计发送：") + countText(SendCount));
}
