#pragma once

#include <QObject>

class QCompleter;
class QLineEdit;
class QStringListModel;

// Turns the local-address line edit into a field that offers this machine's
// addresses ("0.0.0.0" for all, then IPv4, then IPv6) in a drop-down opened
// by the arrow at its end, and still takes a typed address. The list is read
// from the interfaces each time it opens. Parented to the edit.
class LocalAddressField : public QObject
{
    Q_OBJECT

public:
    explicit LocalAddressField(QLineEdit *edit);

    // Reads the interfaces again and shows every choice.
    void showChoices();

private:
    QLineEdit *m_edit;
    QStringListModel *m_choices;
    QCompleter *m_completer;
};
