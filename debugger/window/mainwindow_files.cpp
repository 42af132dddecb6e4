#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "hexcodec.h"
#include "longwordwrap.h"
#include "messagefiles.h"
#include "receivedisplay.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTextEdit>

using namespace MessageFiles;

void MainWindow::importMessageFile(QTextEdit *sendArea, QWidget *dialogParent, const QString &filter)
{
    const QString path = QFileDialog::getOpenFileName(dialogParent, tr("请选择txt文件"), QString(), filter);
    if (path.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, tr("提示"), tr("未选择文件"));
        box.addButton(tr("确定"), QMessageBox::AcceptRole);
        box.exec();
        return;
    }

    qDebug() << path;
    const Imported imported = readTextFile(path);
    switch (imported.error) {
    case ReadError::None:
        // As plain text: markup in a message file is part of the message, and
        // what is sent is the area's plain text.
        sendArea->findChild<LongWordWrap *>(QString(), Qt::FindDirectChildrenOnly)->replaceText(imported.text);
        return;
    case ReadError::CannotOpen:
        QMessageBox::warning(nullptr, tr("错误："), tr("打开文件失败"), QMessageBox::Ok);
        return;
    case ReadError::TooLarge:
        QMessageBox::warning(nullptr, tr("错误："),
                             tr("文件超过%1 MB，未载入").arg(kImportLimitBytes / (1024 * 1024)), QMessageBox::Ok);
        return;
    case ReadError::NotUtf8:
        QMessageBox::warning(nullptr, tr("错误："), tr("文件不是UTF-8编码的文本，未载入"), QMessageBox::Ok);
        return;
    }
}

void MainWindow::reportSave(bool written, const QString &path)
{
    if (!written) {
        QMessageBox::warning(nullptr, tr("错误！"), tr("写入文件失败！"), QMessageBox::Ok);
        return;
    }
    QMessageBox box(QMessageBox::Information, tr("提示！"), tr("保存成功！"), QMessageBox::Ok);
    box.setInformativeText(tr("文件位置：%1").arg(QDir::toNativeSeparators(path)));
    box.exec();
}

QString MainWindow::firstSaveFolder()
{
    const QString program = QCoreApplication::applicationDirPath();
    if (QFileInfo(program).isWritable())
        return program;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir().mkpath(documents) ? documents : program;
}

void MainWindow::on_ActOpenFile_triggered()
{
    importMessageFile(ui->Send_msg, this, QStringLiteral("Text files (*.txt)"));
}

void MainWindow::saveReceiveArea(ReceiveDisplay *display, QWidget *dialogParent,
                                 const QString &filter, const QString &namePattern)
{
    const QString folder = m_saveFolder.isEmpty() ? firstSaveFolder() : m_saveFolder;
    const QString suggested = exportPath(folder, QDateTime::currentDateTime(), namePattern);
    const QString path = QFileDialog::getSaveFileName(dialogParent, tr("保存接收区"), suggested, filter);
    if (path.isEmpty())
        return;
    m_saveFolder = QFileInfo(path).absolutePath();
    // What arrived within the last frame, and while the dialog was open, is written too.
    display->flush();
    qDebug() << path;
    reportSave(writeTextFile(path, LocalTextToBytes(display->plainText())), path);
}

void MainWindow::on_ActSaveFile_triggered()
{
    // The network page keeps its saves' names in the source language's form.
    saveReceiveArea(networkReceive, this, QStringLiteral("Text files (*.txt)"),
                    QStringLiteral("/yyyy年MM月dd日hh-mm-ss"));
}

void MainWindow::on_OpenFile_clicked()
{
    importMessageFile(ui->DataToSend, nullptr, QString());
}

void MainWindow::on_SaveData_clicked()
{
    serialReceive->flush();
    if (ui->DataRecive->document()->isEmpty())
        return;
    saveReceiveArea(serialReceive, nullptr, QString(), tr("/yyyy年MM月dd日hh-mm-ss"));
}

void MainWindow::initRecording()
{
    const std::pair<ReceiveDisplay *, QAbstractButton *> pages[] = {{networkReceive, ui->RecordFile},
                                                                    {serialReceive, ui->RecordFile_2}};
    for (const auto &[display, box] : pages) {
        // Queued: the failure shows after the batch that met it has been
        // taken in, and batches arriving while the box is open keep their order.
        connect(display->recorder(), &ReceiveRecorder::failed, this, [this, box = box] {
            box->setChecked(false);
            QMessageBox::warning(nullptr, tr("错误！"), tr("写入文件失败！"), QMessageBox::Ok);
        }, Qt::QueuedConnection);
    }
}

void MainWindow::toggleRecording(ReceiveDisplay *display, QAbstractButton *box, bool checked, QWidget *dialogParent,
                                 const QString &filter, const QString &namePattern)
{
    if (!checked) {
        display->stopRecording();
        return;
    }
    QString folder = m_recordFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    // A chosen file that exists is appended to, so there is nothing to confirm.
    const QString path = QFileDialog::getSaveFileName(dialogParent, tr("记录到文件"),
                                                      exportPath(folder, QDateTime::currentDateTime(), namePattern),
                                                      filter, nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) {
        box->setChecked(false);
        return;
    }
    qDebug() << path;
    m_recordFolder = QFileInfo(path).absolutePath();
    if (!display->startRecording(path)) {
        box->setChecked(false);
        QMessageBox::warning(nullptr, tr("错误！"), tr("写入文件失败！"), QMessageBox::Ok);
    }
}

void MainWindow::stopRecordings()
{
    networkReceive->stopRecording();
    serialReceive->stopRecording();
    ui->RecordFile->setChecked(false);
    ui->RecordFile_2->setChecked(false);
}

void MainWindow::on_RecordFile_clicked(bool checked)
{
    toggleRecording(networkReceive, ui->RecordFile, checked, this, QStringLiteral("Text files (*.txt)"),
                    QStringLiteral("/yyyy年MM月dd日hh-mm-ss"));
}

void MainWindow::on_RecordFile_2_clicked(bool checked)
{
    toggleRecording(serialReceive, ui->RecordFile_2, checked, nullptr, QString(), tr("/yyyy年MM月dd日hh-mm-ss"));
}
