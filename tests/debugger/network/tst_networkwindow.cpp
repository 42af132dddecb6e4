#include "bytecounter.h"
#include "channelcontroller.h"
#include "hexcodec.h"
#include "logcapture.h"
#include "../windowstores.h"
#include "mainwindow.h"
#include "widgetlookup.h"
#include "messageboxes.h"
#include "nettestutil.h"
#include "receivedisplay.h"
#include "tcp_server.h"
#include "udp_service.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTcpServer>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QUdpSocket>

#include <memory>
#include <vector>

class ChannelControllerTestAccess
{
public:
    static void markOpen(ChannelController *channels, Channel channel)
    {
        channels->row(channel).state = ChannelState::Open;
    }
};

class MainWindowTestAccess
{
public:
    explicit MainWindowTestAccess(MainWindow &window) : w(window) {}

    ChannelController *channels() const { return w.m_channels; }
    QThread *clientThread() const { return w.m_channels->thread(Channel::TcpClient); }
    QThread *serverThread() const { return w.m_channels->thread(Channel::TcpServer); }
    QThread *udpThread() const { return w.m_channels->thread(Channel::Udp); }
    QObject *serverService() const { return w.m_channels->service(Channel::TcpServer); }
    QObject *udpService() const { return w.m_channels->service(Channel::Udp); }
    QTimer *sendTimer() const { return w.Send_timer; }
    QString dnsResult() const { return w.DnsAnalysisResult; }
    void lookedUp(const QHostInfo &info) { w.lookedUp(info); }
    // Marks a channel open and ready without starting its thread: requests
    // are issued, and nothing leaves the window.
    void markOpen(int channel)
    {
        ChannelControllerTestAccess::markOpen(w.m_channels, Channel(channel));
        w.findChild<QPushButton *>(QStringLiteral("Send"))->setEnabled(true);
    }

    MainWindow &w;
};

namespace {

// The receive area with every time stamp replaced by T.
QString shownWithoutTimes(QTextBrowser *area)
{
    static const QRegularExpression stamp(QStringLiteral("\\d{4}\\.\\d{2}\\.\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3}"));
    return area->toPlainText().replace(stamp, QStringLiteral("T"));
}

QByteArray readFor(QAbstractSocket *socket, int expectedSize)
{
    QByteArray got;
    for (int i = 0; i < 200 && got.size() < expectedSize; ++i) {
        if (!socket->bytesAvailable())
            socket->waitForReadyRead(25);
        got += socket->readAll();
    }
    return got;
}

} // namespace

class tst_NetworkWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsClosed();
    void displayRules_data();
    void displayRules();
    void countersAndReset();
    void byteCounts_data();
    void byteCounts();
    void kickLeavesNoTarget_data();
    void kickLeavesNoTarget();
    void sendPath_data();
    void sendPath();
    void severalMegabytesToSend();
    void periodWarning_data();
    void periodWarning();
    void timedSendStartsAndStops();
    void udpTargetAndBroadcastChoice_data();
    void udpTargetAndBroadcastChoice();
    void connectRefusesPorts_data();
    void connectRefusesPorts();
    void tcpClientExchange_data();
    void tcpClientExchange();
    void serverClientListSelectionAndKick();
    void channelEndsAsItsSocket_data();
    void channelEndsAsItsSocket();
    void disconnectAbandonsPendingAttempt();
    void switchingClosesTheOpenChannel_data();
    void switchingClosesTheOpenChannel();
    void closeWhileServiceBusy_data();
    void closeWhileServiceBusy();
    void udpExchange();
    void openAndClose100Times();
    void dnsLookUp();
    void shutdownWithOpenChannels_data();
    void shutdownWithOpenChannels();
    void localAddressAndSenders_data();
    void localAddressAndSenders();

private:
    template<typename T>
    T *find(const char *name) const { return child<T>(m_window, name); }
    void select(const char *protocolButton) { find<QToolButton>(protocolButton)->click(); }
    void setOptions(bool hexDisplay, bool autoLine, bool time)
    {
        find<QCheckBox>("HexDisplay")->setChecked(hexDisplay);
        find<QCheckBox>("AutoSwitchLine")->setChecked(autoLine);
        find<QCheckBox>("DisplayTime")->setChecked(time);
    }
    QTextBrowser *area() const { return find<QTextBrowser>("Recive_msg"); }
    void typeToSend(const QString &text) { find<QTextEdit>("Send_msg")->setPlainText(text); }
    void click(const char *button) { find<QPushButton>(button)->click(); }
    // Starts the server page on a free port and connects `count` peers from
    // 127.0.0.1, once the window's own probe has come and gone.
    void startServerWith(int count, std::vector<std::unique_ptr<QTcpSocket>> &peers)
    {
        select("TCPserver");
        const quint16 port = nettest::freePort();
        find<QLineEdit>("Local_Port")->setText(QString::number(port));
        click("Connect");
        QVERIFY(nettest::waitListening(QHostAddress::LocalHost, port));
        QTRY_VERIFY(area()->toPlainText().contains(QStringLiteral(" left!")));
        for (int i = 0; i < count; ++i)
            peers.emplace_back(nettest::connectFrom(QStringLiteral("127.0.0.1"), QHostAddress::LocalHost, port, nullptr));
        QTRY_COMPARE(find<QComboBox>("client_list")->count(), count + 1);
    }
    MainWindow *m_window = nullptr;
};

void tst_NetworkWindow::init()
{
    clearWrenpostStores();
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    find<QCheckBox>("DnsAnalysis")->setChecked(false);
    find<QCheckBox>("HexSend")->setChecked(false);
    find<QCheckBox>("SendNewLine")->setChecked(false);
    find<QCheckBox>("DisplaySendMsg")->setChecked(false);
    find<QCheckBox>("UdpBroadcast")->setChecked(false);
    // Whatever the host name resolves to here, servers listen on loopback.
    find<QLineEdit>("Local_IP")->setText(QStringLiteral("127.0.0.1"));
    setOptions(false, true, false);
    find<QTextBrowser>("Recive_msg")->clear();
    click("clear_send_cnt");
}

void tst_NetworkWindow::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void tst_NetworkWindow::startsClosed()
{
    MainWindowTestAccess access(*m_window);
    QVERIFY(!access.clientThread()->isRunning());
    QVERIFY(!access.serverThread()->isRunning());
    QVERIFY(!access.udpThread()->isRunning());
    QVERIFY(!find<QPushButton>("Send")->isEnabled());
    QVERIFY(!find<QPushButton>("Disconnect")->isEnabled());
    QVERIFY(find<QPushButton>("Connect")->isEnabled());
}

void tst_NetworkWindow::displayRules_data()
{
    QTest::addColumn<bool>("hex");
    QTest::addColumn<bool>("autoLine");
    QTest::addColumn<bool>("time");
    QTest::addColumn<QList<QByteArray>>("batches");
    QTest::addColumn<QString>("shown");

    using Batches = QList<QByteArray>;
    QTest::newRow("hex pairs, lower case") << true << true << false << Batches{QByteArray("\x41\x0a\xff")}
                                           << QStringLiteral("41 0a ff");
    QTest::newRow("hex batches join without a blank")
        << true << false << false << Batches{QByteArray("\x01\x02"), QByteArray("\x03")} << QStringLiteral("01 0203");
    QTest::newRow("text, one line per batch") << false << true << false << Batches{"ab", "cd"}
                                              << QStringLiteral("ab\ncd");
    QTest::newRow("text run together") << false << false << false << Batches{"ab", "cd"} << QStringLiteral("abcd");
    QTest::newRow("time stamps") << false << true << true << Batches{"ab", "cd"}
                                 << QStringLiteral("T   Recive\nab\nT   Recive\ncd");
    QTest::newRow("hex with time stamps") << true << true << true << Batches{QByteArray("\x00\x10", 2)}
                                          << QStringLiteral("T   Recive\n00 10");
    QTest::newRow("empty batch still stamps") << false << true << true << Batches{QByteArray()}
                                              << QStringLiteral("T   Recive\n");
    QTest::newRow("line ends shown as breaks") << false << true << false << Batches{"a\nb\r\nc"}
                                               << QStringLiteral("a\nb\nc");
    QTest::newRow("markup shown as sent") << false << true << false << Batches{"<b>bold</b> &amp;"}
                                          << QStringLiteral("<b>bold</b> &amp;");
    QTest::newRow("markup run together") << false << false << false << Batches{"<i>", "x</i>"}
                                         << QStringLiteral("<i>x</i>");
    QTest::newRow("local encoding") << false << true << false << Batches{QStringLiteral("雁桥").toLocal8Bit()}
                                    << QStringLiteral("雁桥");
    // The local encoding here is UTF-8: characters cut between two reads.
    QTest::newRow("character across batches") << false << false << false
                                              << Batches{QByteArray("a\xe9\x9b"), QByteArray("\x81\xe6"), QByteArray("\xa1\xa5" "b")}
                                              << QStringLiteral("a雁桥b");
    QTest::newRow("four bytes across three batches") << false << false << false
                                                     << Batches{QByteArray("\xf0\x9f"), QByteArray("\x90"), QByteArray("\xa6")}
                                                     << QStringLiteral("\U0001F426");
}

void tst_NetworkWindow::displayRules()
{
    QFETCH(bool, hex);
    QFETCH(bool, autoLine);
    QFETCH(bool, time);
    QFETCH(QList<QByteArray>, batches);
    QFETCH(QString, shown);

    setOptions(hex, autoLine, time);
    int total = 0;
    for (const QByteArray &batch : batches) {
        m_window->UpdateMsg(batch);
        total += batch.size();
    }
    QTRY_COMPARE(shownWithoutTimes(area()), shown);
    QTRY_COMPARE(find<QLabel>("Recive_cnt")->text(), QStringLiteral("累计接收：") + QString::number(total));
}

void tst_NetworkWindow::countersAndReset()
{
    MainWindowTestAccess(*m_window).markOpen(0);
    setOptions(true, false, false);
    for (int i = 0; i < 7; ++i)
        m_window->UpdateMsg(QByteArray(10000, 'x'));
    QTRY_COMPARE(find<QLabel>("Recive_cnt")->text(), QStringLiteral("累计接收：70000"));

    // Only what a channel reports written counts, and none runs here.
    typeToSend(QString(70000, QLatin1Char('a')));
    m_window->LoopSend();
    QCOMPARE(find<QLabel>("Send_cnt")->text(), QStringLiteral("累计发送：0"));

    click("ClearMessage");
    QVERIFY(area()->toPlainText().isEmpty());
    QCOMPARE(find<QLabel>("Recive_cnt")->text(), QStringLiteral("累计接收：70000"));

    click("clear_send_cnt");
    QCOMPARE(find<QLabel>("Recive_cnt")->text(), QStringLiteral("累计接收：0"));
    QCOMPARE(find<QLabel>("Send_cnt")->text(), QStringLiteral("累计发送：0"));
    m_window->UpdateMsg("abc");
    QCOMPARE(find<QLabel>("Recive_cnt")->text(), QStringLiteral("累计接收：3"));
}

// What goes out over real connections is counted in bytes, once per client it
// reached; text the hex rule refuses goes nowhere and counts nothing.
void tst_NetworkWindow::byteCounts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<bool>("newLine");
    QTest::addColumn<int>("clients");
    QTest::addColumn<QByteArray>("wire"); // what each client gets; empty: refused
    QTest::newRow("text") << QStringLiteral("hello") << false << false << 1 << QByteArray("hello");
    QTest::newRow("Chinese, line end") << QStringLiteral("你好") << false << true << 1 << QStringLiteral("你好\r\n").toUtf8();
    QTest::newRow("hex") << QStringLiteral("0x01,2 03FF") << true << true << 1 << QByteArray("\x01\x02\x03\xff");
    QTest::newRow("all of three clients") << QStringLiteral("to all") << false << false << 3 << QByteArray("to all");
    QTest::newRow("bad hex") << QStringLiteral("GG 12 3 zz 4") << true << false << 1 << QByteArray();
}

void tst_NetworkWindow::byteCounts()
{
    QFETCH(QString, text);
    QFETCH(bool, hex);
    QFETCH(bool, newLine);
    QFETCH(int, clients);
    QFETCH(QByteArray, wire);
    ByteCounter::rateIntervalMs = 200;
    auto restoreRate = qScopeGuard([] { ByteCounter::rateIntervalMs = 1000; });
    std::vector<std::unique_ptr<QTcpSocket>> peers;
    startServerWith(clients, peers);
    if (QTest::currentTestFailed())
        return;
    find<QCheckBox>("HexSend")->setChecked(hex);
    find<QCheckBox>("SendNewLine")->setChecked(newLine);
    find<QCheckBox>("DisplaySendMsg")->setChecked(true);
    click("ClearMessage");
    typeToSend(text);

    MessageBoxAnswerer answer(QMessageBox::Ok);
    click("Send");
    for (const auto &peer : peers) {
        QCOMPARE(readFor(peer.get(), wire.size()), wire);
        QVERIFY(!peer->waitForReadyRead(50));
    }
    QTRY_COMPARE(find<QLabel>("Send_cnt")->text(), QStringLiteral("累计发送：") + QString::number(wire.size() * clients));
    QCOMPARE(answer.text(), wire.isEmpty() ? QStringLiteral("HEX格式错误：GG") : QString());
    // The echo is what went out.
    QTRY_COMPARE(area()->toPlainText(), wire.isEmpty() ? QString() : hex ? BytesToHexText(wire) : QString::fromUtf8(wire).remove(u'\r'));
    if (!wire.isEmpty()) {
        QTRY_VERIFY(find<QLabel>("Send_rate")->text().endsWith(QStringLiteral("/s")));
        QTRY_VERIFY(find<QLabel>("Send_rate")->text().isEmpty());
    }
}

// A kicked target is not replaced by another client: nothing is selected and
// nothing is sent until the user chooses; "All Clients" asks, then ends all.
void tst_NetworkWindow::kickLeavesNoTarget_data()
{
    QTest::addColumn<int>("target"); // list index: 0 is "All Clients"
    QTest::newRow("the selected client") << 2;
    QTest::newRow("all clients, asked") << 0;
}

void tst_NetworkWindow::kickLeavesNoTarget()
{
    QFETCH(int, target);
    std::vector<std::unique_ptr<QTcpSocket>> peers;
    startServerWith(3, peers);
    if (QTest::currentTestFailed())
        return;
    auto *list = find<QComboBox>("client_list");
    list->setCurrentIndex(target);

    MessageBoxAnswerer answer(QMessageBox::Yes);
    click("Kick");
    for (int i = 0; i < 3; ++i) {
        const bool kicked = target == 0 || i == target - 1;
        QTRY_COMPARE(peers[i]->state() == QAbstractSocket::UnconnectedState, kicked);
    }
    QCOMPARE(answer.seen(), target == 0);
    if (target == 0) {
        QCOMPARE(answer.defaultButton(), QMessageBox::No);
        QTRY_COMPARE(list->count(), 1);
        return;
    }
    QCOMPARE(list->currentIndex(), -1);
    QVERIFY(!find<QPushButton>("Send")->isEnabled());
    typeToSend(QStringLiteral("nobody"));
    m_window->LoopSend();
    for (const auto &peer : peers)
        QVERIFY(!peer->waitForReadyRead(100));
    list->setCurrentIndex(0);
    QVERIFY(find<QPushButton>("Send")->isEnabled());
}

void tst_NetworkWindow::sendPath_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hexSend");
    QTest::addColumn<bool>("newLine");
    QTest::addColumn<bool>("echo");
    QTest::addColumn<bool>("time");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("echoed");

    QTest::newRow("text with line end") << QStringLiteral("abc") << false << true << true << false
                                        << QByteArray("abc\r\n") << QStringLiteral("abc\n");
    QTest::newRow("hex") << QStringLiteral("01 02 03") << true << false << true << false
                         << QByteArray("\x01\x02\x03") << QStringLiteral("01 02 03");
    QTest::newRow("hex ignores the line end") << QStringLiteral("01 02 03") << true << true << false << false
                                              << QByteArray("\x01\x02\x03") << QString();
    QTest::newRow("hex, 0x prefix") << QStringLiteral("0x41 12") << true << false << false << false
                                    << QByteArray("\x41\x12", 2) << QString();
    QTest::newRow("empty") << QString() << false << false << true << false << QByteArray() << QString();
    QTest::newRow("local encoding") << QStringLiteral("雁桥") << false << false << false << false
                                    << QStringLiteral("雁桥").toLocal8Bit() << QString();
    QTest::newRow("echo with time stamp") << QStringLiteral("hi") << false << false << true << true
                                          << QByteArray("hi") << QStringLiteral("T   Send\nhi");
    QTest::newRow("echo of markup as typed") << QStringLiteral("<b>x</b>") << false << false << true << false
                                             << QByteArray("<b>x</b>") << QStringLiteral("<b>x</b>");
}

void tst_NetworkWindow::sendPath()
{
    QFETCH(QString, text);
    QFETCH(bool, hexSend);
    QFETCH(bool, newLine);
    QFETCH(bool, echo);
    QFETCH(bool, time);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, echoed);

    // The client's thread is never started: the request only has to be issued.
    MainWindowTestAccess(*m_window).markOpen(0);
    QSignalSpy sent(MainWindowTestAccess(*m_window).channels(), &ChannelController::sending);
    QVERIFY(sent.isValid());
    find<QCheckBox>("HexSend")->setChecked(hexSend);
    find<QCheckBox>("SendNewLine")->setChecked(newLine);
    find<QCheckBox>("DisplaySendMsg")->setChecked(echo);
    find<QCheckBox>("DisplayTime")->setChecked(time);
    find<QCheckBox>("AutoSwitchLine")->setChecked(false);
    typeToSend(text);
    // The timer's tick sends exactly as the button does.
    m_window->LoopSend();

    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(1).toByteArray(), bytes);
    QTRY_COMPARE(shownWithoutTimes(area()), echoed);
}

void tst_NetworkWindow::severalMegabytesToSend()
{
    MainWindowTestAccess(*m_window).markOpen(0);
    QSignalSpy sent(MainWindowTestAccess(*m_window).channels(), &ChannelController::sending);
    find<QCheckBox>("DisplaySendMsg")->setChecked(true);
    find<QCheckBox>("HexSend")->setChecked(true);
    QString text;
    // Just within the receive area's bound, so the echo shows whole.
    text.reserve(ReceiveDisplay::kLimitCharacters);
    while (text.size() + 24 < ReceiveDisplay::kLimitCharacters)
        text += QStringLiteral("0a 1b 2c 3d 4e 5f 60 7f\n");
    typeToSend(text);
    m_window->LoopSend();
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(1).toByteArray().size(), text.size() / 24 * 8);
    // The echo is the bytes' pairs: the text without its last line end (as
    // saved: the area ends its long paragraphs softly).
    QTRY_COMPARE(area()->findChild<ReceiveDisplay *>()->plainText().size(), text.size() - 1);
}

void tst_NetworkWindow::periodWarning_data()
{
    QTest::addColumn<QString>("period");
    QTest::newRow("zero") << QStringLiteral("0");
    QTest::newRow("negative") << QStringLiteral("-5");
    QTest::newRow("text") << QStringLiteral("abc");
    QTest::newRow("empty") << QString();
    QTest::newRow("beyond int") << QStringLiteral("99999999999");
}

void tst_NetworkWindow::periodWarning()
{
    QFETCH(QString, period);
    MainWindowTestAccess access(*m_window);
    find<QLineEdit>("period")->setText(period);
    MessageBoxAnswerer answer(QMessageBox::Ok);
    find<QCheckBox>("Timer_Send")->click();
    QTRY_VERIFY(answer.seen());
    QCOMPARE(answer.title(), QStringLiteral("警告"));
    QCOMPARE(answer.text(), QStringLiteral("定时周期错误！"));
    QVERIFY(answer.hadParent());
    QVERIFY(!find<QCheckBox>("Timer_Send")->isChecked());
    QVERIFY(!access.sendTimer()->isActive());
}

void tst_NetworkWindow::timedSendStartsAndStops()
{
    MainWindowTestAccess(*m_window).markOpen(0);
    QSignalSpy sent(MainWindowTestAccess(*m_window).channels(), &ChannelController::sending);
    typeToSend(QStringLiteral("tick"));
    find<QLineEdit>("period")->setText(QStringLiteral("40"));
    auto *timed = find<QCheckBox>("Timer_Send");
    timed->click();
    QVERIFY(timed->isChecked());
    QCOMPARE(sent.count(), 0); // the first send comes one period later
    QTRY_VERIFY(sent.count() >= 3);
    // Edits take effect on the next tick.
    typeToSend(QStringLiteral("tock"));
    QTRY_COMPARE(sent.last().at(1).toByteArray(), QByteArray("tock"));

    timed->click();
    QVERIFY(!timed->isChecked());
    const int stoppedAt = sent.count();
    QTest::qWait(150);
    QCOMPARE(sent.count(), stoppedAt);
}

void tst_NetworkWindow::udpTargetAndBroadcastChoice_data()
{
    QTest::addColumn<bool>("broadcast");
    QTest::addColumn<QString>("targetIp");
    QTest::addColumn<QString>("targetPort");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("port");

    QTest::newRow("broadcast ignores the address") << true << QStringLiteral("127.0.0.1") << QStringLiteral("9000")
                                                   << QStringLiteral("255.255.255.255") << 9000;
    // Not an address: nothing is sent, and the page says why.
    QTest::newRow("not an address") << false << QStringLiteral(" some host ") << QStringLiteral("9000")
                                    << QString() << 0;
    QTest::newRow("ipv6 literal") << false << QStringLiteral("::1") << QStringLiteral("65535")
                                  << QStringLiteral("::1") << 65535;
    // A port that is none (-1) is refused with a box; nothing is sent.
    QTest::newRow("port beyond 16 bits") << true << QString() << QStringLiteral("70000")
                                         << QStringLiteral("255.255.255.255") << -1;
    QTest::newRow("port text") << false << QStringLiteral("127.0.0.1") << QStringLiteral("abc")
                               << QStringLiteral("127.0.0.1") << -1;
    QTest::newRow("port zero") << false << QStringLiteral("127.0.0.1") << QStringLiteral("0")
                               << QStringLiteral("127.0.0.1") << -1;
    QTest::newRow("port empty") << false << QStringLiteral("127.0.0.1") << QString() << QStringLiteral("127.0.0.1") << -1;
}

void tst_NetworkWindow::udpTargetAndBroadcastChoice()
{
    QFETCH(bool, broadcast);
    QFETCH(QString, targetIp);
    QFETCH(QString, targetPort);
    QFETCH(QString, address);
    QFETCH(int, port);

    // Only the request is looked at: UdpThread never runs, so nothing leaves.
    MainWindowTestAccess access(*m_window);
    select("UDPButton");
    access.markOpen(2);
    QSignalSpy sent(access.channels(), &ChannelController::sending);
    find<QCheckBox>("UdpBroadcast")->setChecked(broadcast);
    find<QLineEdit>("Obj_IP")->setText(targetIp);
    find<QLineEdit>("Obj_Port")->setText(targetPort);
    typeToSend(QStringLiteral("datagram"));
    MessageBoxAnswerer answer(QMessageBox::Ok);
    m_window->LoopSend();

    QVERIFY(!access.udpThread()->isRunning());
    QCOMPARE(answer.seen(), port < 0);
    if (port < 0) {
        QCOMPARE(answer.text(), QStringLiteral("目标端口错误：请输入 1–65535 之间的整数"));
        QCOMPARE(sent.count(), 0);
        return;
    }
    if (address.isNull()) {
        QCOMPARE(sent.count(), 0);
        QCOMPARE(find<QLabel>("Send_cnt")->text(), QStringLiteral("累计发送：0"));
        QTRY_COMPARE(area()->toPlainText(), QStringLiteral("目标地址无效：") + targetIp);
        return;
    }
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(1).toByteArray(), QByteArray("datagram"));
    QCOMPARE(access.channels()->udpTargetAddress(), address);
    QCOMPARE(access.channels()->udpTargetPort(), quint16(port));
}

void tst_NetworkWindow::connectRefusesPorts_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("target port") << QStringLiteral("TCPClient") << QStringLiteral("Obj_Port") << QStringLiteral("74586");
    QTest::newRow("server port") << QStringLiteral("TCPserver") << QStringLiteral("Local_Port") << QStringLiteral("abc");
    QTest::newRow("udp port") << QStringLiteral("UDPButton") << QStringLiteral("Local_Port") << QStringLiteral("70000");
}

void tst_NetworkWindow::connectRefusesPorts()
{
    QFETCH(QString, protocol);
    QFETCH(QString, field);
    QFETCH(QString, text);
    MainWindowTestAccess access(*m_window);
    select(protocol.toLatin1().constData());
    find<QLineEdit>(field.toLatin1().constData())->setText(text);
    MessageBoxAnswerer answer(QMessageBox::Ok);
    click("Connect");
    QVERIFY(answer.text().startsWith(field == QLatin1String("Obj_Port") ? QStringLiteral("目标端口错误") : QStringLiteral("本地端口错误")));
    QVERIFY(find<QPushButton>("Connect")->isEnabled());
    QVERIFY(!access.clientThread()->isRunning() && !access.serverThread()->isRunning() && !access.udpThread()->isRunning());
}

void tst_NetworkWindow::tcpClientExchange_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("hex");
    QTest::newRow("ipv4 text") << QStringLiteral("127.0.0.1") << false;
    QTest::newRow("ipv4 hex") << QStringLiteral("127.0.0.1") << true;
    QTest::newRow("ipv6 hex") << QStringLiteral("::1") << true;
}

void tst_NetworkWindow::tcpClientExchange()
{
    QFETCH(QString, address);
    QFETCH(bool, hex);
    if (address.contains(QLatin1Char(':')) && !nettest::hasIPv6Loopback())
        QSKIP("this machine has no IPv6 loopback");

    QTcpServer peer;
    QVERIFY(peer.listen(QHostAddress(address), 0));
    select("TCPClient");
    find<QLineEdit>("Obj_IP")->setText(address);
    find<QLineEdit>("Obj_Port")->setText(QString::number(peer.serverPort()));
    find<QCheckBox>("HexSend")->setChecked(hex);
    find<QCheckBox>("DisplaySendMsg")->setChecked(true);
    setOptions(hex, true, true);

    for (int round = 0; round < 2; ++round) {
        click("Connect");
        QVERIFY(!find<QPushButton>("Connect")->isEnabled());
        QVERIFY(find<QPushButton>("Disconnect")->isEnabled());
        QTRY_VERIFY(find<QPushButton>("Send")->isEnabled());
        QVERIFY(!find<QLineEdit>("Obj_IP")->isEnabled());
        QVERIFY(!find<QLineEdit>("Obj_Port")->isEnabled());
        QVERIFY(!find<QLineEdit>("Local_Port")->isEnabled());
        QTRY_VERIFY(peer.hasPendingConnections());
        QTcpSocket *side = peer.nextPendingConnection();

        click("clear_send_cnt");
        click("ClearMessage");
        typeToSend(hex ? QStringLiteral("01 02 ff") : QStringLiteral("hello"));
        click("Send");
        const QByteArray expected = hex ? QByteArray("\x01\x02\xff") : QByteArray("hello");
        QCOMPARE(readFor(side, expected.size()), expected);
        QTRY_COMPARE(find<QLabel>("Send_cnt")->text(), hex ? QStringLiteral("累计发送：3") : QStringLiteral("累计发送：5"));

        side->write(hex ? QByteArray("\x41\x0a\xff") : QByteArray("world"));
        QTRY_COMPARE(find<QLabel>("Recive_cnt")->text(), hex ? QStringLiteral("累计接收：3") : QStringLiteral("累计接收：5"));
        const QString echo = hex ? QStringLiteral("T   Send\n01 02 ff\nT   Recive\n41 0a ff")
                                 : QStringLiteral("T   Send\nhello\nT   Recive\nworld");
        QTRY_COMPARE(shownWithoutTimes(area()), echo);

        click("Disconnect");
        QVERIFY(find<QPushButton>("Connect")->isEnabled());
        QVERIFY(!find<QPushButton>("Disconnect")->isEnabled());
        QVERIFY(!find<QPushButton>("Send")->isEnabled());
        QVERIFY(find<QLineEdit>("Obj_IP")->isEnabled());
        // The system chooses the client's local port, after a close as at start.
        QVERIFY(!find<QLineEdit>("Local_Port")->isEnabled());
        QVERIFY(!MainWindowTestAccess(*m_window).clientThread()->isRunning());
        QTRY_COMPARE(side->state(), QAbstractSocket::UnconnectedState);
        delete side;
    }
}

// Clients from one address are told apart by their ports: each is listed,
// reached, kicked and removed as itself.
void tst_NetworkWindow::serverClientListSelectionAndKick()
{
    select("TCPserver");
    auto *list = find<QComboBox>("client_list");
    QVERIFY(list->isVisible());
    const quint16 port = nettest::freePort();
    find<QLineEdit>("Local_Port")->setText(QString::number(port));
    setOptions(false, true, true);
    click("Connect");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->currentText(), QStringLiteral("All Clients"));
    QVERIFY(nettest::waitListening(QHostAddress::LocalHost, port));
    QTRY_VERIFY(area()->toPlainText().contains(QStringLiteral(" left!"))); // the probe came and went
    QCOMPARE(list->count(), 1);
    click("ClearMessage");

    std::vector<std::unique_ptr<QTcpSocket>> clients;
    QStringList names;
    for (int i = 0; i < 3; ++i) {
        clients.emplace_back(nettest::connectFrom(QStringLiteral("127.0.0.1"), QHostAddress::LocalHost, port, nullptr));
        names << QStringLiteral("127.0.0.1:") + QString::number(clients.back()->localPort());
    }
    QTRY_COMPARE(list->count(), 4);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(list->itemText(i + 1), names.at(i));
    QTRY_VERIFY(shownWithoutTimes(area()).startsWith(QStringLiteral("T\nNew Client:") + names.at(0)
                                                     + QStringLiteral(" connected!\nT\nNew Client:") + names.at(1)));

    for (int i = 0; i < 3; ++i) {
        list->setCurrentIndex(i + 1);
        typeToSend(QStringLiteral("to %1").arg(i));
        click("Send");
        QCOMPARE(readFor(clients.at(i).get(), 4), QStringLiteral("to %1").arg(i).toLatin1());
    }
    QVERIFY(!clients.at(0)->waitForReadyRead(100));

    list->setCurrentIndex(0);
    typeToSend(QStringLiteral("to all"));
    click("Send");
    for (const auto &client : clients)
        QCOMPARE(readFor(client.get(), 6), QByteArray("to all"));

    clients.at(0)->write("from x");
    QTRY_VERIFY(area()->toPlainText().endsWith(QStringLiteral("from x")));

    // Kick with "All Clients" selected asks first; No leaves everybody.
    {
        MessageBoxAnswerer no(QMessageBox::No);
        click("Kick");
        QVERIFY(no.seen());
    }
    QCOMPARE(list->count(), 4);

    // The middle one goes, and only it.
    list->setCurrentIndex(2);
    click("Kick");
    QCOMPARE(list->count(), 3);
    QTRY_COMPARE(clients.at(1)->state(), QAbstractSocket::UnconnectedState);
    QTRY_VERIFY(area()->toPlainText().contains(QStringLiteral("Client:") + names.at(1) + QStringLiteral(" left!")));
    QCOMPARE(clients.at(2)->state(), QAbstractSocket::ConnectedState);

    // No other client became the target; the third is chosen by hand.
    QCOMPARE(list->currentIndex(), -1);
    list->setCurrentIndex(2);
    QCOMPARE(list->currentText(), names.at(2));
    typeToSend(QStringLiteral("third"));
    click("Send");
    QCOMPARE(readFor(clients.at(2).get(), 5), QByteArray("third"));

    // One that leaves by itself takes exactly its own entry with it.
    clients.at(0)->close();
    QTRY_COMPARE(list->count(), 2);
    QCOMPARE(list->itemText(1), names.at(2));

    click("Disconnect");
    QCOMPARE(list->count(), 0);
    QTRY_COMPARE(clients.at(2)->state(), QAbstractSocket::UnconnectedState);
    QTRY_VERIFY(area()->toPlainText().contains(QStringLiteral("Client:") + names.at(2)));
    QCOMPARE(list->count(), 0);
    click("Kick");
    QCOMPARE(list->count(), 0);

    // Reopened, the list starts again with "All Clients" and sends reach everybody.
    click("Connect");
    QCOMPARE(list->count(), 1);
    QVERIFY(nettest::waitListening(QHostAddress::LocalHost, port));
    std::unique_ptr<QTcpSocket> z(nettest::connectFrom(QStringLiteral("127.0.0.3"), QHostAddress::LocalHost, port, nullptr));
    QTRY_COMPARE(list->count(), 2);
    typeToSend(QStringLiteral("z"));
    click("Send");
    QCOMPARE(readFor(z.get(), 1), QByteArray("z"));
    click("Disconnect");
}

// A channel that fails to open or that the peer closes puts the page back in
// its closed arrangement, says why in one line and takes its timed send with
// it; nothing is counted for it afterwards.
void tst_NetworkWindow::channelEndsAsItsSocket_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("line");

    QTest::newRow("refused") << QStringLiteral("TCPClient") << QStringLiteral("127.0.0.1") << QStringLiteral("连接失败：");
    QTest::newRow("not an address") << QStringLiteral("TCPClient") << QStringLiteral("999.1.1.abc")
                                    << QStringLiteral("连接失败：地址无效");
    QTest::newRow("peer closes during a loop send") << QStringLiteral("TCPClient") << QStringLiteral("peer")
                                                    << QStringLiteral("服务器已断开连接");
    QTest::newRow("server port in use") << QStringLiteral("TCPserver") << QString() << QStringLiteral("服务器打开失败：");
    QTest::newRow("udp port in use") << QStringLiteral("UDPButton") << QString() << QStringLiteral("UDP打开失败：");
}

void tst_NetworkWindow::channelEndsAsItsSocket()
{
    QFETCH(QString, protocol);
    QFETCH(QString, target);
    QFETCH(QString, line);
    MainWindowTestAccess access(*m_window);
    QTcpServer peer;
    QVERIFY(peer.listen(QHostAddress::LocalHost, 0));
    QTcpServer tcpOccupant;
    QVERIFY(tcpOccupant.listen(QHostAddress::Any, 0));
    QUdpSocket udpOccupant;
    QVERIFY(udpOccupant.bind(QHostAddress::Any, 0, QAbstractSocket::DontShareAddress));

    const bool peerCloses = target == QLatin1String("peer");
    select(protocol.toLatin1().constData());
    find<QLineEdit>("Obj_IP")->setText(peerCloses ? QStringLiteral("127.0.0.1") : target);
    find<QLineEdit>("Obj_Port")->setText(QString::number(peerCloses ? peer.serverPort() : nettest::freePort()));
    find<QLineEdit>("Local_Port")->setText(QString::number(
        protocol == QLatin1String("TCPserver") ? tcpOccupant.serverPort() : udpOccupant.localPort()));
    find<QLineEdit>("period")->setText(QStringLiteral("20"));
    typeToSend(QStringLiteral("x"));
    click("Connect");
    if (peerCloses) {
        QTRY_VERIFY(find<QPushButton>("Send")->isEnabled());
        find<QCheckBox>("Timer_Send")->click();
        QTRY_VERIFY(peer.hasPendingConnections());
        std::unique_ptr<QTcpSocket> side(peer.nextPendingConnection());
        QTRY_VERIFY(side->bytesAvailable() > 0);
        side->close();
    }

    QTRY_VERIFY(find<QPushButton>("Connect")->isEnabled());
    QVERIFY(!find<QPushButton>("Disconnect")->isEnabled());
    QVERIFY(!find<QPushButton>("Send")->isEnabled());
    QVERIFY(!access.clientThread()->isRunning() && !access.serverThread()->isRunning()
            && !access.udpThread()->isRunning());
    QVERIFY(!access.sendTimer()->isActive());
    QVERIFY(!find<QCheckBox>("Timer_Send")->isChecked());
    QTRY_VERIFY(area()->toPlainText().contains(line));
    const QString counted = find<QLabel>("Send_cnt")->text();
    m_window->LoopSend();
    QCOMPARE(find<QLabel>("Send_cnt")->text(), counted);
}

// A listener whose backlog is full leaves a connection attempt pending; the
// Disconnect button ends it at once.
void tst_NetworkWindow::disconnectAbandonsPendingAttempt()
{
    QTcpServer full;
    full.setListenBacklogSize(0);
    QVERIFY(full.listen(QHostAddress::LocalHost, 0));
    full.pauseAccepting();
    std::vector<std::unique_ptr<QTcpSocket>> fillers;
    while (fillers.size() < 8 && (fillers.empty() || fillers.back()->state() != QAbstractSocket::ConnectingState)) {
        fillers.emplace_back(new QTcpSocket);
        fillers.back()->connectToHost(QHostAddress::LocalHost, full.serverPort());
        QTest::qWait(300);
    }
    QCOMPARE(fillers.back()->state(), QAbstractSocket::ConnectingState);

    select("TCPClient");
    find<QLineEdit>("Obj_IP")->setText(QStringLiteral("127.0.0.1"));
    find<QLineEdit>("Obj_Port")->setText(QString::number(full.serverPort()));
    click("Connect");
    QTest::qWait(300);
    QVERIFY(find<QPushButton>("Disconnect")->isEnabled());
    QVERIFY(!find<QPushButton>("Send")->isEnabled());
    QCOMPARE(find<QPushButton>("Connect")->text(), QStringLiteral("连接中…"));

    QElapsedTimer clock;
    clock.start();
    click("Disconnect");
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(find<QPushButton>("Connect")->isEnabled());
    QCOMPARE(find<QPushButton>("Connect")->text(), QStringLiteral("连接"));
    QVERIFY(!MainWindowTestAccess(*m_window).clientThread()->isRunning());
}

// Choosing another network channel closes the open one as Disconnect would;
// the serial page in between leaves it open.
void tst_NetworkWindow::switchingClosesTheOpenChannel_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("udp to server") << QStringLiteral("UDPButton") << QStringLiteral("TCPserver");
    QTest::newRow("server to client") << QStringLiteral("TCPserver") << QStringLiteral("TCPClient");
    QTest::newRow("client to udp") << QStringLiteral("TCPClient") << QStringLiteral("UDPButton");
}

void tst_NetworkWindow::switchingClosesTheOpenChannel()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    MainWindowTestAccess access(*m_window);
    QTcpServer peer;
    QVERIFY(peer.listen(QHostAddress::LocalHost, 0));
    const quint16 port = nettest::freePort();
    find<QLineEdit>("Local_Port")->setText(QString::number(port));
    find<QLineEdit>("Obj_IP")->setText(QStringLiteral("127.0.0.1"));
    find<QLineEdit>("Obj_Port")->setText(QString::number(peer.serverPort()));
    find<QLineEdit>("period")->setText(QStringLiteral("1000"));
    select(from.toLatin1().constData());
    click("Connect");
    std::unique_ptr<QTcpSocket> other;
    if (from == QLatin1String("TCPserver")) {
        QVERIFY(nettest::waitListening(QHostAddress::LocalHost, port));
        other.reset(nettest::connectFrom(QStringLiteral("127.0.0.2"), QHostAddress::LocalHost, port, nullptr));
        QTRY_COMPARE(find<QComboBox>("client_list")->count(), 2);
    } else if (from == QLatin1String("TCPClient")) {
        QTRY_VERIFY(peer.hasPendingConnections());
        other.reset(peer.nextPendingConnection());
        other->setParent(nullptr);
    }
    QTRY_VERIFY(find<QPushButton>("Send")->isEnabled());
    find<QCheckBox>("Timer_Send")->click();

    select("serialButton");
    select(from.toLatin1().constData());
    QVERIFY(find<QPushButton>("Disconnect")->isEnabled());
    QCOMPARE(find<QComboBox>("client_list")->count(), from == QLatin1String("TCPserver") ? 2 : 0);

    select(to.toLatin1().constData());
    QVERIFY(find<QPushButton>("Connect")->isEnabled());
    QVERIFY(!find<QPushButton>("Send")->isEnabled());
    QVERIFY(!access.sendTimer()->isActive());
    QVERIFY(!access.clientThread()->isRunning() && !access.serverThread()->isRunning()
            && !access.udpThread()->isRunning());
    if (other)
        QTRY_COMPARE(other->state(), QAbstractSocket::UnconnectedState);
    if (from == QLatin1String("TCPserver"))
        QTRY_VERIFY(area()->toPlainText().contains(QStringLiteral(" left!")));
    QUdpSocket again;
    QVERIFY(again.bind(QHostAddress::Any, port, QAbstractSocket::DontShareAddress));
}

// A close asked for while the service's thread is busy must still happen:
// the thread may only end once it has delivered the close.
void tst_NetworkWindow::closeWhileServiceBusy_data()
{
    QTest::addColumn<QString>("channel");
    QTest::newRow("tcp server") << QStringLiteral("TCPserver");
    QTest::newRow("udp") << QStringLiteral("UDPButton");
}

void tst_NetworkWindow::closeWhileServiceBusy()
{
    QFETCH(QString, channel);
    const bool server = channel == QLatin1String("TCPserver");
    MainWindowTestAccess access(*m_window);
    select(channel.toLatin1().constData());
    const quint16 port = nettest::freePort();
    find<QLineEdit>("Local_Port")->setText(QString::number(port));
    click("Connect");

    std::unique_ptr<QTcpSocket> client;
    if (server) {
        QVERIFY(nettest::waitListening(QHostAddress::LocalHost, port));
        QTRY_VERIFY(area()->toPlainText().contains(QStringLiteral(" left!"))); // the probe came and went
        client.reset(nettest::connectFrom(QStringLiteral("127.0.0.1"), QHostAddress::LocalHost, port, nullptr));
        QTRY_COMPARE(find<QComboBox>("client_list")->count(), 2);
    } else {
        QTRY_VERIFY(!QUdpSocket().bind(QHostAddress::LocalHost, port));
    }

    QSemaphore busy;
    QObject *service = server ? access.serverService() : access.udpService();
    QMetaObject::invokeMethod(service, [&busy] {
        busy.release();
        QThread::msleep(300);
    }, Qt::QueuedConnection);
    QVERIFY(busy.tryAcquire(1, 5000));
    click("Disconnect");

    if (server) {
        QTRY_COMPARE(client->state(), QAbstractSocket::UnconnectedState);
        QTcpServer again;
        QVERIFY(again.listen(QHostAddress::Any, port));
    } else {
        QUdpSocket again;
        QVERIFY(again.bind(QHostAddress::Any, port));
    }
}

void tst_NetworkWindow::udpExchange()
{
    QUdpSocket peer;
    QVERIFY(peer.bind(QHostAddress::LocalHost, 0));
    select("UDPButton");
    const quint16 port = nettest::freePort();
    find<QLineEdit>("Local_Port")->setText(QString::number(port));
    find<QLineEdit>("Obj_IP")->setText(QStringLiteral("127.0.0.1"));
    find<QLineEdit>("Obj_Port")->setText(QString::number(peer.localPort()));
    find<QCheckBox>("HexSend")->setChecked(true);
    setOptions(true, true, false);

    LogCapture log;
    click("Connect");
    QVERIFY(find<QLineEdit>("Obj_IP")->isEnabled());
    QVERIFY(find<QLineEdit>("Obj_Port")->isEnabled());
    QVERIFY(!find<QLineEdit>("Local_Port")->isEnabled());
    QTRY_VERIFY(log.contains(QStringLiteral("bind success")));

    typeToSend(QStringLiteral("de ad be ef"));
    click("Send");
    QTRY_VERIFY(peer.hasPendingDatagrams());
    QCOMPARE(peer.receiveDatagram().data(), QByteArray("\xde\xad\xbe\xef"));

    peer.writeDatagram(QByteArray("\x01\x02"), QHostAddress::LocalHost, port);
    peer.writeDatagram(QByteArray("\x03"), QHostAddress::LocalHost, port);
    QTRY_COMPARE(area()->toPlainText(), QStringLiteral("127.0.0.1:%1\n01 02\n03").arg(peer.localPort()));

    // The target may change while the channel is open.
    QUdpSocket other;
    QVERIFY(other.bind(QHostAddress::LocalHost, 0));
    find<QLineEdit>("Obj_Port")->setText(QString::number(other.localPort()));
    click("Send");
    QTRY_VERIFY(other.hasPendingDatagrams());

    click("Disconnect");
    QVERIFY(find<QLineEdit>("Local_Port")->isEnabled());
    QVERIFY(!MainWindowTestAccess(*m_window).udpThread()->isRunning());
}

void tst_NetworkWindow::openAndClose100Times()
{
    nettest::AcceptingPeer peer;
    find<QLineEdit>("Obj_IP")->setText(QStringLiteral("127.0.0.1"));
    find<QLineEdit>("Obj_Port")->setText(QString::number(peer.port()));
    const quint16 port = nettest::freePort();
    find<QLineEdit>("Local_Port")->setText(QString::number(port));

    QElapsedTimer clock;
    clock.start();
    for (const char *protocol : {"TCPClient", "TCPserver", "UDPButton"}) {
        select(protocol);
        for (int i = 0; i < 100; ++i) {
            click("Connect");
            click("Disconnect");
        }
        QVERIFY(find<QPushButton>("Connect")->isEnabled());
    }
    QVERIFY2(clock.elapsed() < 20000, "opening and closing must not wait on anything");
    QCOMPARE(find<QComboBox>("client_list")->count(), 0);

    // Still usable afterwards.
    select("TCPClient");
    QTcpServer fresh;
    QVERIFY(fresh.listen(QHostAddress::LocalHost, 0));
    find<QLineEdit>("Obj_Port")->setText(QString::number(fresh.serverPort()));
    click("Connect");
    QTRY_VERIFY(fresh.hasPendingConnections());
    std::unique_ptr<QTcpSocket> side(fresh.nextPendingConnection());
    QTRY_VERIFY(find<QPushButton>("Send")->isEnabled());
    typeToSend(QStringLiteral("alive"));
    click("Send");
    QCOMPARE(readFor(side.get(), 5), QByteArray("alive"));
    click("Disconnect");
}

void tst_NetworkWindow::dnsLookUp()
{
    MainWindowTestAccess access(*m_window);
    QTcpServer peer;
    QVERIFY(peer.listen(QHostAddress::LocalHost, 0));
    select("TCPClient");
    find<QCheckBox>("DnsAnalysis")->setChecked(true);
    find<QLineEdit>("Obj_Port")->setText(QString::number(peer.serverPort()));

    // A literal address resolves to itself without asking anybody.
    find<QLineEdit>("Obj_IP")->setText(QStringLiteral("127.0.0.1"));
    click("Connect");
    QTRY_VERIFY(peer.hasPendingConnections());
    QCOMPARE(access.dnsResult(), QStringLiteral("127.0.0.1"));
    delete peer.nextPendingConnection();
    click("Disconnect");

    // An empty target fails at once, without a query.
    find<QLineEdit>("Obj_IP")->setText(QString());
    {
        MessageBoxAnswerer answer(QMessageBox::Ok);
        click("Connect");
        QTRY_VERIFY(answer.seen());
        QCOMPARE(answer.title(), QStringLiteral("域名解析结果"));
        QCOMPARE(answer.text(), QStringLiteral("解析失败，未找到相应IP"));
        QCOMPARE(answer.count(), 1);
    }
    QVERIFY(access.dnsResult().isEmpty());
    QVERIFY(!find<QPushButton>("Disconnect")->isEnabled());
    QVERIFY(!access.clientThread()->isRunning());

    // A result that comes back after the channel was closed connects nothing.
    QHostInfo late;
    late.setAddresses({QHostAddress(QHostAddress::LocalHost)});
    access.lookedUp(late);
    QTest::qWait(100);
    QVERIFY(!peer.hasPendingConnections());
    QVERIFY(access.dnsResult().isEmpty());

    // Server mode unticks and disables the option.
    select("TCPserver");
    QVERIFY(!find<QCheckBox>("DnsAnalysis")->isChecked());
    QVERIFY(!find<QCheckBox>("DnsAnalysis")->isEnabled());

    MessageBoxAnswerer notice(QMessageBox::Ok);
    find<QAction>("ActDnsAnalysis")->trigger();
    QTRY_VERIFY(notice.seen());
    QCOMPARE(notice.title(), QStringLiteral("提示"));
    QVERIFY(notice.text().endsWith(QStringLiteral("仅TCP客户端模式下可用！")));
}

void tst_NetworkWindow::shutdownWithOpenChannels_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::newRow("server with a client sending") << QStringLiteral("TCPserver");
    QTest::newRow("client connected and receiving") << QStringLiteral("TCPClient");
    QTest::newRow("udp bound") << QStringLiteral("UDPButton");
}

void tst_NetworkWindow::shutdownWithOpenChannels()
{
    QFETCH(QString, protocol);
    QTcpServer peer;
    QVERIFY(peer.listen(QHostAddress::LocalHost, 0));
    const quint16 localPort = nettest::freePort();
    std::unique_ptr<QAbstractSocket> other;

    select(protocol.toLatin1().constData());
    find<QLineEdit>("Local_Port")->setText(QString::number(localPort));
    find<QLineEdit>("Obj_IP")->setText(QStringLiteral("127.0.0.1"));
    find<QLineEdit>("Obj_Port")->setText(QString::number(peer.serverPort()));
    click("Connect");
    if (protocol == QLatin1String("TCPserver")) {
        QVERIFY(nettest::waitListening(QHostAddress::LocalHost, localPort));
        other.reset(nettest::connectFrom(QStringLiteral("127.0.0.2"), QHostAddress::LocalHost, localPort, nullptr));
        QTRY_COMPARE(find<QComboBox>("client_list")->count(), 2);
    } else if (protocol == QLatin1String("TCPClient")) {
        QTRY_VERIFY(peer.hasPendingConnections());
        other.reset(peer.nextPendingConnection());
        other->setParent(nullptr);
    } else {
        auto *udp = new QUdpSocket;
        other.reset(udp);
        for (int i = 0; i < 50; ++i)
            udp->writeDatagram(QByteArray(1000, 'u'), QHostAddress::LocalHost, localPort);
    }
    // Data still in flight towards the window while it goes away.
    if (protocol != QLatin1String("UDPButton")) {
        other->write(QByteArray(256 * 1024, 'g'));
        other->flush();
    }

    LogCapture log;
    QElapsedTimer clock;
    clock.start();
    delete m_window;
    m_window = nullptr;
    QVERIFY(clock.elapsed() < 5000);
    if (protocol != QLatin1String("UDPButton"))
        QTRY_COMPARE(other->state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(log.messages(QtWarningMsg), QStringList());
}

// The server and UDP open only where 本机地址 says ("0.0.0.0": every interface,
// IPv4 and IPv6), and received data names its sender: in the stamp line, or in
// a line of its own when the sender changes; data never joins a status line.
void tst_NetworkWindow::localAddressAndSenders_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::addColumn<QString>("local");
    QTest::addColumn<QStringList>("from"); // two peers' addresses; none: the open is refused
    QTest::addColumn<QString>("elsewhere"); // a local address where the page is not
    QTest::addColumn<bool>("time");
    for (const char *p : {"TCPserver", "UDPButton"}) {
        QTest::addRow("%s not this machine's", p) << p << "198.51.100.7" << QStringList{} << "" << false;
        for (const char *stamped : {"", " stamped"}) {
            const bool time = *stamped;
            QTest::addRow("%s%s on 127.0.0.1", p, stamped) << p << "127.0.0.1" << QStringList{"127.0.0.1", "127.0.0.2"} << "127.0.0.2" << time;
            QTest::addRow("%s%s on ::1", p, stamped) << p << "::1" << QStringList{"::1", "::1"} << "127.0.0.1" << time;
            QTest::addRow("%s%s on all", p, stamped) << p << "0.0.0.0" << QStringList{"127.0.0.1", "::1"} << "" << time;
        }
    }
}

void tst_NetworkWindow::localAddressAndSenders()
{
    QFETCH(QString, protocol);
    QFETCH(QString, local);
    QFETCH(QStringList, from);
    QFETCH(QString, elsewhere);
    QFETCH(bool, time);
    if (from.join(QString()).contains(QLatin1Char(':')) && !nettest::hasIPv6Loopback())
        QSKIP("this machine has no IPv6 loopback");
    const bool tcp = protocol == QLatin1String("TCPserver");
    setOptions(false, false, time);
    select(protocol.toLatin1().constData());
    const quint16 port = nettest::freePort();
    find<QLineEdit>("Local_IP")->setText(local);
    find<QLineEdit>("Local_Port")->setText(QString::number(port));
    click("Connect");
    if (from.isEmpty()) {
        QTRY_COMPARE(area()->toPlainText(), QStringLiteral("本机地址无效：") + local);
        return;
    }
    QTcpSocket probe; // a server also names its probe: it is gone before the peers come
    QVERIFY(tcp ? nettest::waitListening(QHostAddress(from.at(0)), port) : QTest::qWaitFor([&] {
        return !QUdpSocket().bind(QHostAddress(from.at(0)), port, QAbstractSocket::DontShareAddress); }));
    if (tcp)
        probe.connectToHost(QHostAddress(elsewhere), port);
    QVERIFY(elsewhere.isEmpty() || (tcp ? !probe.waitForConnected(2000) : QUdpSocket().bind(QHostAddress(elsewhere), port, QAbstractSocket::DontShareAddress)));
    QTRY_VERIFY(!tcp || area()->toPlainText().contains(QStringLiteral(" left!")));
    click("ClearMessage");
    std::vector<std::unique_ptr<QAbstractSocket>> peers;
    QStringList names;
    auto to = [&](const QString &address) { return QHostAddress(local == QLatin1String("0.0.0.0") ? address : local); };
    for (const QString &address : from) {
        peers.emplace_back(tcp ? static_cast<QAbstractSocket *>(nettest::connectFrom(address, to(address), port, nullptr)) : new QUdpSocket);
        QVERIFY(tcp || peers.back()->bind(QHostAddress(address), 0));
        names << QString(address.contains(':') ? "[%1]:%2" : "%1:%2").arg(address).arg(peers.back()->localPort());
    }
    if (tcp) // the client list names them as the area does
        QTRY_COMPARE(find<QComboBox>("client_list")->itemText(2), names.at(1));
    for (const auto &[who, text] : std::vector<std::pair<int, QByteArray>>{{0, "a1"}, {0, "a2"}, {1, "b1"}, {0, "a3"}}) {
        tcp ? peers.at(who)->write(text) : static_cast<QUdpSocket *>(peers.at(who).get())->writeDatagram(text, to(from.at(who)), port);
        QTRY_VERIFY(area()->toPlainText().endsWith(QLatin1String(text)));
    }
    QString shown = time ? "T   Recive %1\na1\nT   Recive %1\na2\nT   Recive %2\nb1\nT   Recive %1\na3" : "%1\na1a2\n%2\nb1\n%1\na3";
    if (tcp)
        shown.prepend(time ? "T\nNew Client:%1 connected!\nT\nNew Client:%2 connected!\n" : "New Client:%1 connected!\nNew Client:%2 connected!\n");
    QCOMPARE(shownWithoutTimes(area()), shown.arg(names.at(0), names.at(1)));
}

QTEST_MAIN(tst_NetworkWindow)
#include "tst_networkwindow.moc"
