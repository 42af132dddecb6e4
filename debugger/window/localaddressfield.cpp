#include "localaddressfield.h"

#include "localaddress.h"

#include <QAction>
#include <QCompleter>
#include <QLineEdit>
#include <QStringListModel>
#include <QStyle>

LocalAddressField::LocalAddressField(QLineEdit *edit)
    : QObject(edit), m_edit(edit), m_choices(new QStringListModel(localAddressChoices(), this)),
      m_completer(new QCompleter(m_choices, this))
{
    // Every choice stays offered whatever is typed: the field is short and
    // the addresses share their first digits.
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    edit->setCompleter(m_completer);

    QAction *open = edit->addAction(edit->style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    open->setObjectName(QStringLiteral("LocalAddressChoices"));
    connect(open, &QAction::triggered, this, &LocalAddressField::showChoices);
}

void LocalAddressField::showChoices()
{
    m_choices->setStringList(localAddressChoices());
    m_completer->setCompletionPrefix(QString());
    m_completer->complete();
}
