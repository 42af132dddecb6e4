#include "quickcommanddialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

QuickCommandDialog::QuickCommandDialog(const QuickCommand &command, QWidget *parent)
    : QDialog(parent),
      m_name(new QLineEdit(command.name, this)),
      m_text(new QPlainTextEdit(command.text, this)),
      m_hex(new QCheckBox(tr("HEX发送"), this)),
      m_newLine(new QCheckBox(tr("发送换行"), this)),
      m_delay(new QSpinBox(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("快捷指令"));
    m_name->setObjectName(QStringLiteral("quickName"));
    m_text->setObjectName(QStringLiteral("quickText"));
    m_hex->setObjectName(QStringLiteral("quickHex"));
    m_newLine->setObjectName(QStringLiteral("quickNewLine"));
    m_delay->setObjectName(QStringLiteral("quickDelay"));

    m_hex->setChecked(command.hex);
    m_newLine->setChecked(command.newLine);
    m_delay->setRange(0, QuickCommand::kMaxDelayMs);
    m_delay->setSuffix(QStringLiteral(" ms"));
    m_delay->setValue(command.delayMs);

    auto *form = new QFormLayout(this);
    form->addRow(tr("名称："), m_name);
    form->addRow(tr("内容："), m_text);
    form->addRow(QString(), m_hex);
    form->addRow(QString(), m_newLine);
    form->addRow(tr("之后延时："), m_delay);
    form->addRow(m_buttons);

    const auto needName = [this] {
        m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_name->text().trimmed().isEmpty());
    };
    connect(m_name, &QLineEdit::textChanged, this, needName);
    needName();
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QuickCommand QuickCommandDialog::command() const
{
    return {m_name->text().trimmed(), m_text->toPlainText(), m_hex->isChecked(), m_newLine->isChecked(),
            m_delay->value()};
}
