// Times a long quick-command list in a real Wrenpost window: the window built
// with the list in its settings, the panel shown, the list scrolled from top
// to bottom and back, and the whole list sent in order (no delays, sends
// echoed) to a loopback peer that checks every byte. The worst stall is how
// late a 10 ms timer on the GUI thread fired during each step.
//
//   wrenpost_quick_bench [--count N]

#include "../common/benchsupport.h"
#include "mainwindow.h"
#include "quickcommandfile.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTemporaryDir>

#include <cstdio>

namespace {

template<typename T>
T *find(const QObject &parent, const char *name)
{
    return parent.findChild<T *>(QLatin1String(name));
}

// Runs the event loop until `done` holds or `limitMs` passes; false on the limit.
template<typename Done>
bool runUntil(Done done, int limitMs = 60000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // The window reads and writes its settings: here, in a folder of its own.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("count"), QStringLiteral("commands in the list"), QStringLiteral("N"),
                      QStringLiteral("1000")});
    parser.process(app);
    const int count = parser.value(QStringLiteral("count")).toInt();

    QList<QuickCommand> commands;
    QByteArray expected;
    for (int i = 0; i < count; ++i) {
        const QString text = QStringLiteral("command %1;").arg(i);
        commands.append({QStringLiteral("Command %1").arg(i), text, false, false, 0});
        expected += text.toLatin1();
    }
    const QByteArray file = writeQuickCommands(commands);
    QSettings(QStringLiteral("QuillonLabs"), QStringLiteral("Wrenpost\u200B"))
        .setValue(QStringLiteral("quickCommands/list"), QString::fromUtf8(file));

    // What the window's start and an import do with the list's text.
    QElapsedTimer clock;
    clock.start();
    const bool readBack = readQuickCommands(file).commands == commands;
    const double readMs = double(clock.nsecsElapsed()) / 1e6;

    clock.restart();
    MainWindow window;
    window.show();
    const qint64 builtMs = clock.elapsed();
    bench::settle();

    QTcpServer peer;
    peer.listen(QHostAddress::LocalHost, 0);
    find<QLineEdit>(window, "Obj_IP")->setText(QStringLiteral("127.0.0.1"));
    find<QLineEdit>(window, "Obj_Port")->setText(QString::number(peer.serverPort()));
    find<QCheckBox>(window, "DisplaySendMsg")->setChecked(true);
    find<QPushButton>(window, "Connect")->click();
    if (!runUntil([&] { return peer.hasPendingConnections() && find<QPushButton>(window, "Send")->isEnabled(); })) {
        std::fprintf(stderr, "no connection\n");
        return 1;
    }
    QTcpSocket *side = peer.nextPendingConnection();

    // Shown: the list's first layout and paint.
    qint64 shownStall = 0;
    {
        bench::StallMeter meter;
        clock.restart();
        find<QCheckBox>(window, "QuickCommands")->click();
        runUntil([&] { return clock.elapsed() > 300; });
        shownStall = meter.worstLateMs();
    }

    // Scrolled a step at a time to the bottom and back, painting each step.
    qint64 scrollStall = 0;
    {
        auto *list = find<QWidget>(window, "quickCommandPanel")->findChild<QListView *>(QStringLiteral("quickList"));
        QScrollBar *bar = list->verticalScrollBar();
        bench::StallMeter meter;
        for (const int direction : {1, -1}) {
            const int end = direction > 0 ? bar->maximum() : bar->minimum();
            while (bar->value() != end) {
                bar->setValue(bar->value() + direction * bar->singleStep() * 3);
                list->viewport()->repaint();
                QCoreApplication::processEvents();
            }
        }
        scrollStall = meter.worstLateMs();
    }

    // Sent in order, every command echoed in the receive area.
    QByteArray got;
    qint64 sendStall = 0;
    double sendSeconds = 0;
    {
        bench::StallMeter meter;
        clock.restart();
        find<QWidget>(window, "quickCommandPanel")->findChild<QPushButton *>(QStringLiteral("quickSendAll"))->click();
        // Until every byte has arrived and the last echo is on screen.
        auto *area = find<QTextBrowser>(window, "Recive_msg");
        const QString last = commands.isEmpty() ? QString() : commands.last().text;
        runUntil([&] {
            got += side->readAll();
            return got.size() >= expected.size() && area->document()->lastBlock().text() == last;
        });
        sendSeconds = double(clock.elapsed()) / 1000;
        sendStall = meter.worstLateMs();
    }

    std::printf("%d commands: list read in %.1f ms%s; window built in %lld ms; panel shown, worst stall %lld ms; scrolled, worst stall "
                "%lld ms; sent in order in %.2f s (%s), worst stall %lld ms\n",
                count, readMs, readBack ? "" : " (DIFFERS)", builtMs, shownStall, scrollStall, sendSeconds,
                got == expected ? "all bytes arrived in order" : "BYTES DIFFER", sendStall);
    return got == expected && readBack ? 0 : 1;
}
