#include "mainwindow.h"
#include "ui_mainwindow.h"
#include "runrules.h"
#include "settingsstore.h"

#include "aboutdialog.h"
#include "catalogues.h"

#include <QActionGroup>
#include <QDir>
#include <QMenu>
#include <QMessageBox>

#include <array>

namespace {

struct Language
{
    const char *code;
    const char *menuText;
};

const Language kLanguages[] = {
    {"zh_CN", QT_TRANSLATE_NOOP("MainWindow", "简体中文")},
    {"zh_TW", QT_TRANSLATE_NOOP("MainWindow", "繁體中文")},
    {"en_US", QT_TRANSLATE_NOOP("MainWindow", "English")},
};

const auto kExactText = Qt::MatchExactly | Qt::MatchCaseSensitive;

struct CompressionList
{
    QComboBox *box;
    runrules::Setting setting;
    const char *key;
};

std::array<CompressionList, 3> compressionLists(const Ui::MainWindow *ui)
{
    return {{{ui->cmbCompression, runrules::Setting::Level, "compressionLevel"},
             {ui->cmbMethod, runrules::Setting::Method, "compressionMethod"},
             {ui->cmbDictSize, runrules::Setting::Dictionary, "dictionarySize"}}};
}

} // namespace

void MainWindow::loadSettings()
{
    QSettings settings = openSettings();
    ui->folderLineEdit->setText(settings.value(QStringLiteral("folderPath")).toString());
    ui->outputLineEdit->setText(settings.value(QStringLiteral("outputPath")).toString());
    ui->iconLineEdit->setText(settings.value(QStringLiteral("iconPath")).toString());

    const QString folderPath = ui->folderLineEdit->text();
    if (!folderPath.isEmpty() && QDir(folderPath).exists()) {
        updateExeList(folderPath);
        const QString lastExe = openSettings().value(QStringLiteral("lastExe")).toString();
        const int index = lastExe.isEmpty() ? -1 : ui->mainExeComboBox->findText(lastExe, kExactText);
        if (index >= 0)
            ui->mainExeComboBox->setCurrentIndex(index);
    } else {
        // The stored name still shows when its folder has gone.
        const QString lastExe = settings.value(QStringLiteral("lastExe")).toString();
        if (!lastExe.isEmpty()) {
            ui->mainExeComboBox->addItem(lastExe);
            ui->mainExeComboBox->setCurrentText(lastExe);
        }
    }

    for (const CompressionList &list : compressionLists(ui)) {
        list.box->setCurrentIndex(runrules::storedChoiceIndex(
            list.setting, settings.value(QLatin1String(list.key), runrules::defaultChoice(list.setting))));
    }

    ui->chkCleanup->setChecked(settings.value(QStringLiteral("cleanupEnabled"), true).toBool());
    ui->chkEncrypt->setChecked(settings.value(QStringLiteral("encryptContent"), false).toBool());
    ui->chkAdmin->setChecked(settings.value(QStringLiteral("adminRequired"), false).toBool());
    ui->chkTemp->setChecked(settings.value(QStringLiteral("tempExtraction"), true).toBool());
}

void MainWindow::saveSettings()
{
    QSettings settings = openSettings();
    settings.setValue(QStringLiteral("folderPath"), ui->folderLineEdit->text());
    settings.setValue(QStringLiteral("outputPath"), ui->outputLineEdit->text());
    settings.setValue(QStringLiteral("iconPath"), ui->iconLineEdit->text());
    settings.setValue(QStringLiteral("lastExe"), ui->mainExeComboBox->currentText());
    // Values, not positions, so that a longer list in a later version still
    // reads them. A list without a selection keeps the default.
    for (const CompressionList &list : compressionLists(ui))
        settings.setValue(QLatin1String(list.key), runrules::choiceAt(list.setting, list.box->currentIndex()));
    settings.setValue(QStringLiteral("cleanupEnabled"), ui->chkCleanup->isChecked());
    settings.setValue(QStringLiteral("encryptContent"), ui->chkEncrypt->isChecked());
    settings.setValue(QStringLiteral("adminRequired"), ui->chkAdmin->isChecked());
    settings.setValue(QStringLiteral("tempExtraction"), ui->chkTemp->isChecked());
}

void MainWindow::on_resetButton_clicked()
{
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, tr("重置确认"), tr("确定要将所有设置恢复为默认值吗？\n此操作无法撤销。"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    if (answer != QMessageBox::Yes)
        return;

    ui->folderLineEdit->clear();
    ui->outputLineEdit->clear();
    ui->iconLineEdit->clear();
    ui->mainExeComboBox->clear();
    ui->logTextEdit->clear();
    ui->progressBar->setValue(0);
    for (const CompressionList &list : compressionLists(ui))
        list.box->setCurrentIndex(runrules::choiceIndex(list.setting, runrules::defaultChoice(list.setting)));
    ui->chkCleanup->setChecked(true);
    ui->chkTemp->setChecked(true);
    ui->chkAdmin->setChecked(false);
    ui->chkEncrypt->setChecked(false);

    {
        QSettings settings = openSettings();
        settings.clear();
        settings.sync();
    }

    QMessageBox::information(this, tr("重置成功"), tr("所有设置已恢复为默认值。"));
}

void MainWindow::initLanguage()
{
    loadLanguage(openSettings().value(QStringLiteral("language"), QStringLiteral("zh_CN")).toString());
}

void MainWindow::loadLanguage(const QString &language)
{
    if (language == m_currentLanguage)
        return;
    m_currentLanguage = language;
    openSettings().setValue(QStringLiteral("language"), language);

    // A failed catalogue falls back to the source language, whose own failure
    // leaves the built-in texts.
    const QString sourceLanguage = QStringLiteral("zh_CN");
    if (installCatalogues(m_translator, m_translatorQt, language) != CatalogueLoad::Loaded
        && language != sourceLanguage) {
        loadLanguage(sourceLanguage);
        return;
    }

    ui->retranslateUi(this);
    createMenu();
}

void MainWindow::updateMenuLanguage()
{
    createMenu();
}

// The menu is not attached with QPushButton::setMenu: an attached menu opens
// on the press by itself, and together with the click connection a click()
// (keyboard activation, accessibility) would open it twice.
void MainWindow::createMenu()
{
    if (m_menu) {
        // Rebuilt from inside its own action when a language is picked, so it
        // goes once that action has returned.
        m_menu->hide();
        m_menu->deleteLater();
    }

    m_menu = new QMenu(this);
    auto *group = new QActionGroup(m_menu);
    group->setExclusive(true);
    for (const Language &language : kLanguages) {
        const QString code = QString::fromLatin1(language.code);
        QAction *action = m_menu->addAction(tr(language.menuText));
        action->setCheckable(true);
        action->setChecked(m_currentLanguage == code);
        action->setData(code);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, code] { loadLanguage(code); });
    }
    m_menu->addSeparator();
    QAction *about = m_menu->addAction(tr("关于匣坊"));
    connect(about, &QAction::triggered, this, [this] {
        AboutDialog dialog(this);
        dialog.exec();
    });

    ui->menuButton->setStyleSheet(QStringLiteral("QPushButton::menu-indicator { image: none; }"));
    disconnect(ui->menuButton, &QPushButton::clicked, nullptr, nullptr);
    connect(ui->menuButton, &QPushButton::clicked, this, &MainWindow::popUpMenu);
}

void MainWindow::popUpMenu()
{
    if (m_menu)
        m_menu->exec(ui->menuButton->mapToGlobal(QPoint(0, ui->menuButton->height())));
}
