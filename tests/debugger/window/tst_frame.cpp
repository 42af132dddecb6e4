#include "mainwindow.h"
#include "../windowstores.h"

#include "aboutdialog.h"
#include "localhost_guard.h"
#include "logcapture.h"
#include "messageboxes.h"
#include "framelessframe.h"
#include "widgetlookup.h"
#include "windowshadow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHostAddress>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextEdit>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

class MainWindowTestAccess
{
public:
    static int protocol(const MainWindow &window) { return channelIndex(window.currentProtocolIndex); }
    static bool dragging(const MainWindow &window) { return window.m_frame->isDragging(); }
    static QMenu *menu(const MainWindow &window) { return window.menu; }
    static QButtonGroup *protocolGroup(const MainWindow &window) { return window.protocolGroup; }
    static void selectProtocol(MainWindow &window, int index) { window.selectProtocol(Channel(index)); }
};
using Access = MainWindowTestAccess;

class TestFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void freshStart();
    void protocolButtons_data();
    void protocolButtons();
    void serverThenClientHidesClientList();
    void selectProtocol_data();
    void selectProtocol();
    void drag_data();
    void drag();
    void functionKey_data();
    void functionKey();
    void escape_data();
    void escape();
    void edgesAt_data();
    void edgesAt();
    void cornerDragGrowsTextAreas_data();
    void cornerDragGrowsTextAreas();
    void doubleClickOnTitleBar();
    void sendKeys_data();
    void sendKeys();
    void minimise();
    void closeQuestionNo();
    void menuEntries();
    void menuOpensOncePerClickAfterRebuilds();
    void aboutOpensFreshDialogEachTime();
    // Quits the application's event loops; keep it last.
    void closeQuestionYesQuits();

private:
    template <class T>
    T *child(const char *name) const { return ::child<T>(m_window.get(), name); }
    void prepareForProtocolSwitch();
    // A left-button drag in the window by `travel`, from `from` (window coordinates).
    void dragWindow(QPoint from, QPoint travel);

    std::unique_ptr<LogCapture> m_log;
    std::unique_ptr<MainWindow> m_window;
};

void TestFrame::initTestCase()
{
    SKIP_UNLESS_LOCAL_HOST_NAME_IS_LOCAL();
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestFrame::init()
{
    // Each window starts from an empty store, whatever the previous one kept.
    clearWrenpostStores();
    m_log = std::make_unique<LogCapture>();
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestFrame::cleanup()
{
    m_window.reset();
    m_log.reset();
}

void TestFrame::freshStart()
{
    MainWindow &window = *m_window;
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(window.windowFlags() & Qt::Window);
    QVERIFY(window.testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(window.size(), QSize(960, 640));
    QCOMPARE(window.minimumSize(), QSize(960, 640));
    QCOMPARE(window.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    QCOMPARE(window.windowTitle(), QStringLiteral("雁桥"));

    QVERIFY(!child<QWidget>("centralwidget")->graphicsEffect());
    const WindowShadow *shadow = nullptr;
    for (QObject *object : child<QWidget>("centralwidget")->children())
        shadow = shadow ? shadow : dynamic_cast<WindowShadow *>(object);
    QVERIFY(shadow);
    QCOMPARE(shadow->blurRadius(), 20.0);
    QCOMPARE(shadow->color(), QColor(0, 0, 0, 80));

    QCOMPARE(child<QStackedWidget>("stackedWidget")->currentIndex(), 0);
    QCOMPARE(Access::protocol(window), 0);
    QVERIFY(child<QToolButton>("TCPClient")->isChecked());
    for (const char *name : {"TCPserver", "UDPButton", "serialButton"})
        QVERIFY2(!child<QToolButton>(name)->isChecked(), name);
    QCOMPARE(child<QLabel>("titlelabel")->text(), QStringLiteral("雁桥 - TCP客户端"));

    for (const char *name : {"Local_Port", "Disconnect", "Send", "UdpBroadcast"})
        QVERIFY2(!child<QWidget>(name)->isEnabled(), name);
    for (const char *name : {"Connect", "Obj_IP", "Obj_Port", "DnsAnalysis"})
        QVERIFY2(child<QWidget>(name)->isEnabled(), name);
    for (const char *name : {"label_6", "client_list", "Kick"})
        QVERIFY2(!child<QWidget>(name)->isVisible(), name);
    QCOMPARE(child<QPushButton>("Connect")->text(), QStringLiteral("连接"));
    QCOMPARE(child<QPushButton>("Disconnect")->text(), QStringLiteral("断开"));
    QVERIFY(!child<QCheckBox>("DnsAnalysis")->isChecked());

    // The protocol buttons moved from the form's group into the window's own.
    QVERIFY(child<QButtonGroup>("buttonGroup")->buttons().isEmpty());
    QButtonGroup *group = Access::protocolGroup(window);
    QVERIFY(group);
    QVERIFY(group->exclusive());
    QCOMPARE(group->button(0), child<QAbstractButton>("TCPClient"));
    QCOMPARE(group->button(1), child<QAbstractButton>("TCPserver"));
    QCOMPARE(group->button(2), child<QAbstractButton>("UDPButton"));
    QCOMPARE(group->button(3), child<QAbstractButton>("serialButton"));

    // The local address is the last IPv4 address the host name resolves to.
    const QStringList debug = m_log->messages(QtDebugMsg);
    const QString nameLine = QStringLiteral("本机名称： \"%1\"").arg(QHostInfo::localHostName());
    QCOMPARE(debug.count(nameLine), 1);
    QString lastAddress;
    for (const QString &line : debug)
        if (line.startsWith(QStringLiteral("本机IP地址： \"")))
            lastAddress = line.section(QLatin1Char('"'), 1, 1);
    const QString localIp = child<QLineEdit>("Local_IP")->text();
    QCOMPARE(localIp, lastAddress);
    if (!localIp.isEmpty())
        QCOMPARE(QHostAddress(localIp).protocol(), QAbstractSocket::IPv4Protocol);
}

// Puts state into the network page that the switch must either keep or reset.
void TestFrame::prepareForProtocolSwitch()
{
    child<QCheckBox>("DnsAnalysis")->setChecked(true);
    auto *list = child<QComboBox>("client_list");
    list->addItem(QStringLiteral("All Clients"));
    list->addItem(QStringLiteral("127.0.0.1"));
    child<QLineEdit>("Obj_IP")->setText(QStringLiteral("127.0.0.1"));
}

void TestFrame::protocolButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("connectText");
    QTest::addColumn<QString>("disconnectText");
    QTest::addColumn<bool>("udpBroadcastEnabled");
    QTest::addColumn<bool>("localPortEnabled");
    QTest::addColumn<bool>("clientListShown");
    QTest::addColumn<bool>("dnsEnabled");
    QTest::addColumn<bool>("dnsChecked");
    QTest::addColumn<int>("clientCount");

    QTest::newRow("TCP client") << "TCPClient" << 0 << 0 << QStringLiteral("雁桥 - TCP客户端") << QStringLiteral("连接")
                                << QStringLiteral("断开") << false << false << false << true << true << 2;
    QTest::newRow("TCP server") << "TCPserver" << 1 << 0 << QStringLiteral("雁桥 - TCP服务器") << QStringLiteral("打开")
                                << QStringLiteral("关闭") << false << true << true << false << false << 0;
    QTest::newRow("UDP") << "UDPButton" << 2 << 0 << QStringLiteral("雁桥 - UDP") << QStringLiteral("打开")
                         << QStringLiteral("关闭") << true << true << false << false << false << 2;
    // The serial page leaves the network page exactly as it was.
    QTest::newRow("serial") << "serialButton" << 3 << 1 << QStringLiteral("雁桥 - 串口") << QStringLiteral("连接")
                            << QStringLiteral("断开") << false << false << false << true << true << 2;
}

void TestFrame::protocolButtons()
{
    QFETCH(QString, button);
    QFETCH(int, index);
    QFETCH(int, page);
    QFETCH(QString, title);
    QFETCH(QString, connectText);
    QFETCH(QString, disconnectText);
    QFETCH(bool, udpBroadcastEnabled);
    QFETCH(bool, localPortEnabled);
    QFETCH(bool, clientListShown);
    QFETCH(bool, dnsEnabled);
    QFETCH(bool, dnsChecked);
    QFETCH(int, clientCount);

    prepareForProtocolSwitch();
    auto *target = m_window->findChild<QToolButton *>(button);
    QVERIFY(target);
    QTest::mouseClick(target, Qt::LeftButton);

    QCOMPARE(Access::protocol(*m_window), index);
    QVERIFY(target->isChecked());
    for (QAbstractButton *other : Access::protocolGroup(*m_window)->buttons())
        QCOMPARE(other->isChecked(), other == target);
    QCOMPARE(child<QStackedWidget>("stackedWidget")->currentIndex(), page);
    QCOMPARE(child<QLabel>("titlelabel")->text(), title);
    QCOMPARE(child<QPushButton>("Connect")->text(), connectText);
    QCOMPARE(child<QPushButton>("Disconnect")->text(), disconnectText);
    QCOMPARE(child<QWidget>("UdpBroadcast")->isEnabled(), udpBroadcastEnabled);
    QCOMPARE(child<QWidget>("Local_Port")->isEnabled(), localPortEnabled);
    for (const char *name : {"label_6", "client_list", "Kick"})
        QCOMPARE(child<QWidget>(name)->isVisibleTo(child<QWidget>("networkPage")), clientListShown);
    QCOMPARE(child<QWidget>("DnsAnalysis")->isEnabled(), dnsEnabled);
    QCOMPARE(child<QCheckBox>("DnsAnalysis")->isChecked(), dnsChecked);
    QCOMPARE(child<QComboBox>("client_list")->count(), clientCount);
    // Connect, Disconnect and Send belong to the connection control.
    QVERIFY(child<QWidget>("Connect")->isEnabled());
    QVERIFY(!child<QWidget>("Disconnect")->isEnabled());
    QVERIFY(!child<QWidget>("Send")->isEnabled());
    QCOMPARE(child<QLineEdit>("Obj_IP")->text(), QStringLiteral("127.0.0.1"));
}

void TestFrame::serverThenClientHidesClientList()
{
    QTest::mouseClick(child<QToolButton>("TCPserver"), Qt::LeftButton);
    QVERIFY(child<QWidget>("client_list")->isVisible());
    QVERIFY(!child<QWidget>("DnsAnalysis")->isEnabled());

    QTest::mouseClick(child<QToolButton>("TCPClient"), Qt::LeftButton);
    QCOMPARE(Access::protocol(*m_window), 0);
    for (const char *name : {"label_6", "client_list", "Kick"})
        QVERIFY2(!child<QWidget>(name)->isVisible(), name);
    QVERIFY(child<QWidget>("DnsAnalysis")->isEnabled());
    QVERIFY(!child<QCheckBox>("DnsAnalysis")->isChecked());
    QVERIFY(!child<QWidget>("Local_Port")->isEnabled());
    QCOMPARE(child<QLabel>("titlelabel")->text(), QStringLiteral("雁桥 - TCP客户端"));
}

void TestFrame::selectProtocol_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("expectedIndex");
    QTest::addColumn<int>("expectedPage");
    QTest::addColumn<QString>("title");

    QTest::newRow("server") << 0 << 1 << 1 << 0 << QStringLiteral("雁桥 - TCP服务器");
    QTest::newRow("UDP") << 0 << 2 << 2 << 0 << QStringLiteral("雁桥 - UDP");
    QTest::newRow("client from serial page") << 3 << 0 << 0 << 0 << QStringLiteral("雁桥 - TCP客户端");
    QTest::newRow("serial") << 0 << 3 << 3 << 1 << QStringLiteral("雁桥 - 串口");
    QTest::newRow("out of range") << 2 << 7 << 2 << 0 << QStringLiteral("雁桥 - UDP");
    QTest::newRow("negative") << 1 << -1 << 1 << 0 << QStringLiteral("雁桥 - TCP服务器");
}

void TestFrame::selectProtocol()
{
    QFETCH(int, start);
    QFETCH(int, index);
    QFETCH(int, expectedIndex);
    QFETCH(int, expectedPage);
    QFETCH(QString, title);

    QTest::mouseClick(Access::protocolGroup(*m_window)->button(start), Qt::LeftButton);
    Access::selectProtocol(*m_window, index);
    QCOMPARE(Access::protocol(*m_window), expectedIndex);
    QVERIFY(Access::protocolGroup(*m_window)->button(expectedIndex)->isChecked());
    QCOMPARE(child<QStackedWidget>("stackedWidget")->currentIndex(), expectedPage);
    QCOMPARE(child<QLabel>("titlelabel")->text(), title);
    QCOMPARE(child<QWidget>("client_list")->isVisibleTo(child<QWidget>("networkPage")), expectedIndex == 1);
}

void TestFrame::drag_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QPoint>("offsetFromBottomRight"); // negative values count from the far edge
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("dragging");

    const int left = Qt::LeftButton;
    QTest::newRow("title label") << "titlelabel" << QPoint(5, 5) << left << true;
    QTest::newRow("title bar, bottom edge") << "headerFrame" << QPoint(200, -3) << left << true;
    QTest::newRow("side menu below the buttons") << "frameMenu" << QPoint(40, -10) << left << true;
    QTest::newRow("side menu logo") << "logoButton" << QPoint(40, 30) << left << false;
    QTest::newRow("title bar, right button") << "headerFrame" << QPoint(200, 20) << int(Qt::RightButton) << false;
    QTest::newRow("side menu, middle button") << "frameMenu" << QPoint(40, -10) << int(Qt::MiddleButton) << false;
    QTest::newRow("network page margin") << "networkPage" << QPoint(4, 4) << left << false;
    QTest::newRow("network page, below the title bar") << "networkPage" << QPoint(300, 2) << left << false;
    QTest::newRow("receive area") << "Recive_msg" << QPoint(50, 50) << left << false;
}

void TestFrame::drag()
{
    QFETCH(QString, target);
    QFETCH(QPoint, offsetFromBottomRight);
    QFETCH(int, button);
    QFETCH(bool, dragging);

    auto *widget = m_window->findChild<QWidget *>(target);
    QVERIFY(widget);
    const QPoint point(offsetFromBottomRight.x() < 0 ? widget->width() + offsetFromBottomRight.x() : offsetFromBottomRight.x(),
                       offsetFromBottomRight.y() < 0 ? widget->height() + offsetFromBottomRight.y() : offsetFromBottomRight.y());
    const auto mouseButton = Qt::MouseButton(button);

    const QPoint windowStart = m_window->frameGeometry().topLeft();
    QTest::mousePress(widget, mouseButton, {}, point);
    QCOMPARE(Access::dragging(*m_window), dragging);

    // A move with the left button held carries the window by the cursor's travel.
    const QPoint travel(37, -21);
    const QPoint local = widget->mapTo(m_window.get(), point) + travel;
    QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(m_window->mapToGlobal(local)), Qt::NoButton,
                     Qt::MouseButtons(Qt::LeftButton | mouseButton), Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &move);
    QTRY_COMPARE(m_window->frameGeometry().topLeft(), dragging ? windowStart + travel : windowStart);

    QTest::mouseRelease(widget, mouseButton, {}, point);
    QVERIFY(!Access::dragging(*m_window));
}

void TestFrame::functionKey_data()
{
    QTest::addColumn<QString>("protocolButton");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("boxShown");

    QTest::newRow("F1, TCP client") << "TCPClient" << int(Qt::Key_F1) << true;
    QTest::newRow("F1, TCP server") << "TCPserver" << int(Qt::Key_F1) << false;
    QTest::newRow("F1, UDP") << "UDPButton" << int(Qt::Key_F1) << true;
    QTest::newRow("F1, serial") << "serialButton" << int(Qt::Key_F1) << true;
    QTest::newRow("F2, TCP client") << "TCPClient" << int(Qt::Key_F2) << false;
    QTest::newRow("letter, UDP") << "UDPButton" << int(Qt::Key_A) << false;
}

void TestFrame::functionKey()
{
    QFETCH(QString, protocolButton);
    QFETCH(int, key);
    QFETCH(bool, boxShown);

    QTest::mouseClick(m_window->findChild<QToolButton *>(protocolButton), Qt::LeftButton);
    MessageBoxAnswerer answerer(QMessageBox::Ok, 3000);
    // The box runs modally inside the key handler, so it has come and gone
    // by the time keyClick returns.
    QTest::keyClick(m_window.get(), Qt::Key(key));
    QCOMPARE(answerer.seen(), boxShown);
    if (boxShown) {
        QCOMPARE(answerer.count(), 1);
        QCOMPARE(answerer.title(), QStringLiteral("提示！"));
        QCOMPARE(answerer.text(), QStringLiteral("不可用！"));
        QCOMPARE(answerer.icon(), QMessageBox::Information);
        QCOMPARE(answerer.buttonTexts().size(), 1);
        QVERIFY(answerer.hadParent());
    }
    QVERIFY(m_window->isVisible());
}

void TestFrame::escape_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");

    QTest::newRow("yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("no") << int(QMessageBox::No) << false;
    QTest::newRow("dismissed") << int(QMessageBox::NoButton) << false;
}

void TestFrame::escape()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);

    // In TCP server mode too, where F1 does nothing.
    QTest::mouseClick(child<QToolButton>("TCPserver"), Qt::LeftButton);
    MessageBoxAnswerer answerer(QMessageBox::StandardButton(answer), 3000);
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.title(), QStringLiteral("确认窗口"));
    QCOMPARE(answerer.text(), QStringLiteral("确定退出吗？"));
    QCOMPARE(answerer.icon(), QMessageBox::Question);
    QCOMPARE(answerer.buttonTexts().size(), 2);
    // Enter and a second Escape both answer No.
    QCOMPARE(answerer.defaultButton(), QMessageBox::No);
    QCOMPARE(answerer.escapeButton(), QMessageBox::No);
    QVERIFY(!answerer.hadParent());
    QCOMPARE(m_window->isVisible(), !closed);
}

void TestFrame::dragWindow(QPoint from, QPoint travel)
{
    QTest::mousePress(m_window.get(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(from + travel), QPointF(m_window->mapToGlobal(from) + travel),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &move);
    QTest::mouseRelease(m_window.get(), Qt::LeftButton, {}, from + travel);
}

void TestFrame::edgesAt_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("edges");
    QTest::newRow("left edge") << QPoint(3, 150) << int(Qt::LeftEdge);
    QTest::newRow("bottom right corner, last pixel") << QPoint(399, 299) << int(Qt::BottomEdge | Qt::RightEdge);
    QTest::newRow("along the top, near the left") << QPoint(15, 4) << int(Qt::TopEdge | Qt::LeftEdge);
    QTest::newRow("just inside") << QPoint(10, 150) << 0;
    QTest::newRow("outside") << QPoint(-1, 5) << 0;
}

void TestFrame::edgesAt()
{
    QFETCH(QPoint, at);
    QFETCH(int, edges);
    QCOMPARE(int(FramelessFrame::edgesAt(QSize(400, 300), at, 10)), edges);
}

void TestFrame::cornerDragGrowsTextAreas_data()
{
    QTest::addColumn<QString>("protocolButton");
    QTest::addColumn<QStringList>("areas"); // receive area, send area, settings column
    QTest::newRow("network page") << "TCPClient" << QStringList{"Recive_msg", "Send_msg", "networkSettings"};
    QTest::newRow("serial page") << "serialButton" << QStringList{"DataRecive", "DataToSend", "serialSettings"};
}

void TestFrame::cornerDragGrowsTextAreas()
{
    QFETCH(QString, protocolButton);
    QFETCH(QStringList, areas);
    QTest::mouseClick(m_window->findChild<QToolButton *>(protocolButton), Qt::LeftButton);
    const auto sizeOf = [this](const QString &name) { return m_window->findChild<QWidget *>(name)->size(); };
    const QSize receive = sizeOf(areas[0]), send = sizeOf(areas[1]), settings = sizeOf(areas[2]);
    const QPoint start = m_window->pos();

    // From the shadow's margin at the bottom right corner: offscreen has no
    // system resizing, so the frame resizes the window itself.
    dragWindow(QPoint(957, 637), QPoint(400, 300));
    QTRY_COMPARE(m_window->geometry(), QRect(start, QSize(1360, 940)));
    QTRY_COMPARE(sizeOf(areas[0]).width(), receive.width() + 400);
    QVERIFY(sizeOf(areas[0]).height() > receive.height() + 150);
    QVERIFY(sizeOf(areas[1]).height() > send.height() + 30);
    QCOMPARE(sizeOf(areas[2]).width(), settings.width());

    // Inwards it stops at the smallest size, the far corner in place.
    dragWindow(QPoint(2, 2), QPoint(900, 900));
    QTRY_COMPARE(m_window->geometry(), QRect(start + QPoint(400, 300), QSize(960, 640)));
}

void TestFrame::doubleClickOnTitleBar()
{
    auto *title = child<QWidget>("titlelabel");
    QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(5, 5));
    QTRY_VERIFY(m_window->isMaximized());
    // Maximised there is no margin to resize from or to cast a shadow in.
    QCOMPARE(child<QWidget>("centralwidget")->layout()->contentsMargins(), QMargins());
    QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(5, 5));
    QTRY_VERIFY(!m_window->isMaximized());
    QCOMPARE(child<QWidget>("centralwidget")->layout()->contentsMargins(), QMargins(10, 10, 10, 10));
}

void TestFrame::sendKeys_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("sent");
    QTest::newRow("Ctrl+Return sends") << true << int(Qt::ControlModifier) << "ping";
    QTest::newRow("Return alone adds a line") << true << 0 << "";
    QTest::newRow("not while Send is disabled") << false << int(Qt::ControlModifier) << "";
}

void TestFrame::sendKeys()
{
    QFETCH(bool, connected);
    QFETCH(int, modifiers);
    QFETCH(QString, sent);
    QTcpServer peer;
    QVERIFY(peer.listen(QHostAddress::LocalHost));
    child<QLineEdit>("Obj_Port")->setText(QString::number(peer.serverPort()));
    if (connected)
        QTest::mouseClick(child<QPushButton>("Connect"), Qt::LeftButton);
    QTRY_COMPARE(peer.hasPendingConnections() && child<QPushButton>("Send")->isEnabled(), connected);
    QTcpSocket *side = peer.nextPendingConnection();
    auto *area = child<QTextEdit>("Send_msg");
    area->setPlainText(QStringLiteral("ping"));
    area->moveCursor(QTextCursor::End);
    QTest::keyClick(area, Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
    QTest::qWait(sent.isEmpty() ? 200 : 0);
    QByteArray received;
    QTRY_COMPARE((received += side ? side->readAll() : QByteArray()), sent.toLatin1());
    QCOMPARE(area->toPlainText(), modifiers ? QStringLiteral("ping") : QStringLiteral("ping\n"));
}

void TestFrame::minimise()
{
    QTest::mouseClick(child<QPushButton>("minButton"), Qt::LeftButton);
    QTRY_VERIFY(m_window->windowState() & Qt::WindowMinimized);
}

void TestFrame::closeQuestionNo()
{
    QTest::mouseClick(child<QToolButton>("UDPButton"), Qt::LeftButton);
    const QPoint position = m_window->pos();

    MessageBoxAnswerer answerer(QMessageBox::No, 3000);
    QTest::mouseClick(child<QPushButton>("closeButton"), Qt::LeftButton);
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.title(), QStringLiteral("确认退出"));
    QCOMPARE(answerer.text(), QStringLiteral("确定要退出雁桥吗？"));
    QCOMPARE(answerer.icon(), QMessageBox::Question);
    QCOMPARE(answerer.buttonTexts().size(), 2);
    // The shared frame's question, Crateforge's too: Enter answers No.
    QCOMPARE(answerer.defaultButton(), QMessageBox::No);
    QVERIFY(answerer.hadParent());

    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->pos(), position);
    QCOMPARE(Access::protocol(*m_window), 2);
    QCOMPARE(child<QLabel>("titlelabel")->text(), QStringLiteral("雁桥 - UDP"));
}

void TestFrame::menuEntries()
{
    QMenu *menu = Access::menu(*m_window);
    QVERIFY(menu);
    QCOMPARE(menu->parentWidget(), m_window.get());
    const QList<QAction *> actions = menu->actions();
    QCOMPARE(actions.size(), 6);

    const QStringList names = {"cnAction", "twAction", "enAction", QString(), "helpMenu", "aboutAction"};
    const QStringList texts = {"简体中文", "繁體中文", "English", QString(), "特别提示", QStringLiteral("关于雁桥\u200B")};
    for (int i = 0; i < actions.size(); ++i) {
        QAction *action = actions.at(i);
        if (i == 3) {
            QVERIFY(action->isSeparator());
            continue;
        }
        QCOMPARE(action->objectName(), names.at(i));
        QCOMPARE(action->text(), texts.at(i));
        QCOMPARE(action->isCheckable(), i < 3);
        // The stored language, the source language when none is stored, is applied at start-up.
        QCOMPARE(action->isChecked(), i == 0);
    }
    QActionGroup *group = actions.at(0)->actionGroup();
    QVERIFY(group);
    QVERIFY(group->isExclusive());
    QCOMPARE(group->actions(), actions.mid(0, 3));
}

void TestFrame::menuOpensOncePerClickAfterRebuilds()
{
    QPointer<QMenu> first = Access::menu(*m_window);
    m_window->updateMenuLanguage();
    m_window->updateMenuLanguage();
    QMenu *current = Access::menu(*m_window);
    QVERIFY(current != first);

    // The discarded menus go, with their actions.
    QTRY_VERIFY(first.isNull());
    QCOMPARE(m_window->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);

    QList<QMenu *> opened;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&opened] {
        if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            opened << popup;
            popup->close();
        }
    });
    poll.start(10);
    QTest::mouseClick(child<QPushButton>("menuButton"), Qt::LeftButton);
    poll.stop();
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first(), current);
}

void TestFrame::aboutOpensFreshDialogEachTime()
{
    QAction *about = Access::menu(*m_window)->findChild<QAction *>(QStringLiteral("aboutAction"));
    QVERIFY(about);

    for (int round = 0; round < 2; ++round) {
        QPointer<AboutDialog> shown;
        QWidget *parent = nullptr;
        QString title;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto *dialog = qobject_cast<AboutDialog *>(QApplication::activeModalWidget())) {
                shown = dialog;
                parent = dialog->parentWidget();
                title = dialog->windowTitle();
                dialog->reject();
            }
        });
        poll.start(10);
        about->trigger();
        poll.stop();
        QCOMPARE(title, QStringLiteral("关于雁桥"));
        QCOMPARE(parent, m_window.get());
        // Built on the stack of the slot: gone once it has been closed.
        QVERIFY(shown.isNull());
        QVERIFY(m_window->findChildren<AboutDialog *>().isEmpty());
    }
}

void TestFrame::closeQuestionYesQuits()
{
    // Quitting ends the application's own event loop, so run it here.
    MessageBoxAnswerer answerer(QMessageBox::Yes, 3000);
    QTimer::singleShot(0, this, [this] { QTest::mouseClick(child<QPushButton>("closeButton"), Qt::LeftButton); });
    QTimer::singleShot(5000, this, [] { QCoreApplication::exit(99); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.title(), QStringLiteral("确认退出"));
}

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
