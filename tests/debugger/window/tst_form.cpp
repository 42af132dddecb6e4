#include "mainwindow.h"
#include "widgetlookup.h"
#include "ui_mainwindow.h"

#include "localhost_guard.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>

// The form on its own (a bare QMainWindow, so nothing of the window's code
// changes a text), and the same names in the real window.
class TestForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void objects_data();
    void objects();
    void formProperties();
    void sideMenuButtons_data();
    void sideMenuButtons();
    void retranslateResetsFormTexts();
    void networkPageArrangement();
    void serialPageArrangement();

private:
    template <class T = QObject>
    T *formChild(const char *name) const { return child<T>(m_form.get(), name); }

    std::unique_ptr<QMainWindow> m_form;
    std::unique_ptr<Ui::MainWindow> m_ui;
    std::unique_ptr<MainWindow> m_window;
};

namespace {

QString textOf(const QObject *object)
{
    if (auto *action = qobject_cast<const QAction *>(object))
        return action->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(object))
        return button->text();
    if (auto *label = qobject_cast<const QLabel *>(object))
        return label->text();
    if (auto *edit = qobject_cast<const QLineEdit *>(object))
        return edit->text();
    if (auto *edit = qobject_cast<const QTextEdit *>(object))
        return edit->placeholderText();
    if (auto *combo = qobject_cast<const QComboBox *>(object))
        return combo->currentText();
    if (auto *widget = qobject_cast<const QWidget *>(object))
        return widget->windowTitle();
    return {};
}

QString toolTipOf(const QObject *object)
{
    if (auto *action = qobject_cast<const QAction *>(object))
        return action->toolTip();
    if (auto *widget = qobject_cast<const QWidget *>(object))
        return widget->toolTip();
    return {};
}

QRect geometryIn(const QWidget *widget, const QWidget *ancestor)
{
    return QRect(widget->mapTo(ancestor, QPoint(0, 0)), widget->size());
}

} // namespace

void TestForm::initTestCase()
{
    m_form = std::make_unique<QMainWindow>();
    m_ui = std::make_unique<Ui::MainWindow>();
    m_ui->setupUi(m_form.get());
}

void TestForm::cleanupTestCase()
{
    m_window.reset();
    m_ui.reset();
    m_form.reset();
}

void TestForm::objects_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("shortcut");

    auto row = [](const char *name, const char *className, const QString &text = QString(),
                  const QString &toolTip = QString(), const char *shortcut = "") {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(className) << text << toolTip
                            << QString::fromLatin1(shortcut);
    };
    auto action = [&row](const char *name, const QString &text, const char *shortcut) {
        row(name, "QAction", text, text, shortcut);
    };

    // Frame
    row("MainWindow", "QMainWindow", QStringLiteral("雁桥"));
    row("centralwidget", "QWidget");
    row("frameMian", "QFrame");
    row("frameMenu", "QFrame");
    row("logoButton", "QToolButton", QString(), QStringLiteral("Wrenpost\u200B"));
    row("TCPClient", "QToolButton", QStringLiteral("客户端"), QStringLiteral("TCP客户端模式"));
    row("TCPserver", "QToolButton", QStringLiteral("服务端"), QStringLiteral("TCP服务端模式"));
    row("UDPButton", "QToolButton", QStringLiteral("UDP"), QStringLiteral("UDP模式"));
    row("serialButton", "QToolButton", QStringLiteral("串口"), QStringLiteral("串口模式"));
    row("headerFrame", "QFrame");
    row("titlelabel", "QLabel", QStringLiteral("雁桥"));
    row("menuButton", "QPushButton");
    row("minButton", "QPushButton");
    row("closeButton", "QPushButton");
    row("stackedWidget", "QStackedWidget");
    row("networkPage", "QWidget");
    row("serialPage", "QWidget");

    // Network page
    row("label_LocalIP", "QLabel", QStringLiteral("本机地址"));
    row("Local_IP", "QLineEdit");
    row("label_LocalPort", "QLabel", QStringLiteral("本地端口"));
    row("Local_Port", "QLineEdit");
    row("label_ObjIP", "QLabel", QStringLiteral("目标地址"));
    row("Obj_IP", "QLineEdit");
    row("label_ObjPort", "QLabel", QStringLiteral("目标端口"));
    row("Obj_Port", "QLineEdit");
    row("Connect", "QPushButton", QStringLiteral("连接"));
    row("Disconnect", "QPushButton", QStringLiteral("断开"));
    row("label_6", "QLabel", QStringLiteral("客户端："));
    row("client_list", "QComboBox");
    row("Kick", "QPushButton", QStringLiteral("踢除"));
    row("Send", "QPushButton", QStringLiteral("发送"));
    row("DnsAnalysis", "QCheckBox", QStringLiteral("DNS解析"));
    row("Recive_msg", "QTextBrowser", QStringLiteral("接收区"));
    row("DisplayTime", "QCheckBox", QStringLiteral("显示时间"));
    row("AutoSwitchLine", "QCheckBox", QStringLiteral("换行显示"));
    row("HexDisplay", "QCheckBox", QStringLiteral("HEX显示"));
    row("Recive_cnt", "QLabel", QStringLiteral("累计接收："));
    row("ClearMessage", "QPushButton", QStringLiteral("清空消息"));
    row("Send_msg", "QTextEdit", QStringLiteral("发送区"));
    row("HexSend", "QCheckBox", QStringLiteral("HEX发送"));
    row("SendNewLine", "QCheckBox", QStringLiteral("发送换行"));
    row("DisplaySendMsg", "QCheckBox", QStringLiteral("显示发送"));
    row("UdpBroadcast", "QCheckBox", QStringLiteral("UDP广播"));
    row("Send_cnt", "QLabel", QStringLiteral("累计发送："));
    row("clear_send_cnt", "QPushButton", QStringLiteral("累计清零"));
    row("Timer_Send", "QCheckBox", QStringLiteral("循环发送"));
    row("period", "QLineEdit");
    row("label_5", "QLabel", QStringLiteral("ms"));
    row("openfileButton", "QPushButton", QStringLiteral("打开发送区"));
    row("savefileButton", "QPushButton", QStringLiteral("保存接收区"));
    row("resetButton", "QPushButton", QStringLiteral("一键重置"));

    // Serial page
    row("label_Serial_num", "QLabel", QStringLiteral("串口号"));
    row("SerialList", "QComboBox");
    row("label_Baudrate", "QLabel", QStringLiteral("波特率"));
    row("BaudrateList", "QComboBox");
    row("label_Data_bit", "QLabel", QStringLiteral("数据位"));
    row("DataBitsList", "QComboBox");
    row("label_StopBit", "QLabel", QStringLiteral("停止位"));
    row("StopBitsList", "QComboBox");
    row("label_parity", "QLabel", QStringLiteral("校验位 "));
    row("ParityList", "QComboBox");
    row("label_Check_bit_2", "QLabel", QStringLiteral("流控制"));
    row("FlowControlList", "QComboBox");
    row("SerialOpen", "QPushButton", QStringLiteral("打开串口"));
    row("SerialClose", "QPushButton", QStringLiteral("关闭串口"));
    row("TimeDisplay", "QCheckBox", QStringLiteral("显示时间"));
    row("SendHEX_2", "QCheckBox", QStringLiteral("HEX发送"));
    row("SendNewLine_2", "QCheckBox", QStringLiteral("发送换行"));
    row("SendDisplay", "QCheckBox", QStringLiteral("显示发送"));
    row("DisplayHEX", "QCheckBox", QStringLiteral("HEX显示"));
    row("AutoSwitchLine_2", "QCheckBox", QStringLiteral("换行显示"));
    row("LoopSend", "QCheckBox", QStringLiteral("循环发送"));
    row("LoopSendPeriod", "QLineEdit", QStringLiteral("1000"));
    row("label_7", "QLabel", QStringLiteral("周期(ms)"));
    row("ReciveCountLabel", "QLabel", QStringLiteral("累计接收：0"));
    row("SendCountLabel", "QLabel", QStringLiteral("累计发送：0"));
    row("SendClear", "QPushButton", QStringLiteral("清零"));
    row("DataRecive", "QTextBrowser", QStringLiteral("接收区"));
    row("DataToSend", "QTextEdit", QStringLiteral("发送区"));
    row("ClearRecive", "QPushButton", QStringLiteral("清空"));
    row("SaveData", "QPushButton", QStringLiteral("保存"));
    row("OpenFile", "QPushButton", QStringLiteral("打开"));
    row("SnedData", "QPushButton", QStringLiteral("发送"));

    // Form actions
    action("ActRecivceFont", QStringLiteral("接收区字体"), "Ctrl+F1");
    action("ActSendFont", QStringLiteral("发送区字体"), "Ctrl+F2");
    action("ActReciveFontColor", QStringLiteral("接收区字体颜色"), "Ctrl+F6");
    action("ActSendFontColor", QStringLiteral("发送区字体颜色"), "Ctrl+F7");
    action("ActOpenFile", QStringLiteral("打开至发送区"), "Ctrl+O");
    action("ActSaveFile", QStringLiteral("保存接收区记录"), "Ctrl+S");
    action("ActDnsAnalysis", QStringLiteral("DNS域名解析"), "Ctrl+H");
    action("ActWindowBGColor", QStringLiteral("窗口背景颜色"), "Ctrl+F3");
    action("ActReciveBGColor", QStringLiteral("接收区背景颜色"), "Ctrl+F4");
    action("ActSendBGColor", QStringLiteral("发送区背景颜色"), "Ctrl+F5");
    action("ActAbout", QStringLiteral("关于"), "Ctrl+A");
}

void TestForm::objects()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    QFETCH(QString, shortcut);

    const QObject *object = name == QLatin1String("MainWindow") ? m_form.get() : m_form->findChild<QObject *>(name);
    QVERIFY2(object, qPrintable(name));
    QCOMPARE(QString::fromLatin1(object->metaObject()->className()), className);
    QCOMPARE(textOf(object), text);
    QCOMPARE(toolTipOf(object), toolTip);
    if (auto *action = qobject_cast<const QAction *>(object)) {
        QCOMPARE(action->shortcut(), QKeySequence(shortcut));
        QVERIFY2(action->associatedObjects().isEmpty(), "form actions are attached to no widget");
    }
    if (auto *combo = qobject_cast<const QComboBox *>(object)) {
        QCOMPARE(combo->count(), 0);
        QVERIFY(!combo->isEditable());
    }

    // The real window carries the same object with the same class.
    if (!m_window) {
        SKIP_UNLESS_LOCAL_HOST_NAME_IS_LOCAL();
        m_window = std::make_unique<MainWindow>();
    }
    const QObject *real = name == QLatin1String("MainWindow") ? m_window.get() : m_window->findChild<QObject *>(name);
    QVERIFY2(real, qPrintable(name));
    if (name == QLatin1String("MainWindow"))
        QCOMPARE(QString::fromLatin1(real->metaObject()->superClass()->className()), className);
    else
        QCOMPARE(QString::fromLatin1(real->metaObject()->className()), className);
}

void TestForm::formProperties()
{
    QCOMPARE(m_form->size(), QSize(960, 640));
    QCOMPARE(m_form->minimumSize(), QSize(960, 640));
    QCOMPARE(m_form->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    QCOMPARE(m_form->font().family(), QStringLiteral("Source Code Pro"));
    QCOMPARE(m_form->font().pointSize(), 10);

    QLayout *central = m_ui->centralwidget->layout();
    QVERIFY(central);
    QCOMPARE(central->contentsMargins(), QMargins(10, 10, 10, 10));
    QCOMPARE(central->indexOf(m_ui->frameMian), 0);
    QCOMPARE(m_ui->frameMenu->parentWidget(), m_ui->frameMian);
    QCOMPARE(m_ui->headerFrame->parentWidget(), m_ui->frameMian);
    QCOMPARE(m_ui->stackedWidget->parentWidget(), m_ui->frameMian);
    QCOMPARE(m_ui->frameMenu->maximumWidth(), 80);
    QCOMPARE(m_ui->headerFrame->minimumHeight(), 50);
    QCOMPARE(m_ui->headerFrame->maximumHeight(), 50);

    QCOMPARE(m_ui->logoButton->iconSize(), QSize(32, 32));
    QVERIFY(!m_ui->logoButton->icon().isNull());
    QCOMPARE(m_ui->logoButton->font().family(), QStringLiteral("Source Code Pro"));
    QCOMPARE(m_ui->logoButton->font().pointSize(), 14);
    QVERIFY(m_ui->logoButton->font().bold());
    QCOMPARE(m_ui->titlelabel->font().family(), QStringLiteral("微软雅黑"));
    QCOMPARE(m_ui->titlelabel->font().pointSize(), 12);
    QVERIFY(m_ui->titlelabel->font().bold());
    for (QAbstractButton *button : {static_cast<QAbstractButton *>(m_ui->menuButton), static_cast<QAbstractButton *>(m_ui->minButton),
                                    static_cast<QAbstractButton *>(m_ui->closeButton)}) {
        QVERIFY2(!button->icon().isNull(), qPrintable(button->objectName()));
        QCOMPARE(button->parentWidget(), m_ui->headerFrame);
    }

    QCOMPARE(m_ui->stackedWidget->count(), 2);
    QCOMPARE(m_ui->stackedWidget->widget(0), m_ui->networkPage);
    QCOMPARE(m_ui->stackedWidget->widget(1), m_ui->serialPage);
    QCOMPARE(m_ui->stackedWidget->currentIndex(), 0);

    QVERIFY(m_ui->AutoSwitchLine->isChecked());
    for (QAbstractButton *box : {static_cast<QAbstractButton *>(m_ui->DisplayTime), static_cast<QAbstractButton *>(m_ui->HexDisplay),
                                 static_cast<QAbstractButton *>(m_ui->HexSend), static_cast<QAbstractButton *>(m_ui->SendNewLine),
                                 static_cast<QAbstractButton *>(m_ui->DisplaySendMsg), static_cast<QAbstractButton *>(m_ui->UdpBroadcast),
                                 static_cast<QAbstractButton *>(m_ui->DnsAnalysis), static_cast<QAbstractButton *>(m_ui->Timer_Send)})
        QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
    QVERIFY(m_ui->Recive_msg->isReadOnly());
    QVERIFY(m_ui->DataRecive->isReadOnly());

    QCOMPARE(m_ui->DataToSend->minimumWidth(), 500);
    // No grey of its own: it looks enabled or disabled as the style sheet says.
    QVERIFY(m_ui->DataToSend->styleSheet().isEmpty());
}

void TestForm::sideMenuButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("offImage");
    QTest::addColumn<QString>("onImage");
    QTest::newRow("TCPClient") << "TCPClient" << ":/image/tcpc.svg" << ":/image/tcpc-hover.svg";
    QTest::newRow("TCPserver") << "TCPserver" << ":/image/tcps.svg" << ":/image/tcps-hover.svg";
    QTest::newRow("UDPButton") << "UDPButton" << ":/image/udp.svg" << ":/image/udp-hover.svg";
    QTest::newRow("serialButton") << "serialButton" << ":/image/serial.svg" << ":/image/serial-hover.svg";
}

void TestForm::sideMenuButtons()
{
    QFETCH(QString, name);
    QFETCH(QString, offImage);
    QFETCH(QString, onImage);

    auto *button = m_form->findChild<QToolButton *>(name);
    QVERIFY(button);
    QCOMPARE(button->parentWidget(), m_ui->frameMenu);
    QVERIFY(button->isCheckable());
    QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QCOMPARE(button->iconSize(), QSize(24, 24));
    QCOMPARE(button->group(), m_ui->buttonGroup);

    // Each state draws its own image.
    QVERIFY2(QFile::exists(offImage) && QFile::exists(onImage), "icon artwork in the bundle");
    const QIcon icon = button->icon();
    const QImage off = icon.pixmap(QSize(24, 24), QIcon::Normal, QIcon::Off).toImage();
    const QImage on = icon.pixmap(QSize(24, 24), QIcon::Normal, QIcon::On).toImage();
    QCOMPARE(off, QIcon(offImage).pixmap(QSize(24, 24)).toImage());
    QCOMPARE(on, QIcon(onImage).pixmap(QSize(24, 24)).toImage());
    QVERIFY(off != on);
}

void TestForm::retranslateResetsFormTexts()
{
    // The language switch relies on these design-time values.
    m_ui->period->setText(QStringLiteral("250"));
    m_ui->LoopSendPeriod->setText(QStringLiteral("20"));
    m_ui->titlelabel->setText(QStringLiteral("x"));
    m_ui->Local_Port->setText(QStringLiteral("9000"));
    m_ui->retranslateUi(m_form.get());
    QCOMPARE(m_ui->period->text(), QString());
    QCOMPARE(m_ui->LoopSendPeriod->text(), QStringLiteral("1000"));
    QCOMPARE(m_ui->titlelabel->text(), QStringLiteral("雁桥"));
    QCOMPARE(m_ui->Local_Port->text(), QStringLiteral("9000"));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("雁桥"));
}

void TestForm::networkPageArrangement()
{
    QMainWindow window;
    Ui::MainWindow ui;
    ui.setupUi(&window);
    window.setFixedSize(960, 640);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget *page = ui.networkPage;

    auto at = [page](QWidget *widget) { return geometryIn(widget, page); };
    const QRect receive = at(ui.Recive_msg);
    const QRect send = at(ui.Send_msg);
    // Settings column on the left, receive area large, send area below it.
    for (QWidget *setting : {static_cast<QWidget *>(ui.Local_IP), static_cast<QWidget *>(ui.Obj_Port), static_cast<QWidget *>(ui.Connect),
                             static_cast<QWidget *>(ui.DisplayTime), static_cast<QWidget *>(ui.Timer_Send), static_cast<QWidget *>(ui.resetButton)})
        QVERIFY2(at(setting).right() < receive.left(), qPrintable(setting->objectName()));
    QVERIFY(send.top() > receive.bottom());
    QVERIFY(receive.height() > 2 * send.height());
    QVERIFY(receive.width() > page->width() / 2);
    QVERIFY(at(ui.Send).left() > send.right());
    for (QWidget *counter : {static_cast<QWidget *>(ui.Recive_cnt), static_cast<QWidget *>(ui.Send_cnt)})
        QVERIFY2(at(counter).top() > send.bottom(), qPrintable(counter->objectName()));
    // Everything fits on the page.
    const auto widgets = page->findChildren<QWidget *>();
    for (QWidget *widget : widgets)
        if (!widget->isHidden() && !widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
            QVERIFY2(page->rect().contains(at(widget)), qPrintable(widget->objectName()));
}

void TestForm::serialPageArrangement()
{
    QMainWindow window;
    Ui::MainWindow ui;
    ui.setupUi(&window);
    ui.stackedWidget->setCurrentIndex(1);
    window.setFixedSize(960, 640);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget *page = ui.serialPage;
    auto at = [page](QWidget *widget) { return geometryIn(widget, page); };

    // Left column, top to bottom.
    const QList<QWidget *> left = {ui.label_Serial_num, ui.label_Baudrate, ui.label_Data_bit, ui.label_StopBit, ui.label_parity,
                                   ui.label_Check_bit_2, ui.SerialClose, ui.TimeDisplay, ui.SendNewLine_2, ui.DisplayHEX,
                                   ui.LoopSend, ui.ReciveCountLabel, ui.SendCountLabel, ui.SendClear};
    for (int i = 1; i < left.size(); ++i)
        QVERIFY2(at(left.at(i)).top() > at(left.at(i - 1)).bottom(), qPrintable(left.at(i)->objectName()));
    const QList<QPair<QWidget *, QWidget *>> pairs = {
        {ui.label_Serial_num, ui.SerialList}, {ui.label_Baudrate, ui.BaudrateList}, {ui.label_Data_bit, ui.DataBitsList},
        {ui.label_StopBit, ui.StopBitsList}, {ui.label_parity, ui.ParityList}, {ui.label_Check_bit_2, ui.FlowControlList},
        {ui.SerialClose, ui.SerialOpen}, {ui.TimeDisplay, ui.SendHEX_2}, {ui.SendNewLine_2, ui.SendDisplay},
        {ui.DisplayHEX, ui.AutoSwitchLine_2}, {ui.LoopSend, ui.LoopSendPeriod}, {ui.LoopSendPeriod, ui.label_7},
        {ui.ReciveCountLabel, ui.ReciveRateLabel}, {ui.SendCountLabel, ui.SendRateLabel},
        {ui.ClearRecive, ui.SaveData}, {ui.SaveData, ui.OpenFile}, {ui.OpenFile, ui.SnedData}};
    for (const auto &pair : pairs) {
        const QRect first = at(pair.first);
        const QRect second = at(pair.second);
        QVERIFY2(second.left() > first.right(), qPrintable(pair.second->objectName()));
        QVERIFY2(qAbs(first.center().y() - second.center().y()) <= 4, qPrintable(pair.second->objectName()));
    }

    // Right column: receive above send above the button row.
    const QRect receive = at(ui.DataRecive);
    const QRect send = at(ui.DataToSend);
    QVERIFY(receive.left() > at(ui.SerialList).right());
    QVERIFY(send.top() > receive.bottom());
    QVERIFY(at(ui.SnedData).top() > send.bottom());
    QVERIFY(send.width() >= 500);
    // At the smallest size the send area stays a few lines high.
    QVERIFY(receive.height() > 3 * send.height());
    // A counter shows every digit of tens of gigabytes (weeks of the fastest
    // line), and its widest rate beside it.
    ui.ReciveCountLabel->setText(QStringLiteral("累计接收：60010000000"));
    ui.ReciveRateLabel->setText(QStringLiteral("1023 KB/s"));
    QTRY_VERIFY(ui.ReciveCountLabel->width() >= ui.ReciveCountLabel->sizeHint().width());
    QVERIFY(ui.ReciveRateLabel->width() >= ui.ReciveRateLabel->sizeHint().width());
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"
