#include "mainwindow.h"
#include "ui_mainwindow.h"
#include "runrules.h"
#include "worker.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QThread>

void MainWindow::on_startButton_clicked()
{
    // During a run the button stops it, as quitting does, and the window stays.
    if (m_processing) {
        m_stopping = true;
        ui->startButton->setEnabled(false);
        m_worker->stopRun(m_runsQueued);
        return;
    }
    if (!validateInputs()) {
        ui->logTextEdit->append(tr("输入验证失败，操作中止"));
        return;
    }

    const QString fullPath = ui->folderLineEdit->text() + QLatin1Char('/') + ui->mainExeComboBox->currentText();
    if (!QFile::exists(fullPath)) {
        QMessageBox::warning(this, tr("错误"), tr("主程序不存在：%1").arg(fullPath));
        return;
    }

    setProcessingState(true);
    ui->progressBar->setValue(0);
    ui->logTextEdit->clear();

    const runrules::RunChoices run = runChoices();
    const QString archivePath = m_tempDir + QStringLiteral("/temp.7z");

    ui->logTextEdit->append(tr("调试信息:"));
    ui->logTextEdit->append(tr("源文件夹: %1").arg(run.folderPath));
    ui->logTextEdit->append(tr("主程序: %1").arg(run.mainExeName));
    ui->logTextEdit->append(tr("输出目录: %1").arg(run.outputDir));
    ui->logTextEdit->append(tr("图标路径: %1").arg(run.iconPath));

    // Taken now, like the request: ticking a box during the run changes the next run.
    m_optionNotices = unkeptOptionNotices();

    ++m_runsQueued;
    m_lastWorkerLine.clear();
    runrules::startRun(m_worker, run, archivePath);
}

// The option boxes are kept with the settings but reach no product. Each
// ticked box whose promise the product does not keep says so after the run,
// rather than let the user rely on it. Extraction into the temporary folder
// is what every product does, so that box needs no line.
QStringList MainWindow::unkeptOptionNotices() const
{
    QStringList notices;
    if (ui->chkCleanup->isChecked())
        notices << tr("注意：“完成后清理临时文件”未生效，程序结束后解压出的文件仍留在临时目录中。");
    if (ui->chkAdmin->isChecked())
        notices << tr("注意：“以管理员权限运行”未生效，制作出的程序以当前用户的权限运行。");
    if (ui->chkEncrypt->isChecked())
        notices << tr("注意：“加密文件内容”未生效，制作出的程序中的文件没有加密。");
    return notices;
}

void MainWindow::onWorkerProgress(int value)
{
    ui->progressBar->setValue(value);
}

void MainWindow::onWorkerLog(const QString &message)
{
    m_lastWorkerLine = message;
    ui->logTextEdit->append(message);
}

void MainWindow::onWorkerFinished(bool success)
{
    const bool stopped = m_stopping;
    m_stopping = false;
    setProcessingState(false);
    if (!success) {
        ui->progressBar->setValue(0);
        if (stopped) {
            // As after quitting, nothing of the run is left; the next run gets
            // a fresh work folder.
            removeWorkFolder();
            createWorkFolder();
            return;
        }
        // The worker's last line names the failure and its cause.
        QMessageBox::critical(this, tr("错误"), m_lastWorkerLine);
        return;
    }
    for (const QString &notice : std::as_const(m_optionNotices))
        ui->logTextEdit->append(notice);
    QMessageBox::information(this, tr("完成"), tr("便携应用创建成功！"));
}

void MainWindow::startWorker()
{
    m_workerThread = new QThread(this);
    m_worker = new Worker;
    m_worker->moveToThread(m_workerThread);
    connect(m_worker, &Worker::progressChanged, this, &MainWindow::onWorkerProgress);
    connect(m_worker, &Worker::logMessage, this, &MainWindow::onWorkerLog);
    connect(m_worker, &Worker::finished, this, &MainWindow::onWorkerFinished);
    m_workerThread->start(QThread::InheritPriority);
}

// A run in progress is stopped, not waited for: the worker ends its tools,
// removes what the run had begun and returns within a fraction of a second.
void MainWindow::stopWorker()
{
    m_worker->requestStop();
    m_workerThread->quit();
    m_workerThread->wait();
    delete m_worker;
    m_worker = nullptr;
}

void MainWindow::createWorkFolder()
{
    const QString created = runrules::createWorkFolder(QDir::tempPath(), QDateTime::currentDateTime());
    m_ownsTempDir = !created.isEmpty();
    // Without a folder of its own the runs are handed a name under the
    // temporary folder anyway; the worker refuses a folder that is missing
    // or not private, and the window never removes what it did not make.
    m_tempDir = m_ownsTempDir ? created
                              : QDir::tempPath() + QStringLiteral("/Crateforge_")
                                    + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss"));
}

void MainWindow::removeWorkFolder()
{
    if (m_ownsTempDir && QDir(m_tempDir).exists())
        QDir(m_tempDir).removeRecursively();
}

void MainWindow::setProcessingState(bool processing)
{
    m_processing = processing;
    const bool enabled = !processing;
    ui->startButton->setEnabled(true);
    updateStartButtonText();
    // Every input stays as the run was asked for, until it ends.
    for (QWidget *input : std::initializer_list<QWidget *>{
             ui->folderLineEdit, ui->outputLineEdit, ui->iconLineEdit, ui->mainExeComboBox, ui->cmbCompression,
             ui->cmbMethod, ui->cmbDictSize, ui->chkCleanup, ui->chkTemp, ui->chkAdmin, ui->chkEncrypt})
        input->setEnabled(enabled);
    ui->selectFolderButton->setEnabled(enabled);
    ui->outputButton->setEnabled(enabled);
    ui->iconButton->setEnabled(enabled);
    ui->mainExeButton->setEnabled(enabled);
    ui->resetButton->setEnabled(enabled);
    ui->menuButton->setEnabled(enabled);
}

void MainWindow::updateStartButtonText()
{
    ui->startButton->setText(m_processing ? tr("停止制作") : tr("开始制作"));
}
