// Wrenpost's languages: switched live from the title-bar menu, kept in their
// own store, applied at start-up, and the fallback when a catalogue fails.

#include "mainwindow.h"
#include "widgetlookup.h"

#include "aboutdialog.h"
#include "localhost_guard.h"
#include "logcapture.h"
#include "modaldriver.h"
#include "serialportlist.h"
#include "stylesheet.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "../windowstores.h"

#include <memory>

class MainWindowTestAccess
{
public:
    static QMenu *menu(const MainWindow &w) { return w.menu; }
    static void setCataloguePattern(MainWindow &w, const QString &pattern) { w.m_cataloguePattern = pattern; }
};
using Access = MainWindowTestAccess;

namespace {

QAction *menuEntry(const MainWindow &w, const char *name)
{
    return Access::menu(w)->findChild<QAction *>(QLatin1String(name));
}

QString checkedLanguage(const MainWindow &w)
{
    QString checked;
    for (const char *name : {"cnAction", "twAction", "enAction"})
        if (menuEntry(w, name)->isChecked())
            checked += QLatin1String(name);
    return checked;
}

const char *entryFor(const QString &code)
{
    return code == QLatin1String("zh_TW") ? "twAction" : code == QLatin1String("en_US") ? "enAction" : "cnAction";
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void appliedLive_data();
    void appliedLive();
    void sameLanguageTwiceWritesNothing();
    void fallback_data();
    void fallback();
    void switchKeepsWhatTheWindowShows();
    void menuOpensOncePerClickAfterSwitches();
};

void TestLanguage::initTestCase()
{
    SKIP_UNLESS_LOCAL_HOST_NAME_IS_LOCAL();
    QVERIFY(loadStyleSheet(*qApp));
}

void TestLanguage::init()
{
    clearWrenpostStores();
    SerialPortList::setSource([] { return QStringList{QStringLiteral("ttyS0")}; });
}

void TestLanguage::cleanup()
{
    SerialPortList::setSource({});
}

void TestLanguage::appliedLive_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("atStartUp");
    QTest::addColumn<QStringList>("texts"); // window title, server title, Open, Open port, receive group, help entry
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("about");
    QTest::addColumn<QString>("link");

    const QStringList source{"雁桥", "雁桥 - TCP服务器", "打开", "打开串口", "接收设置", "特别提示"};
    const QStringList traditional{"雁橋", "雁橋 - TCP伺服器", "開啟", "開啟序列埠", "接收設定", "特別提示"};
    const QStringList english{"Wrenpost", "Wrenpost - TCP server", "Open", "Open port", "Receive", "Tips"};
    const QString sourceLink = "访问官方网站", traditionalLink = "造訪官方網站", englishLink = "Visit the official website";
    QTest::newRow("zh_CN") << "zh_CN" << false << source << "确认重置" << "关于雁桥" << sourceLink;
    QTest::newRow("zh_TW") << "zh_TW" << false << traditional << "確認重設" << "關於雁橋" << traditionalLink;
    QTest::newRow("en_US") << "en_US" << false << english << "Confirm reset" << "About Wrenpost" << englishLink;
    QTest::newRow("zh_TW stored") << "zh_TW" << true << traditional << "確認重設" << "關於雁橋" << traditionalLink;
    QTest::newRow("en_US stored") << "en_US" << true << english << "Confirm reset" << "About Wrenpost" << englishLink;
}

void TestLanguage::appliedLive()
{
    QFETCH(QString, code);
    QFETCH(bool, atStartUp);
    QFETCH(QStringList, texts);
    QFETCH(QString, question);
    QFETCH(QString, about);
    QFETCH(QString, link);

    if (atStartUp)
        wrenpostLanguageStore().setValue(QStringLiteral("language"), code);
    MainWindow w;
    QTest::mouseClick(child<QToolButton>(&w, "TCPserver"), Qt::LeftButton);
    if (!atStartUp) {
        // From another language, so that every row is a real switch.
        menuEntry(w, code == QLatin1String("en_US") ? "twAction" : "enAction")->trigger();
        menuEntry(w, entryFor(code))->trigger();
    }

    QCOMPARE(checkedLanguage(w), QLatin1String(entryFor(code)));
    QCOMPARE(wrenpostLanguageStore().value(QStringLiteral("language")).toString(), code);
    QCOMPARE(w.windowTitle(), texts.at(0));
    QCOMPARE(child<QLabel>(&w, "titlelabel")->text(), texts.at(1));
    QCOMPARE(child<QPushButton>(&w, "Connect")->text(), texts.at(2));
    QCOMPARE(child<QPushButton>(&w, "SerialOpen")->text(), texts.at(3));
    QCOMPARE(child<QGroupBox>(&w, "groupBox_receive")->title(), texts.at(4));
    QCOMPARE(menuEntry(w, "helpMenu")->text(), texts.at(5));

    // The question's text is shown whole under the program's style sheet: a
    // label that does not wrap is as wide as its text, one that wraps is as
    // high as its lines.
    bool whole = false;
    ModalDriver driver;
    driver.then([&whole](QWidget *modal) {
        auto *label = modal->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        whole = label
                && (label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                      : label->sizeHint().width() <= label->width());
        static_cast<QMessageBox *>(modal)->button(QMessageBox::No)->click();
    });
    QTest::mouseClick(child<QPushButton>(&w, "resetButton"), Qt::LeftButton);
    QVERIFY(driver.done());
    QCOMPARE(driver.seen().value(0).title, question);
    QVERIFY(whole);

    QString aboutTitle;
    QString aboutLink;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&aboutTitle, &aboutLink] {
        if (auto *dialog = qobject_cast<AboutDialog *>(QApplication::activeModalWidget())) {
            aboutTitle = dialog->windowTitle();
            aboutLink = dialog->findChild<QLabel *>(QStringLiteral("websiteLabel"))->text();
            dialog->reject();
        }
    });
    poll.start(10);
    menuEntry(w, "aboutAction")->trigger();
    QCOMPARE(aboutTitle, about);
    QVERIFY2(aboutLink.contains(QLatin1Char('>') + link + QLatin1String("</a>")), qPrintable(aboutLink));
}

void TestLanguage::sameLanguageTwiceWritesNothing()
{
    MainWindow w;
    menuEntry(w, "enAction")->trigger();
    QCOMPARE(wrenpostLanguageStore().value(QStringLiteral("language")).toString(), QStringLiteral("en_US"));
    wrenpostLanguageStore().setValue(QStringLiteral("language"), QStringLiteral("marker"));
    QMenu *menu = Access::menu(w);
    child<QLabel>(&w, "titlelabel")->setText(QStringLiteral("untouched"));

    menuEntry(w, "enAction")->trigger();
    QCOMPARE(child<QLabel>(&w, "titlelabel")->text(), QStringLiteral("untouched"));
    QCOMPARE(wrenpostLanguageStore().value(QStringLiteral("language")).toString(), QStringLiteral("marker"));
    QCOMPARE(Access::menu(w), menu);
    QCOMPARE(checkedLanguage(w), QStringLiteral("enAction"));
}

void TestLanguage::fallback_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<bool>("ownCatalogues");

    QTest::newRow("catalogue missing") << "zh_TW" << "Translation file not found:" << true;
    QTest::newRow("not a catalogue") << "en_US" << "Failed to load translation file:" << true;
    QTest::newRow("unknown language") << "fr_FR" << "Translation file not found:" << false;
}

void TestLanguage::fallback()
{
    QFETCH(QString, code);
    QFETCH(QString, warning);
    QFETCH(bool, ownCatalogues);

    MainWindow w;
    menuEntry(w, "enAction")->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Wrenpost"));

    // A bundle whose zh_TW catalogue is missing and whose en_US one is not a catalogue.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString pattern = QStringLiteral(":/translations/lang_%1.qm");
    if (ownCatalogues) {
        QVERIFY(QFile::copy(pattern.arg(QStringLiteral("zh_CN")), dir.filePath(QStringLiteral("lang_zh_CN.qm"))));
        QFile broken(dir.filePath(QStringLiteral("lang_en_US.qm")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("<TS>not compiled</TS>");
        broken.close();
        pattern = dir.filePath(QStringLiteral("lang_%1.qm"));
    }
    Access::setCataloguePattern(w, pattern);
    if (code == QLatin1String("en_US"))
        menuEntry(w, "cnAction")->trigger();

    LogCapture log;
    w.loadLanguage(code);
    const QString line = warning + QStringLiteral(" \"%1\"").arg(pattern.arg(code));
    QCOMPARE(log.messages(QtWarningMsg), QStringList{line});
    QCOMPARE(wrenpostLanguageStore().value(QStringLiteral("language")).toString(), QStringLiteral("zh_CN"));
    QCOMPARE(checkedLanguage(w), QStringLiteral("cnAction"));
    QCOMPARE(w.windowTitle(), QStringLiteral("雁桥"));
    QCOMPARE(child<QPushButton>(&w, "SerialOpen")->text(), QStringLiteral("打开串口"));
}

void TestLanguage::switchKeepsWhatTheWindowShows()
{
    MainWindow w;
    child<QLineEdit>(&w, "period")->setText(QStringLiteral("250"));
    child<QLineEdit>(&w, "LoopSendPeriod")->setText(QStringLiteral("40"));
    w.UpdateMsg(QByteArrayLiteral("abc"));
    w.GetSerialData(QByteArrayLiteral("12345"));
    QTest::mouseClick(child<QToolButton>(&w, "UDPButton"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(&w, "serialButton"), Qt::LeftButton);

    menuEntry(w, "enAction")->trigger();
    QCOMPARE(child<QLineEdit>(&w, "period")->text(), QStringLiteral("250"));
    QCOMPARE(child<QLineEdit>(&w, "LoopSendPeriod")->text(), QStringLiteral("40"));
    QCOMPARE(child<QLabel>(&w, "Recive_cnt")->text(), QStringLiteral("Received: 3"));
    QCOMPARE(child<QLabel>(&w, "Send_cnt")->text(), QStringLiteral("Sent: 0"));
    QCOMPARE(child<QLabel>(&w, "ReciveCountLabel")->text(), QStringLiteral("Received: 5"));
    QCOMPARE(child<QLabel>(&w, "SendCountLabel")->text(), QStringLiteral("Sent: 0"));
    QCOMPARE(child<QLabel>(&w, "titlelabel")->text(), QStringLiteral("Wrenpost - Serial"));
    // The network page still carries the UDP arrangement.
    QCOMPARE(child<QPushButton>(&w, "Connect")->text(), QStringLiteral("Open"));
    QCOMPARE(child<QPushButton>(&w, "Disconnect")->text(), QStringLiteral("Close"));

    menuEntry(w, "twAction")->trigger();
    QCOMPARE(child<QLineEdit>(&w, "period")->text(), QStringLiteral("250"));
    QCOMPARE(child<QLabel>(&w, "Recive_cnt")->text(), QStringLiteral("累計接收：3"));
    QCOMPARE(child<QPushButton>(&w, "Connect")->text(), QStringLiteral("開啟"));
}

void TestLanguage::menuOpensOncePerClickAfterSwitches()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QPointer<QMenu> first = Access::menu(w);
    for (const char *entry : {"enAction", "twAction", "cnAction", "enAction"})
        menuEntry(w, entry)->trigger();
    QTRY_VERIFY(first.isNull());
    QCOMPARE(w.findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);

    QList<QMenu *> opened;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&opened] {
        if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            opened << popup;
            popup->close();
        }
    });
    poll.start(10);
    QTest::mouseClick(child<QPushButton>(&w, "menuButton"), Qt::LeftButton);
    poll.stop();
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first(), Access::menu(w));
    QCOMPARE(opened.first()->actions().value(0)->text(), QStringLiteral("简体中文"));
    QCOMPARE(opened.first()->actions().value(5)->text(), QStringLiteral("About Wrenpost\u200B"));
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
