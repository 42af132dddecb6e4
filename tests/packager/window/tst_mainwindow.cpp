#include "mainwindow.h"
#include "modaldriver.h"
#include "windowlookup.h"
#include "framelessframe.h"
#include "windowshadow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

class MainWindowTestAccess
{
public:
    static bool validateInputs(MainWindow &w) { return w.validateInputs(); }
    static void updateExeList(MainWindow &w, const QString &folder) { w.updateExeList(folder); }
    static QString levelArg(MainWindow &w) { return w.compressionLevelArg(); }
    static QString methodArg(MainWindow &w) { return w.compressionMethodArg(); }
    static QString dictionaryArg(MainWindow &w) { return w.dictionarySizeArg(); }
    static bool dragging(MainWindow &w) { return w.m_frame->isDragging(); }
    static QButtonGroup *tabGroup(MainWindow &w) { return w.m_tabGroup; }
};

namespace {

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write("x");
}

QStringList items(QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

QImage render(const QIcon &icon, QIcon::State state)
{
    return icon.pixmap(QSize(24, 24), QIcon::Normal, state).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void windowProperties();
    void objects_data();
    void objects();
    void gridPlacement_data();
    void gridPlacement();
    void initialState();
    void pageSwitching();
    void pageButtonIcons();

    void closeQuestionNo();
    void closeQuestionYes();
    void systemCloseDoesNotAsk();
    void drag_data();
    void drag();

    void argumentMappings_data();
    void argumentMappings();

    void validateInputs_data();
    void validateInputs();
    void updateExeList_data();
    void updateExeList();

    void folderChooser();
    void folderChooserCancel();
    void outputChooser();
    void mainExeChooser_data();
    void mainExeChooser();
    void mainExeChooserNeedsFolder();
    void iconChooser_data();
    void iconChooser();
};

void tst_MainWindow::init()
{
    store().clear();
}

void tst_MainWindow::windowProperties()
{
    MainWindow w;
    QCOMPARE(w.size(), QSize(613, 536));
    QCOMPARE(w.windowTitle(), QStringLiteral("匣坊"));
    QVERIFY(w.windowFlags().testFlag(Qt::Window));
    QVERIFY(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(w.testAttribute(Qt::WA_TranslucentBackground));

    auto *central = child<QWidget>(w, "centralwidget");
    QVERIFY(central);
    QCOMPARE(w.centralWidget(), central);
    QVERIFY(!central->graphicsEffect());
    const WindowShadow *shadow = nullptr;
    for (QObject *object : central->children())
        shadow = shadow ? shadow : dynamic_cast<WindowShadow *>(object);
    QVERIFY(shadow);
    QCOMPARE(shadow->blurRadius(), 20.0);
    QCOMPARE(shadow->color(), QColor(0, 0, 0, 80));

    // The margin that leaves room for the shadow.
    QCOMPARE(central->layout()->contentsMargins(), QMargins(10, 10, 10, 10));
    auto *header = child<QFrame>(w, "headerFrame");
    auto *menu = child<QFrame>(w, "frameMenu");
    QCOMPARE(header->minimumHeight(), 40);
    QCOMPARE(menu->maximumWidth(), 60);
    QCOMPARE(child<QFrame>(w, "frameMain")->minimumHeight(), 300);
    QCOMPARE(child<QFrame>(w, "frame")->minimumHeight(), 200);
    QCOMPARE(header->layout()->contentsMargins(), QMargins(10, 0, 0, 0));
    QCOMPARE(header->layout()->spacing(), 5);

    auto *grid2 = qobject_cast<QGridLayout *>(child<QFrame>(w, "frame_2")->layout());
    QCOMPARE(grid2->horizontalSpacing(), 10);
    QCOMPARE(grid2->verticalSpacing(), 12);
    auto *grid = qobject_cast<QGridLayout *>(child<QFrame>(w, "frame")->layout());
    QCOMPARE(grid->horizontalSpacing(), 14);
    QCOMPARE(grid->verticalSpacing(), 1);

    auto *title = child<QLabel>(w, "title_label");
    QCOMPARE(title->font().pointSize(), 12);
    QCOMPARE(title->font().weight(), QFont::Normal);

    auto *progress = child<QProgressBar>(w, "progressBar");
    QCOMPARE(progress->minimum(), 0);
    QCOMPARE(progress->maximum(), 100);
    QCOMPARE(progress->value(), 0);
    QVERIFY(progress->isTextVisible());
    QCOMPARE(progress->alignment(), Qt::AlignCenter);
    QCOMPARE(progress->orientation(), Qt::Horizontal);
    QVERIFY(!progress->invertedAppearance());
    QCOMPARE(progress->minimumHeight(), 45);
    QCOMPARE(child<QPushButton>(w, "startButton")->minimumHeight(), 45);
    QCOMPARE(child<QPushButton>(w, "resetButton")->minimumHeight(), 45);
    QCOMPARE(child<QPushButton>(w, "resetButton")->maximumWidth(), 200);
    QCOMPARE(child<QPushButton>(w, "logo")->iconSize(), QSize(26, 26));
    QCOMPARE(child<QToolButton>(w, "basicTabButton")->iconSize(), QSize(24, 24));
    QCOMPARE(child<QToolButton>(w, "advancedTabButton")->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
}

void tst_MainWindow::objects_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("text");

    const auto row = [](const char *name, const char *className, const char *container, const QString &text) {
        QTest::newRow(name) << QString::fromLatin1(className) << QString::fromLatin1(container) << text;
    };
    row("centralwidget", "QWidget", "MainWindow", {});
    row("frameMain", "QFrame", "centralwidget", {});
    row("frameMenu", "QFrame", "frameMain", {});
    row("logo", "QPushButton", "frameMenu", {});
    row("basicTabButton", "QToolButton", "frameMenu", QStringLiteral("基础"));
    row("advancedTabButton", "QToolButton", "frameMenu", QStringLiteral("配置"));
    row("headerFrame", "QFrame", "frameMain", {});
    row("title_label", "QLabel", "headerFrame", QStringLiteral("匣坊"));
    row("menuButton", "QPushButton", "headerFrame", {});
    row("minButton", "QPushButton", "headerFrame", {});
    row("closeButton", "QPushButton", "headerFrame", {});
    row("stackedWidget", "QStackedWidget", "frameMain", {});
    row("basicPage", "QWidget", "stackedWidget", {});
    row("frame_2", "QFrame", "basicPage", {});
    row("folderLabel", "QLabel", "frame_2", QStringLiteral("源文件夹"));
    row("folderLineEdit", "QLineEdit", "frame_2", {});
    row("selectFolderButton", "QPushButton", "frame_2", QStringLiteral("选择"));
    row("outputLabel", "QLabel", "frame_2", QStringLiteral("输出位置"));
    row("outputLineEdit", "QLineEdit", "frame_2", {});
    row("outputButton", "QPushButton", "frame_2", QStringLiteral("选择"));
    row("label_4", "QLabel", "frame_2", QStringLiteral("主程序"));
    row("mainExeComboBox", "QComboBox", "frame_2", {});
    row("mainExeButton", "QPushButton", "frame_2", QStringLiteral("选择"));
    row("startButton", "QPushButton", "basicPage", QStringLiteral("开始制作"));
    row("logTextEdit", "QTextEdit", "basicPage", {});
    row("progressBar", "QProgressBar", "basicPage", {});
    row("advancedPage", "QWidget", "stackedWidget", {});
    row("frame", "QFrame", "advancedPage", {});
    row("iconLabel", "QLabel", "frame", QStringLiteral("程序图标"));
    row("iconLineEdit", "QLineEdit", "frame", {});
    row("iconButton", "QPushButton", "frame", QStringLiteral("选择"));
    row("label", "QLabel", "frame", QStringLiteral("压缩级别"));
    row("cmbCompression", "QComboBox", "frame", QStringLiteral("存储|最快|快速|标准|最大|极限"));
    row("label_2", "QLabel", "frame", QStringLiteral("压缩方法"));
    row("cmbMethod", "QComboBox", "frame", QStringLiteral("LZMA|LZMA2"));
    row("label_3", "QLabel", "frame", QStringLiteral("字典大小"));
    row("cmbDictSize", "QComboBox", "frame", QStringLiteral("64 KB|1 MB|16 MB|32 MB|64 MB"));
    row("frame_3", "QFrame", "advancedPage", {});
    row("chkCleanup", "QCheckBox", "frame_3", QStringLiteral("完成后清理临时文件"));
    row("chkTemp", "QCheckBox", "frame_3", QStringLiteral("解压到临时目录"));
    row("chkAdmin", "QCheckBox", "frame_3", QStringLiteral("以管理员权限运行"));
    row("chkEncrypt", "QCheckBox", "frame_3", QStringLiteral("加密文件内容"));
    row("resetButton", "QPushButton", "advancedPage", QStringLiteral("一键重置"));
}

void tst_MainWindow::objects()
{
    QFETCH(QString, className);
    QFETCH(QString, container);
    QFETCH(QString, text);

    MainWindow w;
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QList<QWidget *> found = w.findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QWidget *widget = found.first();
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QVERIFY(widget->isEnabled());

    bool inside = false;
    for (QWidget *p = widget->parentWidget(); p && !inside; p = p->parentWidget())
        inside = p->objectName() == container;
    QVERIFY2(inside, qPrintable(name + " is not inside " + container));

    QString actual;
    if (auto *label = qobject_cast<QLabel *>(widget))
        actual = label->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        actual = button->text();
    else if (auto *edit = qobject_cast<QLineEdit *>(widget))
        actual = edit->text();
    else if (auto *textEdit = qobject_cast<QTextEdit *>(widget))
        actual = textEdit->toPlainText();
    else if (auto *combo = qobject_cast<QComboBox *>(widget))
        actual = items(combo).join(QLatin1Char('|'));
    QCOMPARE(actual, text);
}

void tst_MainWindow::gridPlacement_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("columnSpan");

    QTest::newRow("folderLabel") << "frame_2" << 0 << 0 << 1;
    QTest::newRow("folderLineEdit") << "frame_2" << 0 << 1 << 1;
    QTest::newRow("selectFolderButton") << "frame_2" << 0 << 2 << 1;
    QTest::newRow("outputLabel") << "frame_2" << 1 << 0 << 1;
    QTest::newRow("outputLineEdit") << "frame_2" << 1 << 1 << 1;
    QTest::newRow("outputButton") << "frame_2" << 1 << 2 << 1;
    QTest::newRow("label_4") << "frame_2" << 2 << 0 << 1;
    QTest::newRow("mainExeComboBox") << "frame_2" << 2 << 1 << 1;
    QTest::newRow("mainExeButton") << "frame_2" << 2 << 2 << 1;
    QTest::newRow("iconLabel") << "frame" << 0 << 0 << 1;
    QTest::newRow("iconLineEdit") << "frame" << 0 << 1 << 1;
    QTest::newRow("iconButton") << "frame" << 0 << 2 << 1;
    QTest::newRow("label") << "frame" << 2 << 0 << 1;
    QTest::newRow("cmbCompression") << "frame" << 2 << 1 << 2;
    QTest::newRow("label_2") << "frame" << 4 << 0 << 1;
    QTest::newRow("cmbMethod") << "frame" << 4 << 1 << 2;
    QTest::newRow("label_3") << "frame" << 5 << 0 << 1;
    QTest::newRow("cmbDictSize") << "frame" << 5 << 1 << 2;
    QTest::newRow("chkCleanup") << "frame_3" << 2 << 0 << 1;
    QTest::newRow("chkTemp") << "frame_3" << 3 << 0 << 1;
    QTest::newRow("chkAdmin") << "frame_3" << 4 << 0 << 1;
    QTest::newRow("chkEncrypt") << "frame_3" << 5 << 0 << 1;
}

void tst_MainWindow::gridPlacement()
{
    QFETCH(QString, frame);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, columnSpan);

    MainWindow w;
    auto *grid = qobject_cast<QGridLayout *>(w.findChild<QFrame *>(frame)->layout());
    QVERIFY(grid);
    QWidget *widget = w.findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget);
    const int index = grid->indexOf(widget);
    QVERIFY(index >= 0);
    int r = -1, c = -1, rs = -1, cs = -1;
    grid->getItemPosition(index, &r, &c, &rs, &cs);
    QCOMPARE(r, row);
    QCOMPARE(c, column);
    QCOMPARE(rs, 1);
    QCOMPARE(cs, columnSpan);
}

void tst_MainWindow::initialState()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    auto *stack = child<QStackedWidget>(w, "stackedWidget");
    QCOMPARE(stack->currentIndex(), 0);
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("basicPage"));
    QVERIFY(child<QToolButton>(w, "basicTabButton")->isChecked());
    QVERIFY(!child<QToolButton>(w, "advancedTabButton")->isChecked());

    QVERIFY(child<QLineEdit>(w, "folderLineEdit")->text().isEmpty());
    QVERIFY(child<QLineEdit>(w, "outputLineEdit")->text().isEmpty());
    QVERIFY(child<QLineEdit>(w, "iconLineEdit")->text().isEmpty());
    QCOMPARE(child<QComboBox>(w, "mainExeComboBox")->count(), 0);
    QVERIFY(child<QTextEdit>(w, "logTextEdit")->isReadOnly());
    QVERIFY(child<QTextEdit>(w, "logTextEdit")->toPlainText().isEmpty());
    QCOMPARE(child<QProgressBar>(w, "progressBar")->value(), 0);

    QCOMPARE(child<QComboBox>(w, "cmbCompression")->currentText(), QStringLiteral("标准"));
    QCOMPARE(child<QComboBox>(w, "cmbMethod")->currentText(), QStringLiteral("LZMA"));
    QCOMPARE(child<QComboBox>(w, "cmbDictSize")->currentText(), QStringLiteral("16 MB"));
    QVERIFY(child<QCheckBox>(w, "chkCleanup")->isChecked());
    QVERIFY(child<QCheckBox>(w, "chkTemp")->isChecked());
    QVERIFY(!child<QCheckBox>(w, "chkAdmin")->isChecked());
    QVERIFY(!child<QCheckBox>(w, "chkEncrypt")->isChecked());

    const QList<QWidget *> all = w.findChildren<QWidget *>();
    for (QWidget *widget : all)
        QVERIFY2(widget->isEnabled(), qPrintable(widget->objectName()));
}

void tst_MainWindow::pageSwitching()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *stack = child<QStackedWidget>(w, "stackedWidget");
    auto *basic = child<QToolButton>(w, "basicTabButton");
    auto *advanced = child<QToolButton>(w, "advancedTabButton");

    QButtonGroup *group = MainWindowTestAccess::tabGroup(w);
    QVERIFY(group->exclusive());
    QCOMPARE(group->id(basic), 0);
    QCOMPARE(group->id(advanced), 1);

    QTest::mouseClick(advanced, Qt::LeftButton);
    QCOMPARE(stack->currentIndex(), 1);
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("advancedPage"));
    QVERIFY(advanced->isChecked());
    QVERIFY(!basic->isChecked());

    // Clicking the checked button again keeps it checked and the page shown.
    QTest::mouseClick(advanced, Qt::LeftButton);
    QCOMPARE(stack->currentIndex(), 1);
    QVERIFY(advanced->isChecked());

    QTest::mouseClick(basic, Qt::LeftButton);
    QCOMPARE(stack->currentIndex(), 0);
    QVERIFY(basic->isChecked());
    QVERIFY(!advanced->isChecked());
}

void tst_MainWindow::pageButtonIcons()
{
    MainWindow w;
    struct Expected { const char *button; const char *off; const char *on; };
    const Expected expected[] = {
        {"basicTabButton", ":/icons/foundation.svg", ":/icons/foundation-hover.svg"},
        {"advancedTabButton", ":/icons/senior.svg", ":/icons/senior-hover.svg"},
    };
    for (const Expected &e : expected) {
        const QIcon icon = child<QToolButton>(w, e.button)->icon();
        const QImage off = render(QIcon(QString::fromLatin1(e.off)), QIcon::Off);
        const QImage on = render(QIcon(QString::fromLatin1(e.on)), QIcon::Off);
        QVERIFY2(!off.isNull() && !on.isNull(), "page button artwork missing from the bundle");
        QVERIFY2(off != on, "checked and unchecked artwork are identical");
        QCOMPARE(render(icon, QIcon::Off), off);
        QCOMPARE(render(icon, QIcon::On), on);
    }
}

void tst_MainWindow::closeQuestionNo()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ModalDriver driver;
    driver.press(QMessageBox::No);
    child<QPushButton>(w, "closeButton")->click();

    QVERIFY(driver.done());
    QCOMPARE(driver.seen().size(), 1);
    const ModalDriver::Seen &box = driver.seen().first();
    QCOMPARE(box.title, QStringLiteral("确认退出"));
    QCOMPARE(box.text, QStringLiteral("确定要退出 匣坊 吗？"));
    QCOMPARE(box.icon, QMessageBox::Question);
    QCOMPARE(box.buttons.size(), 2);
    QVERIFY(box.buttons.contains(QMessageBox::Yes));
    QVERIFY(box.buttons.contains(QMessageBox::No));
    QVERIFY(box.hadParent);
    QVERIFY(w.isVisible());
}

void tst_MainWindow::closeQuestionYes()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ModalDriver driver;
    driver.press(QMessageBox::Yes);

    // quit() ends a running event loop, so run the application's own loop.
    QTimer::singleShot(0, child<QPushButton>(w, "closeButton"), &QPushButton::click);
    QTimer::singleShot(20000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(driver.seen().size(), 1);
    QCOMPARE(driver.seen().first().title, QStringLiteral("确认退出"));
}

void tst_MainWindow::systemCloseDoesNotAsk()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ModalDriver driver;
    driver.press(QMessageBox::No);
    QVERIFY(w.close());
    QTest::qWait(50);
    QVERIFY(driver.seen().isEmpty());
    QVERIFY(!w.isVisible());
}

void tst_MainWindow::drag_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QPoint>("offset"); // from the target's centre
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("moves");

    QTest::newRow("title label") << "title_label" << QPoint() << int(Qt::LeftButton) << true;
    QTest::newRow("empty title bar") << "headerFrame" << QPoint(-40, 0) << int(Qt::LeftButton) << true;
    QTest::newRow("title bar bottom edge") << "headerFrame" << QPoint(-40, 18) << int(Qt::LeftButton) << true;
    QTest::newRow("navigation column") << "frameMenu" << QPoint(0, 200) << int(Qt::LeftButton) << true;
    QTest::newRow("right button") << "title_label" << QPoint() << int(Qt::RightButton) << false;
    QTest::newRow("minimise button") << "minButton" << QPoint() << int(Qt::LeftButton) << false;
    QTest::newRow("page") << "folderLabel" << QPoint() << int(Qt::LeftButton) << false;
    QTest::newRow("shadow margin") << "centralwidget" << QPoint(-304, -266) << int(Qt::LeftButton) << false;
}

void tst_MainWindow::drag()
{
    QFETCH(QString, target);
    QFETCH(QPoint, offset);
    QFETCH(int, button);
    QFETCH(bool, moves);

    MainWindow w;
    w.move(100, 100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QWidget *widget = w.findChild<QWidget *>(target);
    QVERIFY(widget);

    const QPoint local = widget->rect().center() + offset;
    QVERIFY(widget->rect().contains(local));
    const auto mouseButton = Qt::MouseButton(button);
    const QPoint start = w.pos();

    QTest::mousePress(widget, mouseButton, {}, local);
    QCOMPARE(MainWindowTestAccess::dragging(w), moves);

    const QPoint delta(37, 23);
    const QPoint globalFrom = widget->mapToGlobal(local);
    QMouseEvent move(QEvent::MouseMove, QPointF(local + delta), QPointF(globalFrom + delta),
                     Qt::NoButton, mouseButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QCOMPARE(w.pos(), moves ? start + delta : start);

    QTest::mouseRelease(widget, mouseButton, {}, widget->mapFromGlobal(globalFrom + delta));
    QVERIFY(!MainWindowTestAccess::dragging(w));
}

void tst_MainWindow::argumentMappings_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("dictionary");
    QTest::addColumn<QString>("levelArg");
    QTest::addColumn<QString>("methodArg");
    QTest::addColumn<QString>("dictionaryArg");

    QTest::newRow("store, LZMA, 64 KB") << 0 << 0 << 0 << "0" << "LZMA" << "64K";
    QTest::newRow("fastest, LZMA2, 1 MB") << 1 << 1 << 1 << "1" << "LZMA2" << "1M";
    QTest::newRow("fast, 16 MB") << 2 << 0 << 2 << "3" << "LZMA" << "16M";
    QTest::newRow("normal, 32 MB") << 3 << 1 << 3 << "5" << "LZMA2" << "32M";
    QTest::newRow("maximum, 64 MB") << 4 << 0 << 4 << "7" << "LZMA" << "64M";
    QTest::newRow("ultra") << 5 << 1 << 2 << "9" << "LZMA2" << "16M";
    QTest::newRow("no selection") << -1 << -1 << -1 << "5" << "LZMA" << "16M";
    QTest::newRow("out of range") << 9 << 2 << 5 << "5" << "LZMA" << "16M";
}

void tst_MainWindow::argumentMappings()
{
    QFETCH(int, level);
    QFETCH(int, method);
    QFETCH(int, dictionary);
    QFETCH(QString, levelArg);
    QFETCH(QString, methodArg);
    QFETCH(QString, dictionaryArg);

    MainWindow w;
    // An index outside a list leaves it without a current item, as a stored
    // index that no longer fits does.
    child<QComboBox>(w, "cmbCompression")->setCurrentIndex(level);
    child<QComboBox>(w, "cmbMethod")->setCurrentIndex(method);
    child<QComboBox>(w, "cmbDictSize")->setCurrentIndex(dictionary);
    QCOMPARE(MainWindowTestAccess::levelArg(w), levelArg);
    QCOMPARE(MainWindowTestAccess::methodArg(w), methodArg);
    QCOMPARE(MainWindowTestAccess::dictionaryArg(w), dictionaryArg);
}

void tst_MainWindow::validateInputs_data()
{
    QTest::addColumn<QString>("folder");  // "" empty, "dir" an existing folder
    QTest::addColumn<QString>("exe");     // list text; "app.exe" exists in "dir", "sub.exe" only in dir/sub
    QTest::addColumn<QString>("output");  // "" empty, "dir", "file", "missing", "tmp" (outside "dir")
    QTest::addColumn<QString>("message"); // "" means the check passes

    const QString noFolder = QStringLiteral("请选择源文件夹！");
    const QString noExe = QStringLiteral("请选择主程序！");
    const QString exeMissing = QStringLiteral("选择的主程序不存在于源文件夹中！\n请重新选择主程序。");
    const QString notDir = QStringLiteral("输出路径必须是一个目录（例如 C:/Output）！");

    QTest::newRow("all valid") << "dir" << "app.exe" << "tmp" << "";
    QTest::newRow("everything missing") << "" << "" << "" << noFolder;
    QTest::newRow("folder empty, rest valid") << "" << "app.exe" << "dir" << noFolder;
    QTest::newRow("no main program") << "dir" << "" << "" << noExe;
    QTest::newRow("main program not in folder") << "dir" << "gone.exe" << "" << exeMissing;
    QTest::newRow("main program only in subfolder") << "dir" << "sub.exe" << "dir" << exeMissing;
    QTest::newRow("output empty") << "dir" << "app.exe" << "" << notDir;
    QTest::newRow("output is a file") << "dir" << "app.exe" << "file" << notDir;
    QTest::newRow("output missing") << "dir" << "app.exe" << "missing" << notDir;
}

void tst_MainWindow::validateInputs()
{
    QFETCH(QString, folder);
    QFETCH(QString, exe);
    QFETCH(QString, output);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sub")));
    touch(dir.filePath(QStringLiteral("app.exe")));
    touch(dir.filePath(QStringLiteral("sub/sub.exe")));
    touch(dir.filePath(QStringLiteral("plain.txt")));

    const auto path = [&](const QString &kind) {
        if (kind == QLatin1String("dir"))
            return dir.path();
        if (kind == QLatin1String("file"))
            return dir.filePath(QStringLiteral("plain.txt"));
        if (kind == QLatin1String("tmp"))
            return QDir::tempPath();
        if (kind == QLatin1String("missing"))
            return dir.filePath(QStringLiteral("nowhere"));
        return QString();
    };

    MainWindow w;
    child<QLineEdit>(w, "folderLineEdit")->setText(path(folder));
    if (!exe.isEmpty())
        child<QComboBox>(w, "mainExeComboBox")->addItem(exe);
    child<QLineEdit>(w, "outputLineEdit")->setText(path(output));

    ModalDriver driver;
    driver.press(QMessageBox::Ok);
    const bool ok = MainWindowTestAccess::validateInputs(w);
    QCOMPARE(ok, message.isEmpty());
    if (message.isEmpty()) {
        QVERIFY(driver.seen().isEmpty());
        return;
    }
    QCOMPARE(driver.seen().size(), 1);
    const ModalDriver::Seen &box = driver.seen().first();
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.title, QStringLiteral("警告"));
    QCOMPARE(box.text, message);
    QVERIFY(box.hadParent);
}

void tst_MainWindow::updateExeList_data()
{
    QTest::addColumn<QStringList>("files");   // relative paths created in the folder
    QTest::addColumn<QString>("lastExe");     // stored "lastExe"
    QTest::addColumn<QString>("previous");    // the list's current text before the refill
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("current");

    const QStringList mixed{"b.exe", "a.exe", "c.exe", "notes.txt", "sub/inner.exe", ".hidden.exe", "dir.exe/"};
    const QStringList sorted{"a.exe", "b.exe", "c.exe"};

    QTest::newRow("first item by default") << mixed << "" << "" << sorted << "a.exe";
    QTest::newRow("stored name wins") << mixed << "c.exe" << "b.exe" << sorted << "c.exe";
    QTest::newRow("previous text kept") << mixed << "" << "b.exe" << sorted << "b.exe";
    QTest::newRow("stored name absent, previous kept") << mixed << "zzz.exe" << "c.exe" << sorted << "c.exe";
    QTest::newRow("neither present") << mixed << "zzz.exe" << "yyy.exe" << sorted << "a.exe";
    QTest::newRow("match is case-sensitive") << mixed << "C.exe" << "" << sorted << "a.exe";
    QTest::newRow("no executables") << QStringList{"readme.txt", "sub/inner.exe"} << "inner.exe" << "x.exe"
                                    << QStringList{} << "";
}

void tst_MainWindow::updateExeList()
{
    QFETCH(QStringList, files);
    QFETCH(QString, lastExe);
    QFETCH(QString, previous);
    QFETCH(QStringList, expected);
    QFETCH(QString, current);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &file : files) {
        if (file.endsWith(QLatin1Char('/'))) {
            QVERIFY(QDir(dir.path()).mkpath(file));
            continue;
        }
        QVERIFY(QDir(dir.path()).mkpath(QFileInfo(file).path()));
        touch(dir.filePath(file));
    }
    if (!lastExe.isEmpty())
        store().setValue(QStringLiteral("lastExe"), lastExe);

    MainWindow w;
    auto *list = child<QComboBox>(w, "mainExeComboBox");
    list->clear();
    if (!previous.isEmpty()) {
        list->addItem(QStringLiteral("other.exe"));
        list->addItem(previous);
        list->setCurrentIndex(1);
    }
    MainWindowTestAccess::updateExeList(w, dir.path());
    QCOMPARE(items(list), expected);
    QCOMPARE(list->currentText(), current);
}

void tst_MainWindow::folderChooser()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("src")));
    const QString folder = dir.filePath(QStringLiteral("src"));
    touch(folder + QStringLiteral("/tool.exe"));
    touch(folder + QStringLiteral("/main.exe"));
    store().setValue(QStringLiteral("lastExe"), QStringLiteral("main.exe"));

    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ModalDriver driver;
    driver.choose(folder);
    child<QPushButton>(w, "selectFolderButton")->click();

    QVERIFY(driver.done());
    const ModalDriver::Seen &seen = driver.seen().first();
    QCOMPARE(seen.title, QStringLiteral("选择源文件夹"));
    QVERIFY(seen.hadParent);
    QVERIFY(seen.options.testFlag(QFileDialog::ShowDirsOnly));
    QCOMPARE(child<QLineEdit>(w, "folderLineEdit")->text(), folder);
    QCOMPARE(items(child<QComboBox>(w, "mainExeComboBox")), (QStringList{"main.exe", "tool.exe"}));
    QCOMPARE(child<QComboBox>(w, "mainExeComboBox")->currentText(), QStringLiteral("main.exe"));
    QCOMPARE(store().value(QStringLiteral("folderPath")).toString(), folder);
}

void tst_MainWindow::folderChooserCancel()
{
    MainWindow w;
    auto *folderEdit = child<QLineEdit>(w, "folderLineEdit");
    folderEdit->setText(QStringLiteral("/kept"));
    child<QComboBox>(w, "mainExeComboBox")->addItem(QStringLiteral("kept.exe"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ModalDriver driver;
    driver.cancel();
    child<QPushButton>(w, "selectFolderButton")->click();
    QVERIFY(driver.done());
    QCOMPARE(folderEdit->text(), QStringLiteral("/kept"));
    QCOMPARE(items(child<QComboBox>(w, "mainExeComboBox")), QStringList{"kept.exe"});
    QVERIFY(!store().contains(QStringLiteral("folderPath")));
}

void tst_MainWindow::outputChooser()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    QVERIFY(QDir().mkpath(desktop));
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("first")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("second")));
    const QString first = dir.filePath(QStringLiteral("first"));
    const QString second = dir.filePath(QStringLiteral("second"));

    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *outputEdit = child<QLineEdit>(w, "outputLineEdit");
    ModalDriver driver;
    driver.choose(first).choose(second).cancel();

    auto *button = child<QPushButton>(w, "outputButton");
    button->click();
    QCOMPARE(outputEdit->text(), first);
    button->click();
    QCOMPARE(outputEdit->text(), second);
    button->click();
    QCOMPARE(outputEdit->text(), second);
    QVERIFY(driver.done());

    const QList<ModalDriver::Seen> &seen = driver.seen();
    QCOMPARE(seen.size(), 3);
    QCOMPARE(seen[0].title, QStringLiteral("选择输出目录"));
    QCOMPARE(seen[0].directory, QDir(desktop).absolutePath());
    QCOMPARE(seen[1].directory, first);
    QCOMPARE(seen[2].directory, second);
    QVERIFY(seen[0].options.testFlag(QFileDialog::ShowDirsOnly));
    QVERIFY(seen[0].options.testFlag(QFileDialog::DontResolveSymlinks));
}

void tst_MainWindow::mainExeChooser_data()
{
    QTest::addColumn<QStringList>("picks");   // paths relative to the temporary root; "" cancels
    QTest::addColumn<QString>("warning");     // text of the warning after the last pick, if any
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("storedLastExe");

    const QString outside = QStringLiteral("选择的主程序必须在源文件夹内！");
    QTest::newRow("file in folder") << QStringList{"App/main.exe"} << "" << QStringList{"main.exe", "tool.exe"}
                                    << "main.exe" << "main.exe";
    QTest::newRow("same file twice") << QStringList{"App/tool.exe", "App/tool.exe"} << ""
                                     << QStringList{"main.exe", "tool.exe"} << "tool.exe" << "tool.exe";
    QTest::newRow("file in subfolder") << QStringList{"App/sub/inner.exe"} << ""
                                       << QStringList{"main.exe", "tool.exe", "inner.exe"} << "inner.exe"
                                       << "inner.exe";
    QTest::newRow("sibling folder sharing the prefix") << QStringList{"App2/other.exe"} << ""
                                                       << QStringList{"main.exe", "tool.exe", "other.exe"}
                                                       << "other.exe" << "other.exe";
    QTest::newRow("outside the folder") << QStringList{"Elsewhere/x.exe"} << outside
                                        << QStringList{"main.exe", "tool.exe"} << "main.exe" << "";
#ifndef Q_OS_WIN
    QTest::newRow("not a program") << QStringList{"App/notes.txt"}
                                   << "“notes.txt”不是可执行程序。\n主程序须是 .exe 文件，或带有执行权限的 ELF 程序或以 #! 开头的脚本。"
                                   << QStringList{"main.exe", "tool.exe"} << "main.exe" << "";
#endif
    QTest::newRow("cancel") << QStringList{""} << "" << QStringList{"main.exe", "tool.exe"} << "main.exe" << "";
}

void tst_MainWindow::mainExeChooser()
{
    QFETCH(QStringList, picks);
    QFETCH(QString, warning);
    QFETCH(QStringList, expected);
    QFETCH(QString, current);
    QFETCH(QString, storedLastExe);

    QTemporaryDir root;
    QDir base(root.path());
    for (const char *file : {"App/main.exe", "App/tool.exe", "App/notes.txt", "App/sub/inner.exe", "App2/other.exe", "Elsewhere/x.exe"}) {
        const QString relative = QString::fromLatin1(file);
        QVERIFY(base.mkpath(QFileInfo(relative).path()));
        touch(base.filePath(relative));
    }
    const QString folder = base.filePath(QStringLiteral("App"));

    MainWindow w;
    child<QLineEdit>(w, "folderLineEdit")->setText(folder);
    MainWindowTestAccess::updateExeList(w, folder);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    ModalDriver driver;
    for (const QString &pick : picks) {
        if (pick.isEmpty())
            driver.cancel();
        else
            driver.choose(base.filePath(pick));
    }
    if (!warning.isEmpty())
        driver.press(QMessageBox::Ok);
    for (int i = 0; i < picks.size(); ++i)
        child<QPushButton>(w, "mainExeButton")->click();
    QVERIFY(driver.done());

    const ModalDriver::Seen &dialog = driver.seen().first();
    QCOMPARE(dialog.title, QStringLiteral("选择主程序"));
    QCOMPARE(dialog.directory, folder);
#ifdef Q_OS_WIN
    QCOMPARE(dialog.nameFilters, QStringList{QStringLiteral("可执行文件 (*.exe)")});
#else
    QCOMPARE(dialog.nameFilters.size(), 1); // every file
    QVERIFY2(dialog.nameFilters.first().endsWith(QLatin1String("(*)")), qPrintable(dialog.nameFilters.first()));
#endif
    if (!warning.isEmpty()) {
        const ModalDriver::Seen &box = driver.seen().last();
        QCOMPARE(box.title, QStringLiteral("警告"));
        QCOMPARE(box.text, warning);
    }
    auto *list = child<QComboBox>(w, "mainExeComboBox");
    QCOMPARE(items(list), expected);
    QCOMPARE(list->currentText(), current);
    QCOMPARE(store().value(QStringLiteral("lastExe")).toString(), storedLastExe);

    // A pick from a subfolder names a file the folder itself does not hold,
    // so the check before a run turns it down.
    if (current == QLatin1String("inner.exe")) {
        child<QLineEdit>(w, "outputLineEdit")->setText(root.path());
        ModalDriver check;
        check.press(QMessageBox::Ok);
        QVERIFY(!MainWindowTestAccess::validateInputs(w));
        QCOMPARE(check.seen().first().text,
                 QStringLiteral("选择的主程序不存在于源文件夹中！\n请重新选择主程序。"));
    }
}

void tst_MainWindow::mainExeChooserNeedsFolder()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ModalDriver driver;
    driver.press(QMessageBox::Ok);
    child<QPushButton>(w, "mainExeButton")->click();
    QVERIFY(driver.done());
    QCOMPARE(driver.seen().size(), 1);
    QCOMPARE(driver.seen().first().className, QStringLiteral("QMessageBox"));
    QCOMPARE(driver.seen().first().title, QStringLiteral("警告"));
    QCOMPARE(driver.seen().first().text, QStringLiteral("请先选择源文件夹！"));
    QCOMPARE(child<QComboBox>(w, "mainExeComboBox")->count(), 0);
}

void tst_MainWindow::iconChooser_data()
{
    QTest::addColumn<QString>("kind"); // "valid", "broken" or "cancel"
    QTest::addColumn<bool>("accepted");

    QTest::newRow("readable icon") << "valid" << true;
    QTest::newRow("undecodable icon") << "broken" << false;
    QTest::newRow("cancel") << "cancel" << false;
}

void tst_MainWindow::iconChooser()
{
    QFETCH(QString, kind);
    QFETCH(bool, accepted);

    QTemporaryDir dir;
    const QString valid = dir.filePath(QStringLiteral("app.ico"));
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(QColor(0, 182, 136));
    QVERIFY(image.save(valid, "ICO"));
    const QString broken = dir.filePath(QStringLiteral("broken.ico"));
    {
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not an icon at all");
    }

    MainWindow w;
    auto *iconEdit = child<QLineEdit>(w, "iconLineEdit");
    iconEdit->setText(QStringLiteral("/old/icon.ico"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    ModalDriver driver;
    if (kind == QLatin1String("cancel")) {
        driver.cancel();
    } else {
        driver.choose(kind == QLatin1String("valid") ? valid : broken);
        if (kind == QLatin1String("broken"))
            driver.press(QMessageBox::Ok);
    }
    child<QPushButton>(w, "iconButton")->click();
    QVERIFY(driver.done());

    QCOMPARE(driver.seen().first().title, QStringLiteral("选择图标文件"));
    QCOMPARE(driver.seen().first().nameFilters, QStringList{QStringLiteral("图标文件 (*.ico *.png *.svg *.jpg *.jpeg)")});
    QCOMPARE(iconEdit->text(), accepted ? valid : QStringLiteral("/old/icon.ico"));
    if (kind == QLatin1String("broken")) {
        QCOMPARE(driver.seen().size(), 2);
        QCOMPARE(driver.seen().last().title, QStringLiteral("错误"));
        QCOMPARE(driver.seen().last().text, QStringLiteral("无法加载图标文件！"));
        QCOMPARE(driver.seen().last().icon, QMessageBox::Warning);
    }
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
