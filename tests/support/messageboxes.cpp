#include "messageboxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

namespace {
constexpr int kPollMs = 10;
}

MessageBoxAnswerer::MessageBoxAnswerer(QMessageBox::StandardButton answer, int timeoutMs)
    : m_answer(answer), m_remainingPolls(timeoutMs / kPollMs), m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &MessageBoxAnswerer::poll);
    m_timer->start(kPollMs);
}

MessageBoxAnswerer::~MessageBoxAnswerer() = default;

void MessageBoxAnswerer::poll()
{
    if (--m_remainingPolls < 0) {
        m_timer->stop();
        return;
    }
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;

    m_seen = true;
    ++m_count;
    m_hadParent = modal->parentWidget() != nullptr;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        m_title = box->windowTitle();
        m_text = box->text();
        m_icon = box->icon();
        m_defaultButton = box->standardButton(box->defaultButton());
        m_escapeButton = box->standardButton(box->escapeButton());
        m_buttonTexts.clear();
        const auto buttons = box->buttons();
        for (QAbstractButton *button : buttons)
            m_buttonTexts << button->text();
        QAbstractButton *target = m_answer == QMessageBox::NoButton ? nullptr : box->button(m_answer);
        if (!target && m_answer != QMessageBox::NoButton && !buttons.isEmpty())
            target = buttons.first();
        if (target)
            target->click();
        else
            box->reject();
    } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
        m_title = dialog->windowTitle();
        dialog->reject();
    } else {
        modal->close();
    }
    if (!m_repeat)
        m_timer->stop();
}
