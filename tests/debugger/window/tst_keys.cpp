// The keyboard in a real window: Ctrl+Enter in a send area sends as its Send
// button would, to a loopback peer or a pseudo-terminal, and Tab walks each
// page from top to bottom.
#include "pagefixture.h"

#include "localhost_guard.h"

#include <QStackedWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>

class TestKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void sendKeys_data();
    void sendKeys();
    void tabGoesDownThePage_data();
    void tabGoesDownThePage();
};

void TestKeys::initTestCase()
{
    SKIP_UNLESS_LOCAL_HOST_NAME_IS_LOCAL();
}

void TestKeys::cleanup()
{
    SerialPortList::setSource({});
}

void TestKeys::sendKeys_data()
{
    QTest::addColumn<bool>("serial");
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("sends");

    const int ctrl = Qt::ControlModifier;
    QTest::newRow("network, Ctrl+Return") << false << true << int(Qt::Key_Return) << ctrl << true;
    QTest::newRow("network, Ctrl+Enter on the keypad")
        << false << true << int(Qt::Key_Enter) << int(Qt::ControlModifier | Qt::KeypadModifier) << true;
    QTest::newRow("network, Return alone adds a line") << false << true << int(Qt::Key_Return) << 0 << false;
    QTest::newRow("network, nothing open") << false << false << int(Qt::Key_Return) << ctrl << false;
    QTest::newRow("serial, Ctrl+Enter") << true << true << int(Qt::Key_Enter) << ctrl << true;
    QTest::newRow("serial, port closed") << true << false << int(Qt::Key_Return) << ctrl << false;
}

void TestKeys::sendKeys()
{
    QFETCH(bool, serial);
    QFETCH(bool, open);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, sends);

    clearWrenpostStores();
    OpenSerialPage page;
    QTcpServer peer;
    QTcpSocket *side = nullptr;
    if (serial && open) {
        QVERIFY(page.open());
    } else {
        SerialPortList::setSource([] { return QStringList(); });
        page.window = std::make_unique<MainWindow>();
    }
    MainWindow *w = page.window.get();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    if (serial)
        QTest::mouseClick(page.get<QToolButton>("serialButton"), Qt::LeftButton);
    if (!serial && open) {
        QVERIFY(peer.listen(QHostAddress::LocalHost));
        page.get<QLineEdit>("Obj_IP")->setText(QStringLiteral("127.0.0.1"));
        page.get<QLineEdit>("Obj_Port")->setText(QString::number(peer.serverPort()));
        QTest::mouseClick(page.get<QPushButton>("Connect"), Qt::LeftButton);
        QVERIFY(peer.waitForNewConnection(10000));
        side = peer.nextPendingConnection();
        QTRY_VERIFY(page.get<QPushButton>("Send")->isEnabled());
    }

    auto *area = page.get<QTextEdit>(serial ? "DataToSend" : "Send_msg");
    area->setPlainText(QStringLiteral("ping"));
    area->setFocus();
    area->moveCursor(QTextCursor::End);
    QTRY_VERIFY(area->hasFocus());
    QTest::keyClick(area, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QByteArray fromSocket;
    const auto received = [&] {
        if (side)
            fromSocket += side->readAll();
        return serial ? page.peer.received() : fromSocket;
    };
    if (sends) {
        QTRY_COMPARE(received(), QByteArray("ping"));
        QCOMPARE(area->toPlainText(), QStringLiteral("ping"));
    } else {
        QTest::qWait(200);
        if (side)
            side->waitForReadyRead(0);
        QCOMPARE(received(), QByteArray());
        // Only the plain key makes a new line; the shortcut never does.
        QCOMPARE(area->toPlainText(), modifiers ? QStringLiteral("ping") : QStringLiteral("ping\n"));
    }
}

void TestKeys::tabGoesDownThePage_data()
{
    QTest::addColumn<QString>("protocolButton");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("settingsColumn");
    QTest::newRow("TCP client") << "TCPClient" << "networkPage" << "networkSettings";
    QTest::newRow("TCP server, with its client list") << "TCPserver" << "networkPage" << "networkSettings";
    QTest::newRow("serial") << "serialButton" << "serialPage" << "serialSettings";
}

void TestKeys::tabGoesDownThePage()
{
    QFETCH(QString, protocolButton);
    QFETCH(QString, page);
    QFETCH(QString, settingsColumn);

    clearWrenpostStores();
    SerialPortList::setSource([] { return QStringList{QStringLiteral("ttyS0")}; });
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(child<QToolButton>(&w, protocolButton.toLatin1().constData()), Qt::LeftButton);
    auto *pageWidget = w.findChild<QWidget *>(page);
    auto *column = w.findChild<QWidget *>(settingsColumn);

    // The page's controls that Tab reaches, in the order it reaches them (a
    // widget with a focus proxy is passed over).
    QList<QWidget *> chain;
    QWidget *at = pageWidget;
    do {
        at = at->nextInFocusChain();
        if (pageWidget->isAncestorOf(at) && at->isVisible() && at->isEnabled() && !at->focusProxy()
            && (at->focusPolicy() & Qt::TabFocus))
            chain << at;
    } while (at != pageWidget);
    QVERIFY(chain.size() >= 10);

    // The settings column first, each column row by row, each row from the left.
    const auto place = [&](QWidget *widget) {
        const QRect r(widget->mapTo(pageWidget, QPoint(0, 0)), widget->size());
        return std::make_tuple(column->isAncestorOf(widget) ? 0 : 1, r.center().y(), r.left());
    };
    for (int i = 1; i < chain.size(); ++i) {
        const auto [column0, y0, x0] = place(chain.at(i - 1));
        const auto [column1, y1, x1] = place(chain.at(i));
        const bool sameRow = qAbs(y1 - y0) <= 6;
        const bool follows = column1 > column0 || (column1 == column0 && (sameRow ? x1 > x0 : y1 > y0));
        QVERIFY2(follows, qPrintable(chain.at(i - 1)->objectName() + QStringLiteral(" then ") + chain.at(i)->objectName()));
    }
}

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
