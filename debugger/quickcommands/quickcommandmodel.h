#pragma once

#include "quickcommand.h"

#include <QAbstractListModel>
#include <QList>

// The quick-command list, shared by the panels of both pages: each row shows
// a command's name, its tool tip the text and options.
class QuickCommandModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    const QList<QuickCommand> &commands() const { return m_commands; }
    const QuickCommand &at(int row) const { return m_commands.at(row); }

    void setCommands(const QList<QuickCommand> &commands);
    void append(const QList<QuickCommand> &commands);
    void replace(int row, const QuickCommand &command);
    void remove(int row);
    // Swaps a row with its neighbour above (-1) or below (+1); false at an end.
    bool moveBy(int row, int step);

private:
    QList<QuickCommand> m_commands;
};
