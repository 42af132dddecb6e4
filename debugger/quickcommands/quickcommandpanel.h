#pragma once

#include "quickcommand.h"

#include <QWidget>

class QCheckBox;
class QListView;
class QPushButton;
class QuickCommandModel;
class QuickSequence;

// The quick-command panel of one page: the shared list, its editing buttons,
// import and export, and sending in order. It sends nothing itself: every
// command it wants sent comes out of sendRequested, and the page sends it
// as a typed send, calling stopSequence() when it cannot.
class QuickCommandPanel : public QWidget
{
    Q_OBJECT

public:
    QuickCommandPanel(QuickCommandModel *model, QWidget *parent = nullptr);

    // The check box of the page's send settings that shows and hides the panel.
    QCheckBox *toggle() const { return m_toggle; }
    // Row `row` is sent, if the list has it (the page's Ctrl+1 … Ctrl+9).
    void sendRow(int row);
    bool sequenceRunning() const;

public Q_SLOTS:
    void stopSequence();

Q_SIGNALS:
    void sendRequested(const QuickCommand &command);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void updateButtons();
    int currentRow() const;
    void selectRow(int row);
    void addCommand();
    void editCommand();
    void removeCommand();
    void moveCommand(int step);
    void importCommands();
    void exportCommands();

    QuickCommandModel *m_model;
    QuickSequence *m_sequence;
    QCheckBox *m_toggle;
    QListView *m_list;
    QPushButton *m_add;
    QPushButton *m_edit;
    QPushButton *m_remove;
    QPushButton *m_up;
    QPushButton *m_down;
    QPushButton *m_import;
    QPushButton *m_export;
    QPushButton *m_sendAll;
    QCheckBox *m_loop;
    QPushButton *m_stop;
};
