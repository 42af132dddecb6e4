// Wrenpost's settings: what a window reads from its store when built, what it
// writes when destroyed, and the one-click reset.

#include "channelcontroller.h"
#include "mainwindow.h"
#include "widgetlookup.h"
#include "../windowstores.h"

#include "localhost_guard.h"
#include "modaldriver.h"
#include "ptypeer.h"
#include "serialportlist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextBrowser>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

class MainWindowTestAccess
{
public:
    static QTimer *sendTimer(const MainWindow &w) { return w.Send_timer; }
    static QTimer *loopTimer(const MainWindow &w) { return w.timer; }
    static int protocol(const MainWindow &w) { return channelIndex(w.currentProtocolIndex); }
    static bool anyNetworkThreadRunning(const MainWindow &w)
    {
        return w.m_channels->thread(Channel::TcpClient)->isRunning() || w.m_channels->thread(Channel::TcpServer)->isRunning()
               || w.m_channels->thread(Channel::Udp)->isRunning();
    }
};
using Access = MainWindowTestAccess;

namespace {

struct Key
{
    const char *key;
    const char *widget;
    QVariant fallback;
    QVariant other; // a value that is not the default
};

// Every stored key but the protocol, with its widget.
const QList<Key> &keys()
{
    static const QList<Key> table = {
        {"network/localPort", "Local_Port", "8080", "9001"},
        {"network/targetIP", "Obj_IP", "127.0.0.1", "192.0.2.7"},
        {"network/targetPort", "Obj_Port", "8080", "9002"},
        {"options/displayTime", "DisplayTime", false, true},
        {"options/displaySendMsg", "DisplaySendMsg", false, true},
        {"options/autoSwitchLine", "AutoSwitchLine", true, false},
        {"options/hexSend", "HexSend", false, true},
        {"options/hexDisplay", "HexDisplay", false, true},
        {"options/sendNewLine", "SendNewLine", false, true},
        {"options/udpBroadcast", "UdpBroadcast", false, true},
        {"options/dnsAnalysis", "DnsAnalysis", false, true},
        {"options/timerSend", "Timer_Send", false, true},
        {"options/timerPeriod", "period", "1000", "250"},
        {"serial/timeDisplay", "TimeDisplay", false, true},
        {"serial/hexSend", "SendHEX_2", false, true},
        {"serial/sendNewLine", "SendNewLine_2", false, true},
        {"serial/sendDisplay", "SendDisplay", false, true},
        {"serial/hexDisplay", "DisplayHEX", false, true},
        {"serial/autoSwitchLine", "AutoSwitchLine_2", true, false},
        {"serial/loopSend", "LoopSend", false, true},
        {"serial/loopSendPeriod", "LoopSendPeriod", "1000", "40"},
        {"serial/portName", "SerialList", "ttyS0", "ttyS1"},
        {"serial/baudRate", "BaudrateList", "115200", "9600"},
        {"serial/dataBits", "DataBitsList", "8", "7"},
        {"serial/stopBits", "StopBitsList", "1", "1.5"},
        {"serial/parity", "ParityList", "none", "mark"},
        {"serial/flowControl", "FlowControlList", "NO", "XON/XOFF"},
    };
    return table;
}

QVariant shown(QWidget *w)
{
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    if (auto *box = qobject_cast<QCheckBox *>(w))
        return box->isChecked();
    return qobject_cast<QComboBox *>(w)->currentText();
}

void put(QWidget *w, const QVariant &value)
{
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        edit->setText(value.toString());
    else if (auto *box = qobject_cast<QCheckBox *>(w))
        box->setChecked(value.toBool());
    else
        qobject_cast<QComboBox *>(w)->setCurrentText(value.toString());
}

bool isTimerBox(const Key &key)
{
    return qstrcmp(key.widget, "Timer_Send") == 0 || qstrcmp(key.widget, "LoopSend") == 0;
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void emptyStoreGivesDefaults();
    void roundTripThroughDestruction();
    void protocolRule_data();
    void protocolRule();
    void storedValues_data();
    void storedValues();
    void windowSizeKept_data();
    void windowSizeKept();
    void resetAnsweredNo();
    void resetAnsweredYes_data();
    void resetAnsweredYes();
};

void TestSettings::initTestCase()
{
    SKIP_UNLESS_LOCAL_HOST_NAME_IS_LOCAL();
}

void TestSettings::init()
{
    clearWrenpostStores();
    SerialPortList::setSource([] { return QStringList{QStringLiteral("ttyS0"), QStringLiteral("ttyS1")}; });
}

void TestSettings::cleanup()
{
    SerialPortList::setSource({});
}

void TestSettings::emptyStoreGivesDefaults()
{
    MainWindow w;
    for (const Key &key : keys())
        QCOMPARE(shown(child<QWidget>(&w, key.widget)), key.fallback);
    QCOMPARE(Access::protocol(w), 0);
    QCOMPARE(child<QLabel>(&w, "titlelabel")->text(), QStringLiteral("雁桥 - TCP客户端"));
}

void TestSettings::roundTripThroughDestruction()
{
    {
        MainWindow w;
        QTest::mouseClick(child<QToolButton>(&w, "UDPButton"), Qt::LeftButton);
        for (const Key &key : keys())
            put(child<QWidget>(&w, key.widget), key.other);
    }
    {
        QSettings settings = wrenpostSettings();
        for (const Key &key : keys())
            QCOMPARE(settings.value(QLatin1String(key.key)).toString(), key.other.toString());
        QCOMPARE(settings.value(QStringLiteral("protocol/currentIndex")).toInt(), 2);
    }

    MainWindow again;
    QCOMPARE(Access::protocol(again), 2);
    for (const Key &key : keys())
        QVERIFY2(shown(child<QWidget>(&again, key.widget)) == (isTimerBox(key) ? QVariant(false) : key.other), key.key);
    // A checked box would claim sends that no timer makes.
    QVERIFY(!Access::sendTimer(again)->isActive());
    QVERIFY(!Access::loopTimer(again)->isActive());
}

void TestSettings::protocolRule_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("title");

    const QString client = QStringLiteral("雁桥 - TCP客户端");
    QTest::newRow("client") << QVariant(0) << 0 << client;
    QTest::newRow("server") << QVariant(1) << 1 << QStringLiteral("雁桥 - TCP服务器");
    QTest::newRow("UDP") << QVariant(2) << 2 << QStringLiteral("雁桥 - UDP");
    QTest::newRow("serial opens the network page") << QVariant(3) << 0 << client;
    QTest::newRow("out of range") << QVariant(7) << 0 << client;
    QTest::newRow("negative") << QVariant(-1) << 0 << client;
    QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << 0 << client;
    QTest::newRow("number as text") << QVariant(QStringLiteral("1")) << 1 << QStringLiteral("雁桥 - TCP服务器");
}

void TestSettings::protocolRule()
{
    QFETCH(QVariant, stored);
    QFETCH(int, index);
    QFETCH(QString, title);

    wrenpostSettings().setValue(QStringLiteral("protocol/currentIndex"), stored);
    {
        MainWindow w;
        w.show();
        QCOMPARE(Access::protocol(w), index);
        QCOMPARE(child<QLabel>(&w, "titlelabel")->text(), title);
        QCOMPARE(child<QStackedWidget>(&w, "stackedWidget")->currentIndex(), 0);
        QVERIFY(child<QToolButton>(&w, index == 0 ? "TCPClient" : index == 1 ? "TCPserver" : "UDPButton")->isChecked());
        QCOMPARE(child<QWidget>(&w, "client_list")->isVisible(), index == 1);
        QCOMPARE(child<QWidget>(&w, "Kick")->isVisible(), index == 1);
        QTest::mouseClick(child<QToolButton>(&w, "serialButton"), Qt::LeftButton);
    }
    // Leaving on the serial page stores 3.
    QCOMPARE(wrenpostSettings().value(QStringLiteral("protocol/currentIndex")).toInt(), 3);
}

void TestSettings::storedValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QVariant>("expected");

    // Selections are by text; a text the list does not have keeps the first item.
    QTest::newRow("parity mark") << "serial/parity" << QVariant("mark") << "ParityList" << QVariant("mark");
    QTest::newRow("stop bits 2") << "serial/stopBits" << QVariant("2") << "StopBitsList" << QVariant("2");
    QTest::newRow("unknown parity") << "serial/parity" << QVariant("sometimes") << "ParityList" << QVariant("none");
    QTest::newRow("baud by position is not a baud") << "serial/baudRate" << QVariant(3) << "BaudrateList"
                                                    << QVariant("1200");
    QTest::newRow("port present") << "serial/portName" << QVariant("ttyS1") << "SerialList" << QVariant("ttyS1");
    // A port the system does not list (gone, or typed as a path) stays chosen.
    QTest::newRow("port not listed") << "serial/portName" << QVariant("ttyUSB9") << "SerialList" << QVariant("ttyUSB9");
    // Values are restored as stored; the fields read them when used.
    QTest::newRow("port beyond 16 bits") << "network/localPort" << QVariant("99999") << "Local_Port" << QVariant("99999");
    QTest::newRow("period not a number") << "options/timerPeriod" << QVariant("abc") << "period" << QVariant("abc");
    QTest::newRow("number for a text") << "network/targetPort" << QVariant(8081) << "Obj_Port" << QVariant("8081");
    QTest::newRow("text for a box") << "options/hexSend" << QVariant("yes") << "HexSend" << QVariant(true);
    QTest::newRow("false as text") << "options/autoSwitchLine" << QVariant("false") << "AutoSwitchLine" << QVariant(false);
    QTest::newRow("list for a text") << "network/targetIP" << QVariant(QStringList{"a", "b"}) << "Obj_IP" << QVariant("");
}

void TestSettings::storedValues()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QString, widget);
    QFETCH(QVariant, expected);

    wrenpostSettings().setValue(key, stored);
    MainWindow w;
    QCOMPARE(shown(child<QWidget>(&w, widget.toLatin1().constData())).toString(), expected.toString());
}

void TestSettings::windowSizeKept_data()
{
    QTest::addColumn<QVariantList>("stored"); // width, height, maximised
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("maximised");
    QTest::newRow("nothing stored") << QVariantList{{}, {}, {}} << QSize(960, 640) << false;
    QTest::newRow("below the minimum") << QVariantList{500, 900, false} << QSize(960, 900) << false;
    QTest::newRow("maximised keeps its normal size") << QVariantList{1000, 660, true} << QSize(1000, 660) << true;
}

void TestSettings::windowSizeKept()
{
    QFETCH(QVariantList, stored);
    QFETCH(QSize, size);
    QFETCH(bool, maximised);
    const QStringList keys{"window/width", "window/height", "window/maximized"};
    for (int i = 0; i < 3; ++i)
        if (stored.at(i).isValid())
            wrenpostSettings().setValue(keys.at(i), stored.at(i));
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.isMaximized(), maximised);
        QCOMPARE(w.normalGeometry().size(), size);
    }
    // What the window came back as is what it leaves.
    const QVariantList left{size.width(), size.height(), maximised};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(wrenpostSettings().value(keys.at(i)).toString(), left.at(i).toString());
}

void TestSettings::resetAnsweredNo()
{
    {
        MainWindow w;
        for (const Key &key : keys())
            put(child<QWidget>(&w, key.widget), key.other);
    }
    MainWindow w;
    child<QTextEdit>(&w, "Send_msg")->setPlainText(QStringLiteral("kept"));
    ModalDriver driver;
    driver.press(QMessageBox::No);
    QTest::mouseClick(child<QPushButton>(&w, "resetButton"), Qt::LeftButton);
    QVERIFY(driver.done());
    QCOMPARE(driver.seen().size(), 1);
    QCOMPARE(driver.seen().first().title, QStringLiteral("确认重置"));
    QVERIFY(driver.seen().first().hadParent);
    QCOMPARE(driver.seen().first().buttons.size(), 2);

    QVERIFY(wrenpostSettings().contains(QStringLiteral("serial/parity")));
    QCOMPARE(child<QTextEdit>(&w, "Send_msg")->toPlainText(), QStringLiteral("kept"));
    QCOMPARE(child<QComboBox>(&w, "ParityList")->currentText(), QStringLiteral("mark"));
}

void TestSettings::resetAnsweredYes_data()
{
    QTest::addColumn<QString>("state");
    QTest::newRow("TCP client connected, timed send running") << "client";
    QTest::newRow("TCP server open") << "server";
    QTest::newRow("UDP open, then the serial page chosen") << "udp";
    QTest::newRow("serial port open, loop send running") << "serial";
}

void TestSettings::resetAnsweredYes()
{
    QFETCH(QString, state);

    PtyPeer pty;
    if (state == QLatin1String("serial")) {
        QVERIFY(pty.open());
        pty.startReading();
        const QString path = pty.path();
        SerialPortList::setSource([path] { return QStringList{path}; });
    }
    QTcpServer peer;
    QVERIFY(peer.listen(QHostAddress::LocalHost, 0));
    std::unique_ptr<QTcpSocket> accepted;

    MainWindow w;
    put(child<QWidget>(&w, "DisplayHEX"), true);
    put(child<QWidget>(&w, "Obj_Port"), QString::number(peer.serverPort()));
    child<QTextEdit>(&w, "Send_msg")->setPlainText(QStringLiteral("tick"));
    child<QTextEdit>(&w, "DataToSend")->setPlainText(QStringLiteral("tock"));
    child<QTextBrowser>(&w, "Recive_msg")->setPlainText(QStringLiteral("old"));
    auto click = [&w](const char *name) { QTest::mouseClick(child<QAbstractButton>(&w, name), Qt::LeftButton); };

    if (state == QLatin1String("client")) {
        click("Connect");
        QTRY_VERIFY(peer.hasPendingConnections());
        accepted.reset(peer.nextPendingConnection());
        child<QLineEdit>(&w, "period")->setText(QStringLiteral("20"));
        click("Timer_Send");
        QTRY_VERIFY(accepted->bytesAvailable() >= 8);
    } else if (state == QLatin1String("server")) {
        click("TCPserver");
        child<QLineEdit>(&w, "Local_Port")->setText(QStringLiteral("0"));
        click("Connect");
    } else if (state == QLatin1String("udp")) {
        click("UDPButton");
        child<QLineEdit>(&w, "Local_Port")->setText(QStringLiteral("0"));
        click("Connect");
        click("serialButton");
    } else {
        click("serialButton");
        click("SerialOpen");
        QTRY_COMPARE(pty.slaveUsers(), 2);
        child<QLineEdit>(&w, "LoopSendPeriod")->setText(QStringLiteral("20"));
        click("LoopSend");
        QTRY_VERIFY(pty.received().size() >= 8);
    }
    QVERIFY(Access::anyNetworkThreadRunning(w) || state == QLatin1String("serial"));

    ModalDriver driver;
    driver.press(QMessageBox::Yes).press(QMessageBox::Ok);
    click("resetButton");
    QVERIFY(driver.done());
    QCOMPARE(driver.seen().size(), 2);
    QCOMPARE(driver.seen().at(1).title, QStringLiteral("重置完成"));
    QCOMPARE(driver.seen().at(1).text, QStringLiteral("所有设置已恢复为默认状态。"));
    QVERIFY(driver.seen().at(1).hadParent);

    QVERIFY(wrenpostSettings().allKeys().isEmpty());
    for (const Key &key : keys())
        if (qstrcmp(key.widget, "SerialList") != 0)
            QVERIFY2(shown(child<QWidget>(&w, key.widget)) == key.fallback, key.key);
    QCOMPARE(Access::protocol(w), 0);
    QCOMPARE(child<QStackedWidget>(&w, "stackedWidget")->currentIndex(), 0);
    QCOMPARE(child<QLabel>(&w, "titlelabel")->text(), QStringLiteral("雁桥 - TCP客户端"));
    for (const char *area : {"Recive_msg", "Send_msg", "DataRecive", "DataToSend"})
        QVERIFY2(child<QTextEdit>(&w, area)->document()->isEmpty(), area);
    for (const char *label : {"Send_cnt", "SendCountLabel"})
        QCOMPARE(child<QLabel>(&w, label)->text(), QStringLiteral("累计发送：0"));
    for (const char *label : {"Recive_cnt", "ReciveCountLabel"})
        QCOMPARE(child<QLabel>(&w, label)->text(), QStringLiteral("累计接收：0"));
    QCOMPARE(child<QComboBox>(&w, "client_list")->count(), 0);

    // Every channel is closed and nothing is sent any more.
    QVERIFY(!Access::anyNetworkThreadRunning(w));
    QVERIFY(child<QWidget>(&w, "Connect")->isEnabled());
    QVERIFY(!child<QWidget>(&w, "Disconnect")->isEnabled());
    QVERIFY(child<QWidget>(&w, "SerialOpen")->isEnabled());
    QVERIFY(!child<QWidget>(&w, "SerialClose")->isEnabled());
    QVERIFY(!Access::sendTimer(w)->isActive());
    QVERIFY(!Access::loopTimer(w)->isActive());
    if (accepted) {
        QTRY_COMPARE(accepted->state(), QAbstractSocket::UnconnectedState);
        accepted->readAll();
        QTest::qWait(100);
        QCOMPARE(accepted->bytesAvailable(), 0);
    }
    if (state == QLatin1String("serial"))
        QTRY_VERIFY(pty.slaveUsers() < 2);
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
