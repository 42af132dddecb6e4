#include "mainwindow.h"
#include "modaldriver.h"
#include "windowlookup.h"
#include "toolfolder.h"
#include "worker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

class MainWindowTestAccess
{
public:
    static QString workFolder(MainWindow &w) { return w.m_tempDir; }
    static Worker *worker(MainWindow &w) { return w.m_worker; }
    static void shortenPauses(MainWindow &w)
    {
        Worker::Timing timing = w.m_worker->timing();
        timing.iconCachePauseMs = 0;
        timing.afterIconPauseMs = 0;
        w.m_worker->setTiming(timing);
    }
};

namespace {

QStringList logLines(MainWindow &w)
{
    return child<QTextEdit>(w, "logTextEdit")->toPlainText().split(QLatin1Char('\n'));
}

int mode(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

const char *const kLocked[] = {"selectFolderButton", "outputButton", "iconButton", "mainExeButton", "resetButton",
                               "menuButton", "folderLineEdit", "outputLineEdit", "iconLineEdit", "mainExeComboBox",
                               "cmbCompression", "cmbMethod", "cmbDictSize", "chkCleanup", "chkTemp", "chkAdmin",
                               "chkEncrypt"};
const char *const kFree[] = {"startButton", "basicTabButton", "advancedTabButton", "minButton", "closeButton"};

// As root, permissions do not keep this process or its children from reading
// a file; without the two overrides they do (for the threads and processes
// started after this call).
bool loseReadOverride()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (::geteuid() != 0)
        return true;
    if (::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0) != 0 || ::prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0) != 0
        || ::syscall(SYS_capget, &header, data) != 0)
        return false;
    const quint32 mask = ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    data[0].effective &= mask;
    data[0].permitted &= mask;
    data[0].inheritable &= mask;
    return ::syscall(SYS_capset, &header, data) == 0;
}

} // namespace

class tst_WindowRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(loseReadOverride()); }
    void init();
    void successfulRun_data();
    void successfulRun();
    void failedRun_data();
    void failedRun();
    void validationFailure_data();
    void validationFailure();
    void workFolders();
    void programsWithoutExe();
    void quitDuringRun();
    void stopDuringRun();

private:
    QString archiverPath() const { return toolFolderPath() + QStringLiteral("/7zr.exe"); }
    void makeSource(const QString &folder);
    void installArchiver(const QByteArray &script);
    QString makeNoise(const QString &source);

    QScopedPointer<QTemporaryDir> m_root;
};

void tst_WindowRun::init()
{
    store().clear();
    QFile::remove(archiverPath());
    m_root.reset(new QTemporaryDir);
    QVERIFY(m_root->isValid());
    QVERIFY(QDir().mkpath(m_root->filePath(QStringLiteral("out"))));
}

void tst_WindowRun::makeSource(const QString &folder)
{
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/data")));
    QVERIFY(QFile::copy(QStringLiteral(TEST_APP_PATH), folder + QStringLiteral("/app.exe")));
    QFile data(folder + QStringLiteral("/data/notes.txt"));
    QVERIFY(data.open(QIODevice::WriteOnly));
    data.write("payload\n");
}

// A stand-in archiver in the tool folder, trusted as our own.
void tst_WindowRun::installArchiver(const QByteArray &script)
{
    QFile file(archiverPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("#!/bin/sh\n" + script + "\n");
    file.close();
    QVERIFY(QFile::setPermissions(archiverPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

// The fields come from the store, as after choosing them in an earlier session.
void tst_WindowRun::successfulRun_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("dictionary");
    QTest::addColumn<QList<bool>>("boxes"); // cleanup, admin, encrypt
    QTest::addColumn<QStringList>("switches");
    QTest::addColumn<int>("notices");

    QTest::newRow("defaults") << 3 << 0 << 2 << QList<bool>{true, false, false}
                              << QStringList{"压缩级别: 5", "压缩方法: LZMA", "字典大小: 16M"} << 1;
    QTest::newRow("stored level 9, every box ticked")
        << 9 << 1 << 1 << QList<bool>{true, true, true}
        << QStringList{"压缩级别: 5", "压缩方法: LZMA2", "字典大小: 1M"} << 3;
    QTest::newRow("store, no boxes") << 0 << 1 << 0 << QList<bool>{false, false, false}
                                     << QStringList{"压缩级别: 0", "压缩方法: LZMA2", "字典大小: 64K"} << 0;
}

void tst_WindowRun::successfulRun()
{
    QFETCH(int, level);
    QFETCH(int, method);
    QFETCH(int, dictionary);
    QFETCH(QList<bool>, boxes);
    QFETCH(QStringList, switches);
    QFETCH(int, notices);

    const QString source = m_root->filePath(QStringLiteral("源 folder"));
    const QString output = m_root->filePath(QStringLiteral("out"));
    makeSource(source);
    {
        QSettings settings = store();
        settings.setValue(QStringLiteral("folderPath"), source);
        settings.setValue(QStringLiteral("outputPath"), output);
        settings.setValue(QStringLiteral("lastExe"), QStringLiteral("app.exe"));
        settings.setValue(QStringLiteral("compressionLevel"), level);
        settings.setValue(QStringLiteral("compressionMethod"), method);
        settings.setValue(QStringLiteral("dictionarySize"), dictionary);
        settings.setValue(QStringLiteral("cleanupEnabled"), boxes[0]);
        settings.setValue(QStringLiteral("adminRequired"), boxes[1]);
        settings.setValue(QStringLiteral("encryptContent"), boxes[2]);
    }

    MainWindow w;
    MainWindowTestAccess::shortenPauses(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    child<QTextEdit>(w, "logTextEdit")->setPlainText(QStringLiteral("an earlier run"));

    ModalDriver driver;
    driver.press(QMessageBox::Ok);
    QTest::mouseClick(child<QPushButton>(w, "startButton"), Qt::LeftButton);
    for (const char *name : kLocked)
        QVERIFY2(!child<QWidget>(w, name)->isEnabled(), name);
    for (const char *name : kFree)
        QVERIFY2(child<QWidget>(w, name)->isEnabled(), name);

    QTRY_VERIFY_WITH_TIMEOUT(!driver.seen().isEmpty(), 60000);
    QVERIFY(driver.done());
    const ModalDriver::Seen &box = driver.seen().first();
    QCOMPARE(box.title, QStringLiteral("完成"));
    QCOMPARE(box.text, QStringLiteral("便携应用创建成功！"));
    QCOMPARE(box.icon, QMessageBox::Information);
    for (const char *name : kLocked)
        QVERIFY2(child<QWidget>(w, name)->isEnabled(), name);
    QCOMPARE(child<QProgressBar>(w, "progressBar")->value(), 100);

    const QString product = output + QStringLiteral("/app.exe");
    const QStringList log = logLines(w);
    QCOMPARE(log.mid(0, 6), (QStringList{"调试信息:", "源文件夹: " + source, "主程序: app.exe", "输出目录: " + output,
                                         "图标路径: ", "开始创建便携应用..."}));
    for (const QString &line : switches)
        QVERIFY2(log.contains(line), qPrintable(line));
    QCOMPARE(log.at(log.size() - 1 - notices), QStringLiteral("输出文件: ") + product);
    const QStringList tail = log.mid(log.size() - notices);
    QCOMPARE(tail.filter(QStringLiteral("未生效")).size(), notices);
    QCOMPARE(tail.filter(QStringLiteral("加密文件内容")).size(), boxes[2] ? 1 : 0);

    // The product unpacks and runs the main program with its arguments and exit code.
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString record = m_root->filePath(QStringLiteral("record.txt"));
    environment.insert(QStringLiteral("TEST_APP_RECORD"), record);
    environment.insert(QStringLiteral("TEST_APP_EXIT"), QStringLiteral("23"));
    run.setProcessEnvironment(environment);
    run.start(product, {QStringLiteral("first"), QStringLiteral("two words")});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 23);
    QFile recorded(record);
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(recorded.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(lines.mid(3), (QStringList{"first", "two words", ""}));
    QVERIFY(QFile::exists(lines.at(1) + QStringLiteral("/data/notes.txt")));
}

void tst_WindowRun::failedRun_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("lastLine");
    QTest::newRow("archiver fails") << "archiver" << "错误：制作失败：7z报告：broken";
    QTest::newRow("a file cannot be read") << "unreadable"
        << "错误：制作失败：7z报告：WARNING: errno=13 : Permission denied %SRC%/data/notes.txt";
}

void tst_WindowRun::failedRun()
{
    QFETCH(QString, fault);
    QFETCH(QString, lastLine);
    const QString source = m_root->filePath(QStringLiteral("src"));
    const QString output = m_root->filePath(QStringLiteral("out"));
    makeSource(source);
    if (fault == QLatin1String("archiver"))
        installArchiver("echo ' 40%'\necho 'broken' >&2\nexit 2");
    else
        QVERIFY(QFile::setPermissions(source + QStringLiteral("/data/notes.txt"), QFile::WriteOwner));
    lastLine.replace(QStringLiteral("%SRC%"), source);

    MainWindow w;
    if (fault == QLatin1String("archiver")) {
        Worker::ToolSources tools;
        tools.archiver = archiverPath();
        MainWindowTestAccess::worker(w)->setToolSources(tools);
    }
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    child<QLineEdit>(w, "folderLineEdit")->setText(source);
    child<QComboBox>(w, "mainExeComboBox")->addItem(QStringLiteral("app.exe"));
    child<QLineEdit>(w, "outputLineEdit")->setText(output);

    ModalDriver driver;
    driver.press(QMessageBox::Ok);
    child<QPushButton>(w, "startButton")->click();
    QVERIFY(!child<QWidget>(w, "cmbCompression")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!driver.seen().isEmpty(), 30000);
    QCOMPARE(driver.seen().first().title, QStringLiteral("错误"));
    QCOMPARE(driver.seen().first().icon, QMessageBox::Critical);
    QCOMPARE(driver.seen().first().text, lastLine);
    for (const char *name : kLocked)
        QVERIFY2(child<QWidget>(w, name)->isEnabled(), name);
    QCOMPARE(logLines(w).last(), lastLine);
    QCOMPARE(child<QProgressBar>(w, "progressBar")->value(), 0);
    QVERIFY(QDir(output).isEmpty());
}

void tst_WindowRun::validationFailure_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("message");
    QTest::newRow("no source folder") << "empty" << "请选择源文件夹！";
    QTest::newRow("source folder vanished") << "vanished" << "源文件夹不存在！\n%SRC%";
    QTest::newRow("output is a file") << "file" << "输出路径必须是一个目录（例如 C:/Output）！";
    QTest::newRow("output is the source folder") << "source"
        << "制作出的程序会覆盖源文件夹中的文件：\n%SRC%/app.exe\n请选择源文件夹以外的输出目录。";
    QTest::newRow("main program is a folder") << "folder" << "选择的主程序不存在于源文件夹中！\n请重新选择主程序。";
    QTest::newRow("unreadable source folder") << "unreadable" << "无法读取源文件夹！\n%SRC%\nPermission denied";
    QTest::newRow("icon that is no image") << "icon"
        << "图标文件不是可用的图片：\n%SRC%/data/notes.txt\n请选择 .ico、.png、.svg 或 .jpg 图片。";
}

void tst_WindowRun::validationFailure()
{
    QFETCH(QString, setup);
    QFETCH(QString, message);
    const QString source = m_root->filePath(QStringLiteral("src"));
    makeSource(source);
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    child<QLineEdit>(w, "folderLineEdit")->setText(setup == QLatin1String("empty") ? QString() : source);
    child<QComboBox>(w, "mainExeComboBox")->addItem(QStringLiteral("app.exe"));
    child<QLineEdit>(w, "outputLineEdit")
        ->setText(setup == QLatin1String("file")     ? source + QStringLiteral("/app.exe")
                  : setup == QLatin1String("source") ? source
                                                     : m_root->filePath(QStringLiteral("out")));
    message.replace(QStringLiteral("Permission denied"), qt_error_string(EACCES));
    message.replace(QStringLiteral("%SRC%"), setup == QLatin1String("source") ? QFileInfo(source).canonicalFilePath() : source);
    if (setup == QLatin1String("vanished"))
        QVERIFY(QDir(source).removeRecursively());
    if (setup == QLatin1String("folder"))
        QVERIFY(QFile::remove(source + QStringLiteral("/app.exe")) && QDir(source).mkdir(QStringLiteral("app.exe")));
    if (setup == QLatin1String("unreadable"))
        QVERIFY(QFile::setPermissions(source, QFile::WriteOwner | QFile::ExeOwner));
    if (setup == QLatin1String("icon"))
        child<QLineEdit>(w, "iconLineEdit")->setText(source + QStringLiteral("/data/notes.txt"));
    child<QTextEdit>(w, "logTextEdit")->setPlainText(QStringLiteral("an earlier run"));

    ModalDriver driver;
    driver.press(QMessageBox::Ok);
    child<QPushButton>(w, "startButton")->click();
    QVERIFY(driver.done());
    QCOMPARE(driver.seen().size(), 1);
    QCOMPARE(driver.seen().first().title, QStringLiteral("警告"));
    QCOMPARE(driver.seen().first().text, message);
    QCOMPARE(logLines(w), (QStringList{"an earlier run", "输入验证失败，操作中止"}));
    QVERIFY(child<QPushButton>(w, "startButton")->isEnabled());
    QVERIFY(QDir(m_root->filePath(QStringLiteral("out"))).isEmpty());
    QFile::setPermissions(source, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A folder of Linux programs: an ELF program and a script that starts it
// are both listed (a library is not) and the script preselected; packed as
// the main program, it names the product, which runs in the caller's folder.
void tst_WindowRun::programsWithoutExe()
{
    const QString source = m_root->filePath(QStringLiteral("src"));
    const QString output = m_root->filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(source));
    QVERIFY(QFile::copy(QStringLiteral(TEST_APP_PATH), source + QStringLiteral("/tool")));
    QVERIFY(QFile::copy(QStringLiteral(TEST_APP_PATH), source + QStringLiteral("/libc.so.6")));
    QFile script(source + QStringLiteral("/run.sh"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexec \"$(dirname \"$0\")/tool\" \"$@\"\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    store().setValue(QStringLiteral("folderPath"), source);
    store().setValue(QStringLiteral("outputPath"), output);

    MainWindow w;
    MainWindowTestAccess::shortenPauses(w);
    auto *list = child<QComboBox>(w, "mainExeComboBox");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(0), QStringLiteral("run.sh"));
    QCOMPARE(list->itemText(1), QStringLiteral("tool"));
    QCOMPARE(list->currentText(), QStringLiteral("run.sh")); // a launcher before an ELF program
    ModalDriver driver;
    driver.press(QMessageBox::Ok);
    child<QPushButton>(w, "startButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!driver.seen().isEmpty(), 60000);
    QCOMPARE(driver.seen().first().text, QStringLiteral("便携应用创建成功！"));

    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString record = m_root->filePath(QStringLiteral("record.txt"));
    environment.insert(QStringLiteral("TEST_APP_RECORD"), record);
    run.setProcessEnvironment(environment);
    run.setWorkingDirectory(m_root->path());
    run.start(output + QStringLiteral("/run"), {QStringLiteral("in.txt")});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitCode(), 0);
    QFile recorded(record);
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(recorded.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), m_root->path());
    QCOMPARE(lines.mid(2), (QStringList{output + QStringLiteral("/run"), "in.txt", ""}));
}

// Windows started in the same second, and names someone else already holds
// in the temporary folder: every window gets a private folder of its own and
// removes only that.
void tst_WindowRun::workFolders()
{
    const QDateTime now = QDateTime::currentDateTime();
    QStringList planted;
    for (int second = 0; second < 3; ++second) {
        const QString name = QDir::tempPath() + QStringLiteral("/Crateforge_")
            + now.addSecs(second).toString(QStringLiteral("yyyyMMddhhmmss"));
        QVERIFY(QDir().mkpath(name));
        QFile marker(name + QStringLiteral("/theirs"));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        planted << name;
    }

    auto *first = new MainWindow;
    auto *second = new MainWindow;
    const QString firstFolder = MainWindowTestAccess::workFolder(*first);
    const QString secondFolder = MainWindowTestAccess::workFolder(*second);
    QVERIFY(firstFolder != secondFolder);
    for (const QString &folder : {firstFolder, secondFolder}) {
        QVERIFY2(!planted.contains(folder), qPrintable(folder));
        QVERIFY2(QFileInfo(folder).fileName().startsWith(QStringLiteral("Crateforge_")), qPrintable(folder));
        QCOMPARE(QFileInfo(folder).fileName().mid(11, 14).size(), 14);
        QCOMPARE(mode(folder), 0700);
        QVERIFY(isPrivateWorkFolder(folder));
    }

    delete first;
    QVERIFY(!QFileInfo::exists(firstFolder));
    QVERIFY(QFileInfo::exists(secondFolder));
    delete second;
    QVERIFY(!QFileInfo::exists(secondFolder));
    for (const QString &folder : planted)
        QVERIFY(QFile::exists(folder + QStringLiteral("/theirs")));
}

// Quitting during a real build: the question says a build runs; No lets it
// go on, Yes stops it. Within 2 s the archiver is gone, with no product and
// no work folder left.
void tst_WindowRun::quitDuringRun()
{
    const QString source = m_root->filePath(QStringLiteral("src"));
    const QString output = m_root->filePath(QStringLiteral("out"));
    makeNoise(source);

    auto *w = new MainWindow;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    child<QLineEdit>(*w, "folderLineEdit")->setText(source);
    child<QComboBox>(*w, "mainExeComboBox")->addItem(QStringLiteral("app.exe"));
    child<QLineEdit>(*w, "outputLineEdit")->setText(output);
    child<QComboBox>(*w, "cmbCompression")->setCurrentIndex(5);
    const QString workFolder = MainWindowTestAccess::workFolder(*w);

    ModalDriver driver;
    driver.press(QMessageBox::No).press(QMessageBox::Yes);
    child<QPushButton>(*w, "startButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(logLines(*w).contains(QStringLiteral("7z进程已启动，开始压缩...")), 20000);
    child<QPushButton>(*w, "closeButton")->click();
    QTest::qWait(300);
    QCOMPARE(child<QPushButton>(*w, "startButton")->text(), QStringLiteral("停止制作"));
    child<QPushButton>(*w, "closeButton")->click();
    QVERIFY(driver.done());
    QCOMPARE(driver.seen().size(), 2);
    for (const ModalDriver::Seen &box : driver.seen())
        QCOMPARE(box.text, QStringLiteral("正在制作便携应用。退出将停止制作，并删除未完成的文件。\n确定要退出 匣坊 吗？"));

    QElapsedTimer timer;
    timer.start();
    delete w;
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(QDir(output).isEmpty());
    QVERIFY(!QFileInfo::exists(workFolder));
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs);
    for (const QString &pid : processes) {
        QFile commandLine(QStringLiteral("/proc/") + pid + QStringLiteral("/cmdline"));
        if (commandLine.open(QIODevice::ReadOnly))
            QVERIFY2(!commandLine.readAll().contains(QFile::encodeName(workFolder)), qPrintable(pid));
    }
}

QString tst_WindowRun::makeNoise(const QString &source)
{
    makeSource(source);
    QByteArray bytes(24 << 20, Qt::Uninitialized); // incompressible, so "ultra" takes seconds
    QRandomGenerator(1).fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    QFile noise(source + QStringLiteral("/noise.bin"));
    if (!noise.open(QIODevice::WriteOnly) || noise.write(bytes) != bytes.size())
        return {};
    return noise.fileName();
}

// Stop during a real build: the button says so, every input stays locked;
// the archiver is ended, nothing is left, no box, and the window stays.
void tst_WindowRun::stopDuringRun()
{
    const QString source = m_root->filePath(QStringLiteral("src"));
    const QString output = m_root->filePath(QStringLiteral("out"));
    QVERIFY(!makeNoise(source).isEmpty());
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    child<QLineEdit>(w, "folderLineEdit")->setText(source);
    child<QComboBox>(w, "mainExeComboBox")->addItem(QStringLiteral("app.exe"));
    child<QLineEdit>(w, "outputLineEdit")->setText(output);
    child<QComboBox>(w, "cmbCompression")->setCurrentIndex(5);
    auto *start = child<QPushButton>(w, "startButton");

    ModalDriver driver;
    start->click();
    QCOMPARE(start->text(), QStringLiteral("停止制作"));
    QTRY_VERIFY_WITH_TIMEOUT(logLines(w).contains(QStringLiteral("7z进程已启动，开始压缩...")), 20000);
    for (const char *name : kLocked)
        QVERIFY2(!child<QWidget>(w, name)->isEnabled(), name);
    start->click();
    QTRY_VERIFY_WITH_TIMEOUT(start->text() == QStringLiteral("开始制作"), 5000);
    QTest::qWait(100);
    QVERIFY(driver.seen().isEmpty() && w.isVisible());
    QCOMPARE(logLines(w).last(), QStringLiteral("错误：制作已中止，未完成的文件已删除"));
    QCOMPARE(child<QProgressBar>(w, "progressBar")->value(), 0);
    for (const char *name : kLocked)
        QVERIFY2(child<QWidget>(w, name)->isEnabled(), name);
    QVERIFY(QDir(output).isEmpty());
    // A fresh work folder (in the same second, under the same name) holds nothing.
    QVERIFY(QDir(MainWindowTestAccess::workFolder(w)).isEmpty());
}

QTEST_MAIN(tst_WindowRun)
#include "tst_windowrun.moc"
