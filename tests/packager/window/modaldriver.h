#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>

// Answers the modal dialogs that code under test opens with exec(), one queued
// answer per dialog, in order, and records what each dialog looked like. Works
// for file dialogs because the offscreen platform has no native ones, so the
// static QFileDialog functions run Qt's own widget dialog.
class ModalDriver
{
public:
    struct Seen
    {
        QString className;
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QList<QMessageBox::StandardButton> buttons;
        bool hadParent = false;
        QString directory;
        QStringList nameFilters;
        QFileDialog::Options options;
        QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    };
    using Answer = std::function<void(QWidget *)>;

    ModalDriver()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    ModalDriver &then(Answer answer)
    {
        m_answers.append(std::move(answer));
        return *this;
    }

    // Selects an existing file or folder in a file dialog and accepts it.
    ModalDriver &choose(const QString &path)
    {
        return then([path](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            // selectFile() leaves the name field alone while it has the focus.
            if (QWidget *focused = dialog->focusWidget())
                focused->clearFocus();
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept(); // public in QDialog, protected in QFileDialog
        });
    }

    ModalDriver &cancel()
    {
        return then([](QWidget *modal) {
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            else
                modal->close();
        });
    }

    ModalDriver &press(QMessageBox::StandardButton button)
    {
        return then([button](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QAbstractButton *target = box ? box->button(button) : nullptr;
            if (target)
                target->click();
            else if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            else
                modal->close();
        });
    }

    const QList<Seen> &seen() const { return m_seen; }
    // All answers given and no dialog had to be closed for want of one.
    bool done() const { return m_answers.isEmpty() && !m_stuck; }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            m_waited = 0;
            return;
        }
        if (modal == m_last || m_answers.isEmpty()) {
            // A dialog nobody answers would block the test until its time-out.
            if (++m_waited > kGiveUpPolls) {
                m_stuck = true;
                m_waited = 0;
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
                else
                    modal->close();
            }
            return;
        }
        m_last = modal;
        m_waited = 0;

        Seen seen;
        seen.className = QString::fromLatin1(modal->metaObject()->className());
        seen.title = modal->windowTitle();
        seen.hadParent = modal->parentWidget() != nullptr;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen.text = box->text();
            seen.icon = box->icon();
            const auto buttons = box->buttons();
            for (QAbstractButton *button : buttons)
                seen.buttons << box->standardButton(button);
        }
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            seen.directory = dialog->directory().absolutePath();
            seen.nameFilters = dialog->nameFilters();
            seen.options = dialog->options();
            seen.fileMode = dialog->fileMode();
        }
        m_seen.append(seen);
        m_answers.takeFirst()(modal);
    }

    static constexpr int kGiveUpPolls = 300;

    QTimer m_timer;
    int m_waited = 0;
    bool m_stuck = false;
    QList<Answer> m_answers;
    QList<Seen> m_seen;
    QPointer<QWidget> m_last;
};
