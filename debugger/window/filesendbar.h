#pragma once

#include <QString>
#include <QWidget>

class QAbstractButton;
class QProgressBar;
class QPushButton;

// A page's "send a file" row: the button that picks a file, the progress of
// the send and its Stop button. The pick button is usable exactly when the
// page's own Send button is, and hidden progress and Stop show only while a
// file goes out. The row sends nothing itself: it says which file was chosen.
class FileSendBar : public QWidget
{
    Q_OBJECT

public:
    // `suffix` ends the object names ("" or "_2"): SendFile, SendFileProgress,
    // StopSendFile.
    FileSendBar(QAbstractButton *pageSend, const QString &suffix, QWidget *parent = nullptr);

    void setRunning(bool running);
    void setProgress(qint64 written, qint64 total);

Q_SIGNALS:
    void fileChosen(QString path);
    void stopClicked();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void retranslate();
    void followPageSend();

    QAbstractButton *m_pageSend;
    QPushButton *m_choose;
    QProgressBar *m_progress;
    QPushButton *m_stop;
    bool m_running = false;
};
