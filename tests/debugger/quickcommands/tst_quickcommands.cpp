#include "../windowstores.h"
#include "hexcodec.h"
#include "mainwindow.h"
#include "messageboxes.h"
#include "quickcommandmodel.h"
#include "quickcommandpanel.h"
#include "widgetlookup.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

Q_DECLARE_METATYPE(QuickCommand)

class MainWindowTestAccess
{
public:
    static QuickCommandModel *commands(MainWindow &window) { return window.m_quickCommands; }
};

// A window whose TCP client is connected to a loopback peer, with the
// network page's quick-command panel shown and sent texts echoed.
class tst_QuickCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void sendsAsTyped_data();
    void sendsAsTyped();
    void sequence_data();
    void sequence();
    void keptAcrossRunsAndReset();

private:
    template<typename T>
    T *find(const char *name) const { return child<T>(m_window, name); }
    QuickCommandPanel *panel() const { return find<QuickCommandPanel>("quickCommandPanel"); }
    QByteArray received(int atLeast);

    MainWindow *m_window = nullptr;
    QTcpServer m_peer;
    QTcpSocket *m_side = nullptr;
};

void tst_QuickCommands::init()
{
    clearWrenpostStores();
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QVERIFY(m_peer.listen(QHostAddress::LocalHost, 0));
    find<QLineEdit>("Obj_IP")->setText(QStringLiteral("127.0.0.1"));
    find<QLineEdit>("Obj_Port")->setText(QString::number(m_peer.serverPort()));
    find<QCheckBox>("DisplaySendMsg")->setChecked(true);
    find<QCheckBox>("QuickCommands")->click();
    QVERIFY(panel()->isVisible());
    find<QPushButton>("Connect")->click();
    QTRY_VERIFY(m_peer.hasPendingConnections());
    m_side = m_peer.nextPendingConnection();
    QTRY_VERIFY(find<QPushButton>("Send")->isEnabled());
}

void tst_QuickCommands::cleanup()
{
    delete m_window;
    m_window = nullptr;
    m_peer.close();
}

QByteArray tst_QuickCommands::received(int atLeast)
{
    QByteArray got;
    // The window's event loop runs meanwhile: it paces a sequence.
    for (int i = 0; i < 100 && got.size() < atLeast; ++i) {
        QTest::qWait(20);
        got += m_side->readAll();
    }
    return got;
}

void tst_QuickCommands::sendsAsTyped_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QuickCommand>("command");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("box");

    QTest::newRow("click, text with new line") << false << QuickCommand{"t", "abc", false, true, 0}
                                               << QByteArray("abc\r\n") << QString();
    QTest::newRow("Ctrl+1, hex") << true << QuickCommand{"h", "01 02 ff", true, false, 0}
                                 << QByteArray("\x01\x02\xff") << QString();
    QTest::newRow("click, hex with prefix and new line") << false << QuickCommand{"p", "0x10,20", true, true, 0}
                                                         << QByteArray("\x10\x20") << QString();
    QTest::newRow("Ctrl+1, bad hex") << true << QuickCommand{"bad", "01 0g", true, false, 0} << QByteArray()
                                     << QStringLiteral("快捷指令“bad”\nHEX格式错误：0g");
}

void tst_QuickCommands::sendsAsTyped()
{
    QFETCH(bool, byKey);
    QFETCH(QuickCommand, command);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, box);

    // The one sent is first, where Ctrl+1 reaches; another follows it.
    MainWindowTestAccess::commands(*m_window)->setCommands({command, {"other", "zz", false, false, 0}});
    MessageBoxAnswerer answerer;
    if (byKey) {
        QTest::keyClick(m_window, Qt::Key_1, Qt::ControlModifier);
    } else {
        auto *list = child<QListView>(panel(), "quickList");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    }
    if (!box.isEmpty()) {
        QTRY_VERIFY(answerer.seen());
        QCOMPARE(answerer.text(), box);
        QTest::qWait(100);
        QCOMPARE(m_side->readAll(), QByteArray());
        return;
    }
    QCOMPARE(received(bytes.size()), bytes);
    QTRY_COMPARE(find<QLabel>("Send_cnt")->text(), QStringLiteral("累计发送：%1").arg(bytes.size()));
    QVERIFY(!answerer.seen());
    QTRY_VERIFY(find<QTextBrowser>("Recive_msg")->toPlainText().contains(command.hex ? BytesToHexText(bytes)
                                                                                     : command.text));
}

void tst_QuickCommands::sequence_data()
{
    QTest::addColumn<bool>("loop");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("once") << false << QString() << QByteArray("abc");
    QTest::newRow("loop until Stop") << true << QStringLiteral("Stop") << QByteArray("abcabc");
    QTest::newRow("loop until the peer closes") << true << QStringLiteral("close") << QByteArray("abcabc");
    QTest::newRow("bad hex ends it") << true << QStringLiteral("hex") << QByteArray("ab");
}

void tst_QuickCommands::sequence()
{
    QFETCH(bool, loop);
    QFETCH(QString, end);
    QFETCH(QByteArray, expected);

    QList<QuickCommand> commands{{"a", "a", false, false, 0}, {"b", "b", false, false, 0}, {"c", "c", false, false, 40}};
    if (end == QLatin1String("hex"))
        commands.append({"broken", "zz", true, false, 0});
    MainWindowTestAccess::commands(*m_window)->setCommands(commands);
    child<QCheckBox>(panel(), "quickLoop")->setChecked(loop);
    MessageBoxAnswerer answerer;
    auto *stop = child<QPushButton>(panel(), "quickStop");
    child<QPushButton>(panel(), "quickSendAll")->click();

    QByteArray got = received(expected.size());
    QVERIFY2(got.startsWith(expected), got.constData());
    if (end == QLatin1String("Stop")) {
        QVERIFY(stop->isEnabled());
        stop->click();
    } else if (end == QLatin1String("close")) {
        m_side->disconnectFromHost();
        QTRY_VERIFY(find<QPushButton>("Connect")->isEnabled());
    } else if (end == QLatin1String("hex")) {
        QTRY_VERIFY(answerer.seen());
        QVERIFY(answerer.text().contains(QStringLiteral("“broken”")));
    }
    QTRY_VERIFY(!panel()->sequenceRunning());
    QVERIFY(!stop->isEnabled());
    // Nothing more goes out once what was under way has arrived.
    QTest::qWait(100);
    got += m_side->readAll();
    if (!loop)
        QCOMPARE(got, expected);
    QTest::qWait(150);
    QCOMPARE(m_side->readAll(), QByteArray());
}

void tst_QuickCommands::keptAcrossRunsAndReset()
{
    const QList<QuickCommand> commands{{"one", "1\n2", true, true, 7}, {"two", "x", false, false, 0}};
    MainWindowTestAccess::commands(*m_window)->setCommands(commands);
    find<QToolButton>("serialButton")->click();
    find<QCheckBox>("QuickCommands_2")->click();
    find<QCheckBox>("QuickCommands")->setChecked(false);
    cleanup();

    for (const bool reset : {false, true}) {
        m_window = new MainWindow;
        QCOMPARE(MainWindowTestAccess::commands(*m_window)->commands(), commands);
        QCOMPARE(find<QCheckBox>("QuickCommands")->isChecked(), false);
        QCOMPARE(find<QCheckBox>("QuickCommands_2")->isChecked(), !reset);
        if (!reset) {
            MessageBoxAnswerer answerer(QMessageBox::Yes);
            answerer.setRepeat(true);
            find<QPushButton>("resetButton")->click();
            QVERIFY(!find<QCheckBox>("QuickCommands_2")->isChecked());
        }
        cleanup();
    }
}

QTEST_MAIN(tst_QuickCommands)
#include "tst_quickcommands.moc"
