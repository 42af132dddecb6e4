// The serial page's receive display, send path, counters and loop send, driven
// through the window's widgets against a pseudo-terminal.

#include "pagefixture.h"
#include "messageboxes.h"

#include <QElapsedTimer>

class tst_SerialDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { clearWrenpostStores(); }
    void cleanup() { SerialPortList::setSource({}); }

    void receive_data();
    void receive();
    void sendEcho_data();
    void sendEcho();
    void send_data();
    void send();
    void loopSendWithPeriod();
    void loopSendOddPeriods_data();
    void loopSendOddPeriods();
    void severalMegabytesInOneSend();
};

// "@" in an expected text stands for a time stamp.
static QRegularExpression expectedText(const QString &shape)
{
    QStringList parts = shape.split(QLatin1Char('@'));
    for (QString &part : parts)
        part = QRegularExpression::escape(part);
    const QString pattern = parts.join(stampPattern());
    return QRegularExpression(QStringLiteral("\\A") + pattern + QStringLiteral("\\z"));
}

// Waits until nothing more has arrived at the peer for 100 ms (at most 10 s).
static void waitUntilQuiet(PtyPeer &peer)
{
    QDeadlineTimer deadline(10000);
    qsizetype seen = -1;
    while (peer.received().size() != seen && !deadline.hasExpired()) {
        seen = peer.received().size();
        QTest::qWait(100);
    }
}

void tst_SerialDisplay::receive_data()
{
    QTest::addColumn<bool>("hex");
    QTest::addColumn<bool>("stamps");
    QTest::addColumn<bool>("lines");
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QString>("shown");

    const QList<QByteArray> abcd{"AB", "CD"};
    QTest::newRow("text") << false << false << false << abcd << QStringLiteral("ABCD");
    QTest::newRow("text, lines") << false << false << true << abcd << QStringLiteral("AB\nCD");
    QTest::newRow("hex") << true << false << false << abcd << QStringLiteral("41 4243 44");
    QTest::newRow("hex, lines") << true << false << true << abcd << QStringLiteral("41 42\n43 44");
    // The stamp is a paragraph of its own; without line switching the data
    // goes in at the cursor, which the stamp's paragraph has carried along.
    QTest::newRow("text, stamps") << false << true << false << abcd
                                  << QStringLiteral("@  Recive：AB\n@  Recive：CD");
    QTest::newRow("text, stamps, lines") << false << true << true << abcd
                                         << QStringLiteral("@  Recive：\nAB\n@  Recive：\nCD");
    QTest::newRow("hex, stamps") << true << true << false << abcd
                                 << QStringLiteral("@  Recive：41 42\n@  Recive：43 44");
    QTest::newRow("hex, stamps, lines") << true << true << true << abcd
                                        << QStringLiteral("@  Recive：\n41 42\n@  Recive：\n43 44");
    QTest::newRow("hex of every byte value") << true << false << true
                                             << QList<QByteArray>{QByteArray("\x00\x0a\x7f\xff", 4)}
                                             << QStringLiteral("00 0a 7f ff");
    QTest::newRow("Chinese text") << false << false << false
                                  << QList<QByteArray>{QStringLiteral("串口").toUtf8(), QStringLiteral("数据").toUtf8()}
                                  << QStringLiteral("串口数据");
    QTest::newRow("line ends inside the data") << false << false << false
                                               << QList<QByteArray>{"one\ntwo\n", "three"}
                                               << QStringLiteral("one\ntwo\nthree");
}

void tst_SerialDisplay::receive()
{
    QFETCH(bool, hex);
    QFETCH(bool, stamps);
    QFETCH(bool, lines);
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QString, shown);

    OpenSerialPage page;
    QVERIFY(page.open());
    page.get<QCheckBox>("DisplayHEX")->setChecked(hex);
    page.get<QCheckBox>("TimeDisplay")->setChecked(stamps);
    page.get<QCheckBox>("AutoSwitchLine_2")->setChecked(lines);

    qsizetype total = 0;
    for (const QByteArray &chunk : chunks) {
        QVERIFY(page.peer.write(chunk));
        total += chunk.size();
        // One chunk at a time, so that each arrives as one read.
        QTRY_COMPARE(page.receivedCount(), QStringLiteral("累计接收：%1").arg(total));
    }
    QTRY_VERIFY2(expectedText(shown).match(page.receiveArea()->toPlainText()).hasMatch(),
                 qPrintable(page.receiveArea()->toPlainText()));
    const QString text = page.receiveArea()->toPlainText();
    QVERIFY2(stampsAreRecent(text), qPrintable(text));
}

void tst_SerialDisplay::sendEcho_data()
{
    QTest::addColumn<bool>("echo");
    QTest::addColumn<bool>("stamps");
    QTest::addColumn<bool>("lineEnd");
    QTest::addColumn<QString>("shown");

    QTest::newRow("no echo") << false << true << false << QString();
    QTest::newRow("echo") << true << false << false << QStringLiteral("ping\nping");
    QTest::newRow("echo, stamps") << true << true << false << QStringLiteral("@  Send：\nping\n@  Send：\nping");
    // The echo is the text as sent, its line end included.
    QTest::newRow("echo, line end") << true << false << true << QStringLiteral("ping\n\nping\n");
}

void tst_SerialDisplay::sendEcho()
{
    QFETCH(bool, echo);
    QFETCH(bool, stamps);
    QFETCH(bool, lineEnd);
    QFETCH(QString, shown);

    OpenSerialPage page;
    QVERIFY(page.open());
    page.get<QCheckBox>("SendDisplay")->setChecked(echo);
    page.get<QCheckBox>("TimeDisplay")->setChecked(stamps);
    page.get<QCheckBox>("SendNewLine_2")->setChecked(lineEnd);
    // The echo is a paragraph of its own whatever line switching says.
    page.get<QCheckBox>("AutoSwitchLine_2")->setChecked(false);
    page.sendArea()->setPlainText(QStringLiteral("ping"));

    page.send();
    page.send();
    const QByteArray wire = lineEnd ? QByteArrayLiteral("ping\r\nping\r\n") : QByteArrayLiteral("pingping");
    QTRY_COMPARE(page.peer.received(), wire);
    QTRY_VERIFY2(expectedText(shown).match(page.receiveArea()->toPlainText()).hasMatch(),
                 qPrintable(page.receiveArea()->toPlainText()));
    const QString text = page.receiveArea()->toPlainText();
    QVERIFY2(stampsAreRecent(text), qPrintable(text));
}

void tst_SerialDisplay::send_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<bool>("lineEnd");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<int>("counted");

    QTest::newRow("text") << QStringLiteral("abc") << false << false << QByteArrayLiteral("abc") << 3;
    QTest::newRow("text, line end") << QStringLiteral("abc") << false << true << QByteArrayLiteral("abc\r\n") << 5;
    QTest::newRow("hex") << QStringLiteral("41 42") << true << false << QByteArrayLiteral("AB") << 2;
    QTest::newRow("hex, line end") << QStringLiteral("41 42") << true << true << QByteArrayLiteral("AB") << 2;
    QTest::newRow("hex, single digit") << QStringLiteral("1 23") << true << false << QByteArrayLiteral("\x01\x23") << 2;
    // Bytes are counted, not characters.
    QTest::newRow("Chinese, line end") << QStringLiteral("你好") << false << true << QStringLiteral("你好\r\n").toUtf8() << 8;
    QTest::newRow("empty") << QString() << false << false << QByteArray() << 0;
}

void tst_SerialDisplay::send()
{
    QFETCH(QString, typed);
    QFETCH(bool, hex);
    QFETCH(bool, lineEnd);
    QFETCH(QByteArray, wire);
    QFETCH(int, counted);

    OpenSerialPage page;
    QVERIFY(page.open());
    page.get<QCheckBox>("SendHEX_2")->setChecked(hex);
    page.get<QCheckBox>("SendNewLine_2")->setChecked(lineEnd);
    page.sendArea()->setPlainText(typed);

    page.send();
    QTRY_COMPARE(page.sentCount(), QStringLiteral("累计发送：%1").arg(counted));
    page.send();
    QTRY_COMPARE(page.sentCount(), QStringLiteral("累计发送：%1").arg(2 * counted));
    QTRY_COMPARE(page.peer.received(), wire + wire);
    QTest::qWait(50);
    QCOMPARE(page.peer.received(), wire + wire);
}

void tst_SerialDisplay::loopSendWithPeriod()
{
    OpenSerialPage page;
    QVERIFY(page.open());
    page.sendArea()->setPlainText(QStringLiteral("t"));
    page.get<QLineEdit>("LoopSendPeriod")->setText(QStringLiteral("40"));
    auto *loop = page.get<QCheckBox>("LoopSend");

    QElapsedTimer clock;
    clock.start();
    loop->click();
    QCOMPARE(MainWindowTestAccess::loopTimer(page.window.get())->interval(), 40);
    // The first send comes one period after the click.
    QCOMPARE(page.sentCount(), QStringLiteral("累计发送：0"));
    QTRY_VERIFY(page.peer.received().size() >= 3);
    // Three periods at least (a coarse timer may fire 5 % early).
    QVERIFY(clock.elapsed() >= 3 * 38);

    loop->click();
    QVERIFY(!MainWindowTestAccess::loopTimer(page.window.get())->isActive());
    waitUntilQuiet(page.peer);
    const QByteArray atStop = page.peer.received();
    QTest::qWait(200);
    QCOMPARE(page.peer.received(), atStop);
    QCOMPARE(page.sentCount(), QStringLiteral("累计发送：%1").arg(atStop.size()));
}

void tst_SerialDisplay::loopSendOddPeriods_data()
{
    QTest::addColumn<QString>("period");
    QTest::addColumn<QString>("message");

    // The network page's rule: only a positive period that a timer can hold.
    const QString refused = QStringLiteral("定时周期错误！");
    QTest::newRow("abc") << QStringLiteral("abc") << refused;
    QTest::newRow("0") << QStringLiteral("0") << refused;
    QTest::newRow("-1") << QStringLiteral("-1") << refused;
    QTest::newRow("empty") << QString() << refused;
    QTest::newRow("99999999999") << QStringLiteral("99999999999") << refused;
    // A loop whose text the hex rule refuses stops at its first tick.
    QTest::newRow("bad hex") << QStringLiteral("20") << QStringLiteral("HEX格式错误：9z");
}

void tst_SerialDisplay::loopSendOddPeriods()
{
    QFETCH(QString, period);
    QFETCH(QString, message);

    OpenSerialPage page;
    QVERIFY(page.open());
    page.get<QCheckBox>("SendHEX_2")->setChecked(true);
    page.sendArea()->setPlainText(QStringLiteral("7 8 9z"));
    page.get<QLineEdit>("LoopSendPeriod")->setText(period);
    auto *loop = page.get<QCheckBox>("LoopSend");

    MessageBoxAnswerer answer(QMessageBox::Ok);
    loop->click();
    QTRY_VERIFY(answer.seen());
    QCOMPARE(answer.text(), message);
    QVERIFY(!loop->isChecked());
    QVERIFY(!MainWindowTestAccess::loopTimer(page.window.get())->isActive());
    QTest::qWait(100);
    QCOMPARE(page.peer.received(), QByteArray());
}

void tst_SerialDisplay::severalMegabytesInOneSend()
{
    OpenSerialPage page;
    QVERIFY(page.open());
    QString text;
    const QString line = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyz-串口-ABCDEFGHIJKLMNOPQRSTUVWXYZ\n");
    while (text.size() < 4 * 1024 * 1024)
        text += QString::number(text.size()) + line;
    text.chop(1);
    page.sendArea()->setPlainText(text);
    const QByteArray expected = text.toUtf8();

    page.send();
    QTRY_COMPARE_WITH_TIMEOUT(page.peer.received().size(), expected.size(), 30000);
    QVERIFY(page.peer.received() == expected);
    QTRY_COMPARE(page.sentCount(), QStringLiteral("累计发送：%1").arg(expected.size()));
}

QTEST_MAIN(tst_SerialDisplay)
#include "tst_serialdisplay.moc"
