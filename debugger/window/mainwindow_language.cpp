#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "bytecounter.h"
#include "catalogues.h"

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
    // What the form's texts would overwrite: the user's periods and the
    // protocol the window is in; the counters write their totals again below.
    const QString period = ui->period->text();
    const QString loopPeriod = ui->LoopSendPeriod->text();

    ui->retranslateUi(this);

    ui->period->setText(period);
    ui->LoopSendPeriod->setText(loopPeriod);
    ui->titlelabel->setText(protocolTitle(currentProtocolIndex));
    // On the serial page the network page keeps the arrangement of the
    // network protocol chosen last.
    applyConnectCaptions(m_networkPage);
    ui->SerialList->lineEdit()->setPlaceholderText(tr("设备路径"));

    for (ByteCounter *counter : {Recive_Count, Send_Count, ReciveCount, SendCount})
        counter->show();
}
