#pragma once

#include "quickcommand.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

// Adds or edits one quick command. OK needs a name.
class QuickCommandDialog : public QDialog
{
    Q_OBJECT

public:
    explicit QuickCommandDialog(const QuickCommand &command, QWidget *parent = nullptr);

    QuickCommand command() const;

private:
    QLineEdit *m_name;
    QPlainTextEdit *m_text;
    QCheckBox *m_hex;
    QCheckBox *m_newLine;
    QSpinBox *m_delay;
    QDialogButtonBox *m_buttons;
};
