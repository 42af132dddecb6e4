#include "filesendbar.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>

FileSendBar::FileSendBar(QAbstractButton *pageSend, const QString &suffix, QWidget *parent)
    : QWidget(parent), m_pageSend(pageSend), m_choose(new QPushButton(this)), m_progress(new QProgressBar(this)),
      m_stop(new QPushButton(this))
{
    m_choose->setObjectName(QStringLiteral("SendFile") + suffix);
    m_progress->setObjectName(QStringLiteral("SendFileProgress") + suffix);
    m_stop->setObjectName(QStringLiteral("StopSendFile") + suffix);
    // Per mille of the file, so that files beyond 2 GiB move the bar too.
    m_progress->setRange(0, 1000);
    m_progress->setTextVisible(true);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_choose);
    row->addWidget(m_progress, 1);
    row->addWidget(m_stop);

    connect(m_choose, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(window(), tr("选择要发送的文件"));
        if (!path.isEmpty())
            emit fileChosen(path);
    });
    connect(m_stop, &QPushButton::clicked, this, &FileSendBar::stopClicked);
    pageSend->installEventFilter(this);
    retranslate();
    setRunning(false);
}

void FileSendBar::setRunning(bool running)
{
    m_running = running;
    m_progress->setVisible(running);
    m_stop->setVisible(running);
    if (!running)
        m_progress->setValue(0);
    followPageSend();
}

void FileSendBar::setProgress(qint64 written, qint64 total)
{
    m_progress->setValue(total > 0 ? int(written * 1000 / total) : 1000);
}

void FileSendBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

bool FileSendBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pageSend && event->type() == QEvent::EnabledChange)
        followPageSend();
    return QWidget::eventFilter(watched, event);
}

void FileSendBar::retranslate()
{
    m_choose->setText(tr("发送文件"));
    m_stop->setText(tr("停止"));
}

void FileSendBar::followPageSend()
{
    // One file at a time, over a channel that can send.
    m_choose->setEnabled(m_pageSend->isEnabled() && !m_running);
}
