#include "pagefixture.h"

#include <QSignalSpy>

class tst_SerialPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { clearWrenpostStores(); }
    void cleanup() { SerialPortList::setSource({}); }
    void openSendReceive();
    void portListCountRule();
    void shutdownWithPortOpen();
    void typedPathOpensAndIsKept();
    void lostPortClosesPage_data();
    void lostPortClosesPage();
};

void tst_SerialPage::openSendReceive()
{
    PtyPeer peer;
    QVERIFY(peer.open());
    peer.startReading();
    const QString path = peer.path();
    SerialPortList::setSource([path] { return QStringList{path}; });

    MainWindow w;
    QCOMPARE(child<QComboBox>(&w, "SerialList")->currentText(), path);
    child<QComboBox>(&w, "DataBitsList")->setCurrentText(QStringLiteral("8"));
    child<QComboBox>(&w, "StopBitsList")->setCurrentText(QStringLiteral("1.5"));
    child<QComboBox>(&w, "ParityList")->setCurrentText(QStringLiteral("even"));
    child<QComboBox>(&w, "FlowControlList")->setCurrentText(QStringLiteral("RTS/CTS"));

    QTest::mouseClick(child<QPushButton>(&w, "SerialOpen"), Qt::LeftButton);
    const ChannelRequest opened = MainWindowTestAccess::serialRequest(&w);
    QCOMPARE(opened.portName, path);
    QCOMPARE(opened.dataBits, qint8(8));
    QCOMPARE(opened.stopBits, qint8(1));
    QCOMPARE(opened.parity, qint8(2));
    QCOMPARE(opened.flowControl, qint8(1));
    QVERIFY(!child<QPushButton>(&w, "SerialOpen")->isEnabled());
    QVERIFY(child<QPushButton>(&w, "SnedData")->isEnabled());
    QTRY_COMPARE(peer.slaveUsers(), 2);
    QTRY_VERIFY(peer.lineSettings().c_cflag & CRTSCTS);

    child<QCheckBox>(&w, "SendHEX_2")->setChecked(true);
    child<QCheckBox>(&w, "SendNewLine_2")->setChecked(true);
    child<QTextEdit>(&w, "DataToSend")->setPlainText(QStringLiteral("41 42"));
    QTest::mouseClick(child<QPushButton>(&w, "SnedData"), Qt::LeftButton);
    QTRY_COMPARE(peer.received(), QByteArrayLiteral("AB"));
    QTRY_COMPARE(child<QLabel>(&w, "SendCountLabel")->text(), QStringLiteral("累计发送：2"));

    child<QCheckBox>(&w, "DisplayHEX")->setChecked(true);
    child<QCheckBox>(&w, "AutoSwitchLine_2")->setChecked(false);
    auto *view = child<QTextBrowser>(&w, "DataRecive");
    view->clear();
    QVERIFY(peer.write("AB"));
    QTRY_COMPARE(view->toPlainText(), QStringLiteral("41 42"));
    QVERIFY(peer.write("CD"));
    QTRY_COMPARE(view->toPlainText(), QStringLiteral("41 4243 44"));
    QTRY_COMPARE(child<QLabel>(&w, "ReciveCountLabel")->text(), QStringLiteral("累计接收：4"));

    QMetaObject::invokeMethod(&w, "GetSerialData", Q_ARG(QByteArray, QByteArray()));
    QCOMPARE(child<QLabel>(&w, "ReciveCountLabel")->text(), QStringLiteral("累计接收：4"));

    QTest::mouseClick(child<QPushButton>(&w, "SendClear"), Qt::LeftButton);
    QCOMPARE(child<QLabel>(&w, "ReciveCountLabel")->text(), QStringLiteral("累计接收：0"));
    QCOMPARE(child<QLabel>(&w, "SendCountLabel")->text(), QStringLiteral("累计发送：0"));
    QCOMPARE(view->toPlainText(), QStringLiteral("41 4243 44"));

    QTest::mouseClick(child<QPushButton>(&w, "SerialClose"), Qt::LeftButton);
    QTRY_COMPARE(peer.slaveUsers(), 1);
    QVERIFY(child<QPushButton>(&w, "SerialOpen")->isEnabled());
    QVERIFY(!child<QPushButton>(&w, "SnedData")->isEnabled());
}

void tst_SerialPage::portListCountRule()
{
    QStringList ports{QStringLiteral("ttyS3")};
    SerialPortList::setSource([&ports] { return ports; });
    MainWindow w;
    auto *list = child<QComboBox>(&w, "SerialList");
    // Filled before the stored settings are read, not only by the first tick.
    QCOMPARE(list->count(), 1);
    QCOMPARE(MainWindowTestAccess::portListTimer(&w)->interval(), 500);

    ports = {QStringLiteral("ttyUSB0"), QStringLiteral("ttyUSB1")};
    QTRY_COMPARE(list->count(), 2);
    QCOMPARE(list->currentText(), QStringLiteral("ttyUSB0"));

    ports = {QStringLiteral("ttyACM0"), QStringLiteral("ttyUSB1")};
    w.Refresh_ComList();
    QCOMPARE(list->itemText(0), QStringLiteral("ttyUSB0"));
}

void tst_SerialPage::shutdownWithPortOpen()
{
    PtyPeer peer;
    QVERIFY(peer.open());
    const QString path = peer.path();
    SerialPortList::setSource([path] { return QStringList{path}; });

    auto *w = new MainWindow;
    QTest::mouseClick(child<QPushButton>(w, "SerialOpen"), Qt::LeftButton);
    QTRY_COMPARE(peer.slaveUsers(), 2);
    int destroyed = 0;
    QObject::connect(MainWindowTestAccess::service(w), &QObject::destroyed,
                     [&destroyed] { ++destroyed; });
    delete w;
    QCOMPARE(destroyed, 1);
    QCOMPARE(peer.slaveUsers(), 1);
}

// A device the system does not list is typed as its path; the loop send ends
// when the port is closed.
void tst_SerialPage::typedPathOpensAndIsKept()
{
    PtyPeer peer;
    QVERIFY(peer.open());
    QStringList ports{QStringLiteral("ttyS3")};
    SerialPortList::setSource([&ports] { return ports; });
    {
        MainWindow w;
        auto *list = child<QComboBox>(&w, "SerialList");
        list->lineEdit()->clear();
        QTest::keyClicks(list->lineEdit(), peer.path());
        ports << QStringLiteral("ttyS4");
        w.Refresh_ComList();
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->currentText(), peer.path());

        child<QLineEdit>(&w, "LoopSendPeriod")->setText(QStringLiteral("20"));
        child<QTextEdit>(&w, "DataToSend")->setPlainText(QStringLiteral("x"));
        QTest::mouseClick(child<QPushButton>(&w, "SerialOpen"), Qt::LeftButton);
        QTRY_COMPARE(peer.slaveUsers(), 2);
        child<QCheckBox>(&w, "LoopSend")->click();
        QVERIFY(MainWindowTestAccess::loopTimer(&w)->isActive());
        QTest::mouseClick(child<QPushButton>(&w, "SerialClose"), Qt::LeftButton);
        QVERIFY(!MainWindowTestAccess::loopTimer(&w)->isActive());
        QVERIFY(!child<QCheckBox>(&w, "LoopSend")->isChecked());
    }
    QCOMPARE(wrenpostSettings().value(QStringLiteral("serial/portName")).toString(), peer.path());
    MainWindow again;
    QCOMPARE(child<QComboBox>(&again, "SerialList")->currentText(), peer.path());
}

// A port that fails to open or whose device goes away puts the page back in
// its closed arrangement with a line, and ends the loop send.
void tst_SerialPage::lostPortClosesPage_data()
{
    QTest::addColumn<bool>("unplug");
    QTest::addColumn<QString>("line");
    QTest::newRow("open fails") << false << QStringLiteral("串口打开失败：");
    QTest::newRow("device goes away") << true << QStringLiteral("串口已断开");
}

void tst_SerialPage::lostPortClosesPage()
{
    QFETCH(bool, unplug);
    QFETCH(QString, line);
    PtyPeer peer;
    QVERIFY(peer.open());
    const QString path = unplug ? peer.path() : QStringLiteral("/dev/pts/wrenpost-no-such-port");
    SerialPortList::setSource([path] { return QStringList{path}; });

    MainWindow w;
    child<QLineEdit>(&w, "LoopSendPeriod")->setText(QStringLiteral("20"));
    QTest::mouseClick(child<QPushButton>(&w, "SerialOpen"), Qt::LeftButton);
    child<QCheckBox>(&w, "LoopSend")->click();
    if (unplug) {
        QTRY_COMPARE(peer.slaveUsers(), 2);
        peer.unplug();
    }
    QTRY_VERIFY(child<QPushButton>(&w, "SerialOpen")->isEnabled());
    QVERIFY(!child<QPushButton>(&w, "SnedData")->isEnabled());
    QVERIFY(!MainWindowTestAccess::loopTimer(&w)->isActive());
    QVERIFY(!child<QCheckBox>(&w, "LoopSend")->isChecked());
    QTRY_VERIFY(child<QTextBrowser>(&w, "DataRecive")->toPlainText().section(QLatin1Char('\n'), -1).startsWith(line));
}

QTEST_MAIN(tst_SerialPage)
#include "tst_serialpage.moc"
