#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>

// Answers the next modal message box (or any modal dialog) that appears, from a
// polling timer, so that a test can drive code which calls exec(). Keep the
// object alive until the box has been answered; seen() tells whether it was.
class MessageBoxAnswerer : public QObject
{
    Q_OBJECT

public:
    // Clicks the button with this role; NoButton rejects the dialog (Escape).
    explicit MessageBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok, int timeoutMs = 10000);
    ~MessageBoxAnswerer() override;

    bool seen() const { return m_seen; }
    int count() const { return m_count; }
    QString title() const { return m_title; }
    QString text() const { return m_text; }
    QMessageBox::Icon icon() const { return m_icon; }
    QStringList buttonTexts() const { return m_buttonTexts; }
    bool hadParent() const { return m_hadParent; }
    // What Enter and Escape would have answered.
    QMessageBox::StandardButton defaultButton() const { return m_defaultButton; }
    QMessageBox::StandardButton escapeButton() const { return m_escapeButton; }

    // Keep answering every box that shows up (for code that shows several).
    void setRepeat(bool repeat) { m_repeat = repeat; }

private:
    void poll();

    QMessageBox::StandardButton m_answer;
    int m_remainingPolls;
    bool m_repeat = false;
    bool m_seen = false;
    int m_count = 0;
    QString m_title;
    QString m_text;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
    QStringList m_buttonTexts;
    bool m_hadParent = false;
    QMessageBox::StandardButton m_defaultButton = QMessageBox::NoButton;
    QMessageBox::StandardButton m_escapeButton = QMessageBox::NoButton;
    class QTimer *m_timer;
};
