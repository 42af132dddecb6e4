#include "logcapture.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "windowlookup.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

// The compiled catalogues' resource, unregistered to stand for a bundle
// without them.
int qInitResources_crateforge_catalogues();
int qCleanupResources_crateforge_catalogues();

class MainWindowTestAccess
{
public:
    static QMenu *menu(MainWindow &w) { return w.m_menu; }
    static QString language(MainWindow &w) { return w.m_currentLanguage; }
};

namespace {

QStringList items(QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

QAction *languageAction(MainWindow &w, const QString &code)
{
    const QList<QAction *> actions = MainWindowTestAccess::menu(w)->actions();
    for (QAction *action : actions) {
        if (action->data().toString() == code)
            return action;
    }
    return nullptr;
}

QString checkedLanguage(MainWindow &w)
{
    QString checked;
    const QList<QAction *> actions = MainWindowTestAccess::menu(w)->actions();
    for (QAction *action : actions) {
        if (action->isChecked())
            checked += action->data().toString();
    }
    return checked;
}

// What a first start with an empty store shows.
void verifyDefaults(MainWindow &w)
{
    QVERIFY(child<QLineEdit>(w, "folderLineEdit")->text().isEmpty());
    QVERIFY(child<QLineEdit>(w, "outputLineEdit")->text().isEmpty());
    QVERIFY(child<QLineEdit>(w, "iconLineEdit")->text().isEmpty());
    QCOMPARE(child<QComboBox>(w, "mainExeComboBox")->count(), 0);
    QCOMPARE(child<QComboBox>(w, "cmbCompression")->currentIndex(), 3);
    QCOMPARE(child<QComboBox>(w, "cmbMethod")->currentIndex(), 0);
    QCOMPARE(child<QComboBox>(w, "cmbDictSize")->currentIndex(), 2);
    QVERIFY(child<QCheckBox>(w, "chkCleanup")->isChecked());
    QVERIFY(child<QCheckBox>(w, "chkTemp")->isChecked());
    QVERIFY(!child<QCheckBox>(w, "chkAdmin")->isChecked());
    QVERIFY(!child<QCheckBox>(w, "chkEncrypt")->isChecked());
}

} // namespace

class tst_WindowSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void emptyStore();
    void roundTrip();
    void lastExe_data();
    void lastExe();
    void storedCompression_data();
    void storedCompression();
    void reset_data();
    void reset();
    void languages_data();
    void languages();
    void sameLanguageWritesNothing();
    void missingCatalogueFallsBack();
    void oneClickOneMenu();
};

void tst_WindowSettings::init()
{
    store().clear();
}

void tst_WindowSettings::emptyStore()
{
    MainWindow w;
    verifyDefaults(w);
    QCOMPARE(checkedLanguage(w), QStringLiteral("zh_CN"));
}

void tst_WindowSettings::roundTrip()
{
    QTemporaryDir dir;
    touch(dir.filePath(QStringLiteral("a.exe")));
    touch(dir.filePath(QStringLiteral("b.exe")));
    const QString output = dir.filePath(QStringLiteral("out"));
    {
        MainWindow w;
        child<QLineEdit>(w, "folderLineEdit")->setText(dir.path());
        child<QComboBox>(w, "mainExeComboBox")->addItems({QStringLiteral("a.exe"), QStringLiteral("b.exe")});
        child<QComboBox>(w, "mainExeComboBox")->setCurrentIndex(1);
        child<QLineEdit>(w, "outputLineEdit")->setText(output);
        child<QLineEdit>(w, "iconLineEdit")->setText(QStringLiteral("/icons/app.ico"));
        child<QComboBox>(w, "cmbCompression")->setCurrentIndex(5);
        child<QComboBox>(w, "cmbMethod")->setCurrentIndex(1);
        child<QComboBox>(w, "cmbDictSize")->setCurrentIndex(4);
        child<QCheckBox>(w, "chkCleanup")->setChecked(false);
        child<QCheckBox>(w, "chkTemp")->setChecked(false);
        child<QCheckBox>(w, "chkAdmin")->setChecked(true);
        child<QCheckBox>(w, "chkEncrypt")->setChecked(true);
    }
    QSettings settings = store();
    const QList<QPair<QString, QVariant>> stored{
        {"folderPath", dir.path()}, {"outputPath", output}, {"iconPath", "/icons/app.ico"}, {"lastExe", "b.exe"},
        {"compressionLevel", "ultra"}, {"compressionMethod", "LZMA2"}, {"dictionarySize", "64M"}, {"cleanupEnabled", false},
        {"encryptContent", true}, {"adminRequired", true}, {"tempExtraction", false}, {"language", "zh_CN"}};
    for (const auto &[key, value] : stored)
        QVERIFY2(settings.value(key).toString() == value.toString(), qPrintable(key));

    MainWindow again;
    QCOMPARE(child<QLineEdit>(again, "folderLineEdit")->text(), dir.path());
    QCOMPARE(items(child<QComboBox>(again, "mainExeComboBox")), (QStringList{"a.exe", "b.exe"}));
    QCOMPARE(child<QComboBox>(again, "mainExeComboBox")->currentText(), QStringLiteral("b.exe"));
    QCOMPARE(child<QLineEdit>(again, "outputLineEdit")->text(), output);
    QCOMPARE(child<QLineEdit>(again, "iconLineEdit")->text(), QStringLiteral("/icons/app.ico"));
    QCOMPARE(child<QComboBox>(again, "cmbCompression")->currentIndex(), 5);
    QCOMPARE(child<QComboBox>(again, "cmbMethod")->currentIndex(), 1);
    QCOMPARE(child<QComboBox>(again, "cmbDictSize")->currentIndex(), 4);
    QVERIFY(!child<QCheckBox>(again, "chkCleanup")->isChecked());
    QVERIFY(!child<QCheckBox>(again, "chkTemp")->isChecked());
    QVERIFY(child<QCheckBox>(again, "chkAdmin")->isChecked());
    QVERIFY(child<QCheckBox>(again, "chkEncrypt")->isChecked());
}

void tst_WindowSettings::lastExe_data()
{
    QTest::addColumn<QString>("folder"); // "dir" (holds a.exe, b.exe), "missing" or ""
    QTest::addColumn<QString>("lastExe");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("current");

    QTest::newRow("folder there, name listed") << "dir" << "b.exe" << QStringList{"a.exe", "b.exe"} << "b.exe";
    QTest::newRow("folder there, name gone") << "dir" << "gone.exe" << QStringList{"a.exe", "b.exe"} << "a.exe";
    QTest::newRow("folder missing") << "missing" << "gone.exe" << QStringList{"gone.exe"} << "gone.exe";
    QTest::newRow("no folder stored") << "" << "kept.exe" << QStringList{"kept.exe"} << "kept.exe";
    QTest::newRow("folder missing, no name") << "missing" << "" << QStringList{} << "";
}

void tst_WindowSettings::lastExe()
{
    QFETCH(QString, folder);
    QFETCH(QString, lastExe);
    QFETCH(QStringList, expected);
    QFETCH(QString, current);
    QTemporaryDir dir;
    touch(dir.filePath(QStringLiteral("a.exe")));
    touch(dir.filePath(QStringLiteral("b.exe")));
    if (folder == QLatin1String("dir"))
        store().setValue(QStringLiteral("folderPath"), dir.path());
    else if (folder == QLatin1String("missing"))
        store().setValue(QStringLiteral("folderPath"), dir.filePath(QStringLiteral("gone")));
    if (!lastExe.isEmpty())
        store().setValue(QStringLiteral("lastExe"), lastExe);

    MainWindow w;
    QCOMPARE(items(child<QComboBox>(w, "mainExeComboBox")), expected);
    QCOMPARE(child<QComboBox>(w, "mainExeComboBox")->currentText(), current);
}

void tst_WindowSettings::storedCompression_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("level by value") << "compressionLevel" << "cmbCompression" << QVariant("ultra") << 5;
    QTest::newRow("method by value") << "compressionMethod" << "cmbMethod" << QVariant("LZMA2") << 1;
    QTest::newRow("positions of earlier versions") << "dictionarySize" << "cmbDictSize" << QVariant(4) << 4;
    QTest::newRow("level 9") << "compressionLevel" << "cmbCompression" << QVariant(9) << -1;
    QTest::newRow("level -1") << "compressionLevel" << "cmbCompression" << QVariant(-1) << -1;
    QTest::newRow("method 2") << "compressionMethod" << "cmbMethod" << QVariant(2) << -1;
    QTest::newRow("dictionary 5") << "dictionarySize" << "cmbDictSize" << QVariant(5) << -1;
    QTest::newRow("dictionary not a number") << "dictionarySize" << "cmbDictSize" << QVariant("big") << 0;
}

// Values and the positions earlier versions stored both read back. A position
// that no longer fits leaves its list without a selection; the run then takes
// the list's default switch (the run tests check the "5").
void tst_WindowSettings::storedCompression()
{
    QFETCH(QString, key);
    QFETCH(QString, list);
    QFETCH(QVariant, stored);
    QFETCH(int, expected);
    store().setValue(key, stored);
    MainWindow w;
    QCOMPARE(w.findChild<QComboBox *>(list)->currentIndex(), expected);
}

void tst_WindowSettings::reset_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("No") << int(QMessageBox::No);
    QTest::newRow("Yes") << int(QMessageBox::Yes);
}

void tst_WindowSettings::reset()
{
    QFETCH(int, answer);
    const bool yes = answer == QMessageBox::Yes;
    QTemporaryDir dir;
    touch(dir.filePath(QStringLiteral("a.exe")));
    {
        QSettings settings = store();
        settings.setValue(QStringLiteral("folderPath"), dir.path());
        settings.setValue(QStringLiteral("outputPath"), dir.path());
        settings.setValue(QStringLiteral("iconPath"), QStringLiteral("/x.ico"));
        settings.setValue(QStringLiteral("lastExe"), QStringLiteral("a.exe"));
        settings.setValue(QStringLiteral("compressionLevel"), 0);
        settings.setValue(QStringLiteral("cleanupEnabled"), false);
        settings.setValue(QStringLiteral("encryptContent"), true);
        settings.setValue(QStringLiteral("language"), QStringLiteral("en_US"));
    }
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        child<QTextEdit>(w, "logTextEdit")->setPlainText(QStringLiteral("log"));
        child<QProgressBar>(w, "progressBar")->setValue(60);
        ModalDriver driver;
        driver.press(QMessageBox::StandardButton(answer));
        if (yes)
            driver.press(QMessageBox::Ok);
        child<QPushButton>(w, "resetButton")->click();
        QVERIFY(driver.done());
        QCOMPARE(driver.seen().size(), yes ? 2 : 1);
        // The boxes speak the language in effect.
        const ModalDriver::Seen &question = driver.seen().first();
        QCOMPARE(question.title, QStringLiteral("Reset settings"));
        QCOMPARE(question.icon, QMessageBox::Question);
        QVERIFY(question.text.contains(QStringLiteral("cannot be undone")));
        QCOMPARE(question.buttons.size(), 2);
        if (!yes) {
            QCOMPARE(child<QLineEdit>(w, "folderLineEdit")->text(), dir.path());
            QCOMPARE(child<QTextEdit>(w, "logTextEdit")->toPlainText(), QStringLiteral("log"));
            QCOMPARE(store().value(QStringLiteral("iconPath")).toString(), QStringLiteral("/x.ico"));
            return;
        }
        QCOMPARE(driver.seen().last().title, QStringLiteral("Settings reset"));
        QCOMPARE(driver.seen().last().icon, QMessageBox::Information);
        verifyDefaults(w);
        QVERIFY(child<QTextEdit>(w, "logTextEdit")->toPlainText().isEmpty());
        QCOMPARE(child<QProgressBar>(w, "progressBar")->value(), 0);
        QVERIFY(store().allKeys().isEmpty());
        QCOMPARE(MainWindowTestAccess::language(w), QStringLiteral("en_US"));
        QCOMPARE(child<QPushButton>(w, "startButton")->text(), QStringLiteral("Build"));
    }
    MainWindow restarted;
    verifyDefaults(restarted);
}

void tst_WindowSettings::languages_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("abortLine");
    QTest::addColumn<QString>("aboutTitle");
    QTest::addColumn<QString>("level");

    QTest::newRow("zh_TW") << "zh_TW" << "開始製作" << "請選擇來源資料夾！" << "輸入驗證失敗，操作已中止" << "關於匣坊"
                           << "標準";
    QTest::newRow("en_US") << "en_US" << "Build" << "Choose a source folder!" << "Input check failed; nothing was built."
                           << "About Crateforge" << "Normal";
    QTest::newRow("zh_CN") << "zh_CN" << "开始制作" << "请选择源文件夹！" << "输入验证失败，操作中止" << "关于匣坊"
                           << "标准";
}

// Each language from the menu, live: texts, a box, the log, About, the tick;
// and again after a restart.
void tst_WindowSettings::languages()
{
    QFETCH(QString, code);
    QFETCH(QString, start);
    QFETCH(QString, warning);
    QFETCH(QString, abortLine);
    QFETCH(QString, aboutTitle);
    QFETCH(QString, level);

    // Start from another language, so that zh_CN is a change too.
    store().setValue(QStringLiteral("language"), code == QLatin1String("zh_CN") ? "en_US" : "zh_CN");
    for (int restart = 0; restart < 2; ++restart) {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        if (restart == 0)
            languageAction(w, code)->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(store().value(QStringLiteral("language")).toString(), code);
        QCOMPARE(checkedLanguage(w), code);
        QCOMPARE(child<QPushButton>(w, "startButton")->text(), start);
        QCOMPARE(child<QComboBox>(w, "cmbCompression")->currentText(), level);

        ModalDriver driver;
        driver.press(QMessageBox::Ok).cancel();
        child<QPushButton>(w, "startButton")->click();
        const QList<QAction *> actions = MainWindowTestAccess::menu(w)->actions();
        actions.last()->trigger();
        QVERIFY(driver.done());
        QCOMPARE(driver.seen().at(0).text, warning);
        QCOMPARE(child<QTextEdit>(w, "logTextEdit")->toPlainText(), abortLine);
        QCOMPARE(driver.seen().at(1).className, QStringLiteral("AboutDialog"));
        QCOMPARE(driver.seen().at(1).title, aboutTitle);
    }
}

void tst_WindowSettings::sameLanguageWritesNothing()
{
    MainWindow w;
    languageAction(w, QStringLiteral("en_US"))->trigger();
    store().remove(QStringLiteral("language"));
    languageAction(w, QStringLiteral("en_US"))->trigger();
    QVERIFY(!store().contains(QStringLiteral("language")));
    QCOMPARE(checkedLanguage(w), QStringLiteral("en_US"));
}

void tst_WindowSettings::missingCatalogueFallsBack()
{
    MainWindow w;
    languageAction(w, QStringLiteral("zh_TW"))->trigger();
    QCOMPARE(child<QPushButton>(w, "startButton")->text(), QStringLiteral("開始製作"));

    qCleanupResources_crateforge_catalogues();
    LogCapture log;
    languageAction(w, QStringLiteral("en_US"))->trigger();
    qInitResources_crateforge_catalogues();
    QCoreApplication::processEvents();

    QCOMPARE(log.count(QStringLiteral("Translation file not found: \":/translations/lang_en_US.qm\"")), 1);
    QCOMPARE(store().value(QStringLiteral("language")).toString(), QStringLiteral("zh_CN"));
    QCOMPARE(checkedLanguage(w), QStringLiteral("zh_CN"));
    QCOMPARE(child<QPushButton>(w, "startButton")->text(), QStringLiteral("开始制作"));
}

// However often the menu was rebuilt, a click opens it once, below the button.
void tst_WindowSettings::oneClickOneMenu()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (const char *code : {"en_US", "zh_TW", "zh_CN", "en_US", "zh_CN"})
        languageAction(w, QString::fromLatin1(code))->trigger();
    QCoreApplication::processEvents();

    auto *button = child<QPushButton>(w, "menuButton");
    int shown = 0;
    QPoint where;
    QTimer closer;
    closer.setInterval(20);
    connect(&closer, &QTimer::timeout, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            ++shown;
            where = menu->pos();
            menu->close();
        }
    });
    closer.start();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(shown, 1);
    QCOMPARE(where, button->mapToGlobal(QPoint(0, button->height())));
    button->click();
    QCOMPARE(shown, 2);
}

QTEST_MAIN(tst_WindowSettings)
#include "tst_windowsettings.moc"
