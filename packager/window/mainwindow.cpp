#include "mainwindow.h"
#include "ui_mainwindow.h"
#include "iconimage.h"
#include "mainprogram.h"
#include "runrules.h"
#include "settingsstore.h"
#include "framelessframe.h"

#include "aboutdialog.h"

#include <QButtonGroup>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTranslator>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow)
{
    m_currentLanguage.clear();

    m_translator = new QTranslator(this);
    m_translatorQt = new QTranslator(this);

    ui->setupUi(this);

    startWorker();

    m_tabGroup = new QButtonGroup(this);
    m_tabGroup->addButton(ui->basicTabButton, 0);
    m_tabGroup->addButton(ui->advancedTabButton, 1);
    connect(m_tabGroup, &QButtonGroup::buttonClicked, this,
            [this](QAbstractButton *button) { onTabButtonClicked(m_tabGroup->id(button)); });

    // Quitting stops a run under way (see stopWorker), so the question says so.
    m_frame = new FramelessFrame(this, {ui->centralwidget, ui->frameMain, ui->headerFrame, ui->frameMenu,
                                        ui->minButton, ui->closeButton}, [this] {
        return FramelessFrame::Question{
            tr("确认退出"), m_processing ? tr("正在制作便携应用。退出将停止制作，并删除未完成的文件。\n确定要退出 匣坊 吗？")
                                         : tr("确定要退出 匣坊 吗？")};
    });

    ui->stackedWidget->setCurrentIndex(0);

    loadSettings();

    ui->progressBar->setRange(0, 100);
    ui->progressBar->setValue(0);

    createMenu();

    createWorkFolder();

    // The language chosen last is back in effect from the first moment the
    // window shows, with its entry ticked in the menu.
    initLanguage();
}

MainWindow::~MainWindow()
{
    stopWorker();
    saveSettings();
    removeWorkFolder();
    delete ui;
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        updateStartButtonText();
        createMenu();
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::onTabButtonClicked(int index)
{
    ui->stackedWidget->setCurrentIndex(index);
}

void MainWindow::on_aboutButton_clicked()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::on_selectFolderButton_clicked()
{
    const QString folderPath = QFileDialog::getExistingDirectory(this, tr("选择源文件夹"), QString(),
                                                                 QFileDialog::ShowDirsOnly);
    if (folderPath.isEmpty())
        return;

    ui->folderLineEdit->setText(folderPath);
    {
        QSettings settings = openSettings();
        settings.setValue(QStringLiteral("folderPath"), folderPath);
        settings.sync();
    }
    updateExeList(folderPath);
    saveSettings();
}

void MainWindow::on_outputButton_clicked()
{
    QString startDir = ui->outputLineEdit->text();
    if (startDir.isEmpty())
        startDir = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);

    const QString outputPath = QFileDialog::getExistingDirectory(
        this, tr("选择输出目录"), startDir, QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (outputPath.isEmpty())
        return;

    ui->outputLineEdit->setText(outputPath);
    saveSettings();
}

void MainWindow::on_mainExeButton_clicked()
{
    const QString folderPath = ui->folderLineEdit->text();
    if (folderPath.isEmpty()) {
        QMessageBox::warning(this, tr("警告"), tr("请先选择源文件夹！"));
        return;
    }

#ifdef Q_OS_WIN
    const QString filter = tr("可执行文件 (*.exe)");
#else
    // Programs here rarely end in ".exe": every file is offered, and the
    // choice is checked against the main-program rule below.
    const QString filter;
#endif
    const QString exePath = QFileDialog::getOpenFileName(this, tr("选择主程序"), folderPath, filter);
    if (exePath.isEmpty())
        return;

    if (!exePath.startsWith(folderPath, Qt::CaseSensitive)) {
        QMessageBox::warning(this, tr("警告"), tr("选择的主程序必须在源文件夹内！"));
        return;
    }

    const QString exeName = QFileInfo(exePath).fileName();
#ifndef Q_OS_WIN
    if (!mainprogram::isMainProgram(QFileInfo(exePath).absolutePath(), exeName)) {
        QMessageBox::warning(this, tr("警告"),
                             tr("“%1”不是可执行程序。\n主程序须是 .exe 文件，或带有执行权限的 ELF 程序或以 #! 开头的脚本。")
                                 .arg(exeName));
        return;
    }
#endif
    int index = ui->mainExeComboBox->findText(exeName, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        ui->mainExeComboBox->addItem(exeName);
        index = ui->mainExeComboBox->findText(exeName, Qt::MatchExactly | Qt::MatchCaseSensitive);
    }
    ui->mainExeComboBox->setCurrentIndex(index);

    {
        QSettings settings = openSettings();
        settings.setValue(QStringLiteral("lastExe"), exeName);
        settings.sync();
    }
    saveSettings();
}

void MainWindow::on_iconButton_clicked()
{
    const QString iconPath =
        QFileDialog::getOpenFileName(this, tr("选择图标文件"), QString(), tr("图标文件 (*.ico *.png *.svg *.jpg *.jpeg)"));
    if (iconPath.isEmpty())
        return;

    QImageReader reader(iconPath);
    reader.setAutoDetectImageFormat(true);
    reader.setAutoTransform(true);
    if (reader.read().isNull()) {
        QMessageBox::warning(this, tr("错误"), tr("无法加载图标文件！"));
        return;
    }

    ui->iconLineEdit->setText(iconPath);
    saveSettings();
}

void MainWindow::updateExeList(const QString &folderPath)
{
    const QString previous = ui->mainExeComboBox->currentText();
    ui->mainExeComboBox->clear();

    const QStringList programs = mainprogram::mainPrograms(folderPath);
    for (const QString &name : programs)
        ui->mainExeComboBox->addItem(name);

    const QString lastExe = openSettings().value(QStringLiteral("lastExe")).toString();
    const auto exactMatch = Qt::MatchExactly | Qt::MatchCaseSensitive;
    if (!lastExe.isEmpty()) {
        const int index = ui->mainExeComboBox->findText(lastExe, exactMatch);
        if (index >= 0) {
            ui->mainExeComboBox->setCurrentIndex(index);
            return;
        }
    }
    if (!previous.isEmpty()) {
        const int index = ui->mainExeComboBox->findText(previous, exactMatch);
        if (index >= 0) {
            ui->mainExeComboBox->setCurrentIndex(index);
            return;
        }
    }
    const QString preferred = mainprogram::preferredMainProgram(folderPath, programs);
    if (!preferred.isEmpty())
        ui->mainExeComboBox->setCurrentIndex(ui->mainExeComboBox->findText(preferred, exactMatch));
}

bool MainWindow::validateInputs()
{
    QString detail;
    const runrules::RunChoices run = runChoices();
    const runrules::InputProblem problem = runrules::checkRun(run, &detail);
    if (problem == runrules::InputProblem::None)
        return true;
    QMessageBox::warning(this, tr("警告"), runrules::inputProblemText(problem, run, detail));
    return false;
}

runrules::RunChoices MainWindow::runChoices() const
{
    runrules::RunChoices run;
    run.folderPath = ui->folderLineEdit->text();
    run.mainExeName = ui->mainExeComboBox->currentText();
    run.outputDir = ui->outputLineEdit->text();
    run.iconPath = ui->iconLineEdit->text();
    run.level = runrules::choiceAt(runrules::Setting::Level, ui->cmbCompression->currentIndex());
    run.method = runrules::choiceAt(runrules::Setting::Method, ui->cmbMethod->currentIndex());
    run.dictionary = runrules::choiceAt(runrules::Setting::Dictionary, ui->cmbDictSize->currentIndex());
    return run;
}

QString MainWindow::compressionLevelArg() const
{
    return runrules::compressionLevelArg(ui->cmbCompression->currentIndex());
}

QString MainWindow::compressionMethodArg() const
{
    return runrules::compressionMethodArg(ui->cmbMethod->currentIndex());
}

QString MainWindow::dictionarySizeArg() const
{
    return runrules::dictionarySizeArg(ui->cmbDictSize->currentIndex());
}
