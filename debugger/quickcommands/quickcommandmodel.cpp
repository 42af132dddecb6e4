#include "quickcommandmodel.h"

int QuickCommandModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_commands.size());
}

QVariant QuickCommandModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_commands.size())
        return {};
    const QuickCommand &command = m_commands.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return command.name;
    case Qt::ToolTipRole: {
        QString tip = command.text.toHtmlEscaped().replace(u'\n', QLatin1String("<br>"));
        QStringList options;
        if (command.hex)
            options << tr("HEX发送");
        if (command.newLine)
            options << tr("发送换行");
        if (command.delayMs > 0)
            options << tr("之后延时 %1 ms").arg(command.delayMs);
        if (index.row() < 9)
            options << QStringLiteral("Ctrl+%1").arg(index.row() + 1);
        if (!options.isEmpty())
            tip += QLatin1String("<hr>") + options.join(QLatin1String(" · "));
        return tip;
    }
    default:
        return {};
    }
}

void QuickCommandModel::setCommands(const QList<QuickCommand> &commands)
{
    beginResetModel();
    m_commands = commands;
    endResetModel();
}

void QuickCommandModel::append(const QList<QuickCommand> &commands)
{
    if (commands.isEmpty())
        return;
    const int first = int(m_commands.size());
    beginInsertRows({}, first, first + int(commands.size()) - 1);
    m_commands.append(commands);
    endInsertRows();
}

void QuickCommandModel::replace(int row, const QuickCommand &command)
{
    if (row < 0 || row >= m_commands.size())
        return;
    m_commands[row] = command;
    emit dataChanged(index(row), index(row));
}

void QuickCommandModel::remove(int row)
{
    if (row < 0 || row >= m_commands.size())
        return;
    beginRemoveRows({}, row, row);
    m_commands.removeAt(row);
    endRemoveRows();
}

bool QuickCommandModel::moveBy(int row, int step)
{
    const int to = row + step;
    if ((step != -1 && step != 1) || row < 0 || to < 0 || row >= m_commands.size() || to >= m_commands.size())
        return false;
    // beginMoveRows names the row before which the moved one lands.
    if (!beginMoveRows({}, row, row, {}, step > 0 ? to + 1 : to))
        return false;
    m_commands.swapItemsAt(row, to);
    endMoveRows();
    // The shortcut in each tool tip follows the position.
    emit dataChanged(index(qMin(row, to)), index(qMax(row, to)), {Qt::ToolTipRole});
    return true;
}
