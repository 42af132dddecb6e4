#include "quickcommandpanel.h"

#include "quickcommanddialog.h"
#include "quickcommandfile.h"
#include "quickcommandmodel.h"
#include "quicksequence.h"

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

// An import with more mistakes than this names the first ones.
constexpr int kErrorsShown = 10;

QPushButton *button(const char *name, QWidget *parent)
{
    auto *made = new QPushButton(parent);
    made->setObjectName(QLatin1String(name));
    return made;
}

} // namespace

QuickCommandPanel::QuickCommandPanel(QuickCommandModel *model, QWidget *parent)
    : QWidget(parent),
      m_model(model),
      m_sequence(new QuickSequence(model, this)),
      m_toggle(new QCheckBox(parent)),
      m_list(new QListView(this)),
      m_add(button("quickAdd", this)),
      m_edit(button("quickEdit", this)),
      m_remove(button("quickRemove", this)),
      m_up(button("quickUp", this)),
      m_down(button("quickDown", this)),
      m_import(button("quickImport", this)),
      m_export(button("quickExport", this)),
      m_sendAll(button("quickSendAll", this)),
      m_loop(new QCheckBox(this)),
      m_stop(button("quickStop", this))
{
    m_list->setObjectName(QStringLiteral("quickList"));
    m_loop->setObjectName(QStringLiteral("quickLoop"));
    m_list->setModel(model);
    // Rows of one height are laid out without measuring each: a long list
    // opens and scrolls without a pause.
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setMinimumWidth(150);

    // Two columns, so that the page's own columns keep their room at the
    // window's smallest width.
    auto *buttons = new QGridLayout;
    buttons->addWidget(m_add, 0, 0);
    buttons->addWidget(m_edit, 0, 1);
    buttons->addWidget(m_up, 1, 0);
    buttons->addWidget(m_down, 1, 1);
    buttons->addWidget(m_remove, 2, 0, 1, 2);
    buttons->addWidget(m_import, 3, 0);
    buttons->addWidget(m_export, 3, 1);
    buttons->addWidget(m_loop, 4, 0, 1, 2);
    buttons->addWidget(m_sendAll, 5, 0);
    buttons->addWidget(m_stop, 5, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_list, &QListView::clicked, this, [this](const QModelIndex &index) { sendRow(index.row()); });
    connect(m_add, &QPushButton::clicked, this, &QuickCommandPanel::addCommand);
    connect(m_edit, &QPushButton::clicked, this, &QuickCommandPanel::editCommand);
    connect(m_remove, &QPushButton::clicked, this, &QuickCommandPanel::removeCommand);
    connect(m_up, &QPushButton::clicked, this, [this] { moveCommand(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveCommand(1); });
    connect(m_import, &QPushButton::clicked, this, &QuickCommandPanel::importCommands);
    connect(m_export, &QPushButton::clicked, this, &QuickCommandPanel::exportCommands);
    connect(m_sendAll, &QPushButton::clicked, this, [this] { m_sequence->start(m_loop->isChecked()); });
    connect(m_stop, &QPushButton::clicked, this, &QuickCommandPanel::stopSequence);
    connect(m_sequence, &QuickSequence::sendRequested, this, &QuickCommandPanel::sendRow);
    connect(m_sequence, &QuickSequence::runningChanged, this, &QuickCommandPanel::updateButtons);
    connect(m_toggle, &QCheckBox::toggled, this, &QWidget::setVisible);

    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, signal, this, &QuickCommandPanel::updateButtons);
    connect(model, &QAbstractItemModel::modelReset, this, &QuickCommandPanel::updateButtons);
    connect(model, &QAbstractItemModel::rowsMoved, this, &QuickCommandPanel::updateButtons);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this, &QuickCommandPanel::updateButtons);

    retranslate();
    updateButtons();
}

void QuickCommandPanel::sendRow(int row)
{
    if (row >= 0 && row < m_model->rowCount())
        emit sendRequested(m_model->at(row));
}

bool QuickCommandPanel::sequenceRunning() const
{
    return m_sequence->isRunning();
}

void QuickCommandPanel::stopSequence()
{
    m_sequence->stop();
}

void QuickCommandPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void QuickCommandPanel::retranslate()
{
    m_toggle->setText(tr("快捷指令"));
    m_add->setText(tr("添加"));
    m_edit->setText(tr("编辑"));
    m_remove->setText(tr("删除"));
    m_up->setText(tr("上移"));
    m_down->setText(tr("下移"));
    m_import->setText(tr("导入"));
    m_export->setText(tr("导出"));
    m_sendAll->setText(tr("按顺序发送"));
    m_loop->setText(tr("循环"));
    m_stop->setText(tr("停止"));
    m_list->setToolTip(tr("单击指令即发送；Ctrl+1 … Ctrl+9 发送前九条"));
}

void QuickCommandPanel::updateButtons()
{
    const int row = currentRow();
    const int count = m_model->rowCount();
    const bool running = m_sequence->isRunning();
    m_edit->setEnabled(row >= 0);
    m_remove->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < count);
    m_export->setEnabled(count > 0);
    m_sendAll->setEnabled(!running && count > 0);
    m_stop->setEnabled(running);
}

int QuickCommandPanel::currentRow() const
{
    const QModelIndex current = m_list->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void QuickCommandPanel::selectRow(int row)
{
    m_list->setCurrentIndex(m_model->index(row));
    updateButtons();
}

void QuickCommandPanel::addCommand()
{
    QuickCommandDialog dialog(QuickCommand{}, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_model->append({dialog.command()});
    selectRow(m_model->rowCount() - 1);
}

void QuickCommandPanel::editCommand()
{
    const int row = currentRow();
    if (row < 0)
        return;
    QuickCommandDialog dialog(m_model->at(row), this);
    if (dialog.exec() == QDialog::Accepted)
        m_model->replace(row, dialog.command());
}

void QuickCommandPanel::removeCommand()
{
    const int row = currentRow();
    if (row < 0)
        return;
    m_model->remove(row);
    if (m_model->rowCount() > 0)
        selectRow(qMin(row, m_model->rowCount() - 1));
}

void QuickCommandPanel::moveCommand(int step)
{
    const int row = currentRow();
    if (m_model->moveBy(row, step))
        selectRow(row + step);
}

void QuickCommandPanel::importCommands()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("导入快捷指令"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        tr("快捷指令文件 (*.txt);;所有文件 (*)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(this, tr("错误"), tr("无法打开文件：%1").arg(file.errorString()));
        return;
    }
    const QuickCommandFileContents contents = readQuickCommands(file.readAll());
    if (!contents.ok()) {
        // Nothing of a file with mistakes is taken, so that fixing it and
        // importing again does not add its good commands twice.
        QStringList lines{tr("文件有误，未导入任何指令：")};
        for (qsizetype i = 0; i < contents.errors.size() && i < kErrorsShown; ++i)
            lines << tr("第 %1 行：%2").arg(contents.errors[i].line).arg(contents.errors[i].message);
        if (contents.errors.size() > kErrorsShown)
            lines << tr("……另有 %1 处错误").arg(contents.errors.size() - kErrorsShown);
        QMessageBox::warning(this, tr("警告"), lines.join(u'\n'));
        return;
    }
    m_model->append(contents.commands);
}

void QuickCommandPanel::exportCommands()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("导出快捷指令"),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/quick-commands.txt"),
        tr("快捷指令文件 (*.txt);;所有文件 (*)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(writeQuickCommands(m_model->commands())) < 0
        || !file.commit())
        QMessageBox::warning(this, tr("错误"), tr("无法保存文件：%1").arg(file.errorString()));
}
