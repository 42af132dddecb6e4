#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "channelcontroller.h"
#include "hexcodec.h"
#include "quickcommandfile.h"
#include "quickcommandmodel.h"
#include "quickcommandpanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QSettings>
#include <QShortcut>

namespace {

const QString kListKey = QStringLiteral("quickCommands/list");
// Whether each page shows its panel, by page.
const QString kShownKeys[2] = {QStringLiteral("options/quickCommands"), QStringLiteral("serial/quickCommands")};

} // namespace

void MainWindow::initQuickCommands()
{
    m_quickCommands = new QuickCommandModel(this);

    struct Page
    {
        QWidget *page;
        QBoxLayout *column;
        QWidget *receiveArea;
        QGridLayout *options;
        QLatin1String suffix;
    };
    const Page pages[2] = {
        {ui->networkPage, ui->verticalLayout_messages, ui->Recive_msg, ui->gridLayout_send, QLatin1String("")},
        {ui->serialPage, ui->verticalLayout_serialData, ui->DataRecive, ui->gridLayout_serialOptions,
         QLatin1String("_2")},
    };
    for (int index = 0; index < 2; ++index) {
        const Page &page = pages[index];
        auto *panel = new QuickCommandPanel(m_quickCommands, page.page);
        panel->setObjectName(QLatin1String("quickCommandPanel") + page.suffix);
        panel->toggle()->setObjectName(QLatin1String("QuickCommands") + page.suffix);
        panel->hide();
        // Beside the receive area, so that the send area and the page's
        // buttons below keep the column's whole width at the window's
        // smallest size.
        const int at = page.column->indexOf(page.receiveArea);
        const int stretch = page.column->stretch(at);
        page.column->removeWidget(page.receiveArea);
        auto *row = new QHBoxLayout;
        row->addWidget(page.receiveArea, 1);
        row->addWidget(panel);
        page.column->insertLayout(at, row, stretch);
        page.options->addWidget(panel->toggle(), page.options->rowCount(), 0, 1, 2);
        connect(panel, &QuickCommandPanel::sendRequested, this, [this, index](const QuickCommand &command) {
            if (!sendQuickCommand(index, command))
                stopQuickSequence(index);
        });
        m_quickPanels[index] = panel;
    }

    // A run goes over its page's channel and ends with it.
    connect(m_channels, &ChannelController::stateChanged, this, [this](Channel channel, ChannelState state) {
        if (state == ChannelState::Closed)
            stopQuickSequence(isNetworkChannel(channel) ? 0 : 1);
    });

    // One set for the window: each key sends from the page on show, when its panel is shown.
    for (int row = 0; row < 9; ++row) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + row)), this);
        connect(shortcut, &QShortcut::activated, this, [this, row] {
            QuickCommandPanel *panel = m_quickPanels[ui->stackedWidget->currentIndex() == 1 ? 1 : 0];
            if (panel->isVisible())
                panel->sendRow(row);
        });
    }
}

void MainWindow::loadQuickCommands(QSettings &settings)
{
    // What cannot be read back is left out; the rest of the list stays.
    m_quickCommands->setCommands(readQuickCommands(settings.value(kListKey).toString().toUtf8()).commands);
    for (int page = 0; page < 2; ++page)
        m_quickPanels[page]->toggle()->setChecked(settings.value(kShownKeys[page], false).toBool());
}

void MainWindow::saveQuickCommands(QSettings &settings) const
{
    settings.setValue(kListKey, QString::fromUtf8(writeQuickCommands(m_quickCommands->commands())));
    for (int page = 0; page < 2; ++page)
        settings.setValue(kShownKeys[page], m_quickPanels[page]->toggle()->isChecked());
}

// The reset hides the panels and stops their runs; the list is the user's
// work, not a setting, and is kept.
void MainWindow::resetQuickCommands()
{
    for (int page = 0; page < 2; ++page) {
        stopQuickSequence(page);
        m_quickPanels[page]->toggle()->setChecked(false);
    }
}

bool MainWindow::sendQuickCommand(int page, const QuickCommand &command)
{
    if (command.hex) {
        // Checked here as the page would, so that the box can name the command.
        const HexInput input = parseHexInput(command.newLine ? command.text + QStringLiteral("\r\n") : command.text);
        if (!input.ok()) {
            stopQuickSequence(page);
            QMessageBox::warning(this, tr("警告"),
                                 tr("快捷指令“%1”").arg(command.name) + u'\n'
                                     + tr("HEX格式错误：%1").arg(input.badToken));
            return false;
        }
    }
    // Sent as the page sends: its timed send names the page (and is the one a
    // refused target stops, as the same fields refuse its next tick too).
    if (page == 0)
        return sendNetworkText(command.text, command.hex, command.newLine, Send_timer, ui->Timer_Send);
    // The serial page sends only while its port is open.
    return m_channels->state(Channel::Serial) == ChannelState::Open
        && sendSerialText(command.text, command.hex, command.newLine, timer, ui->LoopSend);
}

void MainWindow::stopQuickSequence(int page)
{
    if (m_quickPanels[page])
        m_quickPanels[page]->stopSequence();
}
