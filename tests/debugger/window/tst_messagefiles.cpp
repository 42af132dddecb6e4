// Message files: the rules both pages share, and the network page's import
// into its send area and export of its receive area.

#include "mainwindow.h"
#include "../windowstores.h"

#include "bytecounter.h"
#include "fieldrules.h"
#include "localhost_guard.h"
#include "messagefiles.h"
#include "modaldriver.h"
#include "serialportlist.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextEdit>
#include <QtTest>

#include <limits>

using namespace MessageFiles;

namespace {

const QString kPattern = QStringLiteral("/yyyy年MM月dd日hh-mm-ss");

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QStringList savedFiles()
{
    return QDir(QCoreApplication::applicationDirPath())
        .entryList({QStringLiteral("*.txt")}, QDir::Files | QDir::System | QDir::Dirs | QDir::NoDotAndDotDot);
}

// The names a save made between `from` and `to` can have in `folder`, one a second.
QStringList saveCandidates(const QDateTime &from, const QDateTime &to,
                           const QString &folder = QCoreApplication::applicationDirPath())
{
    QStringList names;
    for (QDateTime at = from.addSecs(-1); at <= to.addSecs(1); at = at.addSecs(1))
        names << exportPath(folder, at, kPattern);
    return names;
}

} // namespace

class TestMessageFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void fieldNumbers_data();
    void fieldNumbers();
    void counterTexts_data();
    void counterTexts();
    void readTextFile_data();
    void readTextFile();
    void writeTextFile_data();
    void writeTextFile();
    void exportPathPattern();

    void importIntoSendArea_data();
    void importIntoSendArea();
    void exportReceiveArea_data();
    void exportReceiveArea();

private:
    QStringList m_before;
};

void TestMessageFiles::initTestCase()
{
    SKIP_UNLESS_LOCAL_HOST_NAME_IS_LOCAL();
}

void TestMessageFiles::init()
{
    m_before = savedFiles();
    clearWrenpostStores();
    SerialPortList::setSource([] { return QStringList(); });
}

void TestMessageFiles::cleanup()
{
    const QDir dir(QCoreApplication::applicationDirPath());
    for (const QString &name : savedFiles()) {
        if (m_before.contains(name))
            continue;
        const QString path = dir.filePath(name);
        if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
    SerialPortList::setSource({});
}

void TestMessageFiles::fieldNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("targetPort"); // -1: refused
    QTest::addColumn<int>("localPort");  // -1: refused
    QTest::addColumn<int>("period");     // 0: refused

    QTest::newRow("8080") << "8080" << 8080 << 8080 << 8080;
    QTest::newRow("beyond the highest") << "65536" << -1 << -1 << 65536;
    QTest::newRow("74586") << "74586" << -1 << -1 << 74586;
    QTest::newRow("blanks around") << " 250 " << 250 << 250 << 250;
    QTest::newRow("zero: the system's choice") << "0" << -1 << 0 << 0;
    QTest::newRow("not a number") << "abc" << -1 << -1 << 0;
    QTest::newRow("empty") << "" << -1 << -1 << 0;
    QTest::newRow("negative") << "-5" << -1 << -1 << 0;
    QTest::newRow("beyond int") << "99999999999" << -1 << -1 << 0;
    QTest::newRow("number and text") << "80x" << -1 << -1 << 0;
}

void TestMessageFiles::fieldNumbers()
{
    QFETCH(QString, text);
    QFETCH(int, targetPort);
    QFETCH(int, localPort);
    QFETCH(int, period);
    const auto port = [](std::optional<quint16> value) { return value ? int(*value) : -1; };
    QCOMPARE(port(targetPortFromField(text)), targetPort);
    QCOMPARE(port(localPortFromField(text)), localPort);
    QCOMPARE(timedSendPeriodFromText(text).value_or(0), period);
}

void TestMessageFiles::counterTexts_data()
{
    QTest::addColumn<quint64>("bytesPerSecond");
    QTest::addColumn<QString>("rate");

    QTest::newRow("idle") << quint64(0) << "";
    QTest::newRow("bytes") << quint64(1023) << "1023 B/s";
    QTest::newRow("one kilobyte") << quint64(1024) << "1.0 KB/s";
    QTest::newRow("no decimal from ten") << quint64(1023 * 1024) << "1023 KB/s";
    QTest::newRow("megabytes") << quint64(1234567) << "1.2 MB/s";
}

void TestMessageFiles::counterTexts()
{
    QFETCH(quint64, bytesPerSecond);
    QFETCH(QString, rate);
    QCOMPARE(byteRateText(bytesPerSecond), rate);
}

void TestMessageFiles::readTextFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("text");

    QTest::newRow("UTF-8 with Chinese") << QStringLiteral("你好，网络\n第二行 line").toUtf8() << int(ReadError::None)
                                        << QStringLiteral("你好，网络\n第二行 line");
    QTest::newRow("markup kept as text") << QByteArray("<b>bold</b>") << int(ReadError::None)
                                         << QStringLiteral("<b>bold</b>");
    QTest::newRow("line ends in text mode") << QByteArray("a\r\nb") << int(ReadError::None) << QStringLiteral("a\nb");
    QTest::newRow("empty") << QByteArray() << int(ReadError::None) << QString();
    QTest::newRow("local 8-bit Chinese") << QByteArray("\xc4\xe3\xba\xc3") << int(ReadError::NotUtf8) << QString();
    QTest::newRow("Latin-1") << QByteArray("caf\xe9") << int(ReadError::NotUtf8) << QString();
    QTest::newRow("at the limit") << QByteArray(kImportLimitBytes, 'a') << int(ReadError::None)
                                  << QString(kImportLimitBytes, QLatin1Char('a'));
    QTest::newRow("one byte too many") << QByteArray(kImportLimitBytes + 1, 'a') << int(ReadError::TooLarge) << QString();
}

void TestMessageFiles::readTextFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, error);
    QFETCH(QString, text);

    QTemporaryDir dir;
    const Imported imported = MessageFiles::readTextFile(writeFile(dir, QStringLiteral("m.txt"), bytes));
    QCOMPARE(int(imported.error), error);
    QCOMPARE(imported.text, text);
}

void TestMessageFiles::writeTextFile_data()
{
    QTest::addColumn<QString>("target"); // "file", "folder", "full", "missing folder"
    QTest::addColumn<bool>("written");
    QTest::newRow("new file") << "file" << true;
    QTest::newRow("a folder has the name") << "folder" << false;
    QTest::newRow("missing folder") << "missing folder" << false;
    QTest::newRow("disk full") << "full" << false;
}

void TestMessageFiles::writeTextFile()
{
    QFETCH(QString, target);
    QFETCH(bool, written);
    if (target == QLatin1String("full") && !QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full here");

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("out.txt"));
    if (target == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(path));
    else if (target == QLatin1String("missing folder"))
        path = dir.filePath(QStringLiteral("gone/out.txt"));
    else if (target == QLatin1String("full"))
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), path));

    const QByteArray bytes = QByteArray("line one\nline two\n").repeated(4096);
    QCOMPARE(MessageFiles::writeTextFile(path, bytes), written);
    if (written) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }
}

void TestMessageFiles::exportPathPattern()
{
    const QDateTime at(QDate(2025, 3, 7), QTime(9, 5, 2));
    QCOMPARE(exportPath(QStringLiteral("/opt/app"), at, kPattern), QStringLiteral("/opt/app/2025年03月07日09-05-02.txt"));
    QCOMPARE(exportPath(QStringLiteral("/opt/app"), at, QStringLiteral("/yyyy-MM-dd hh-mm-ss")),
             QStringLiteral("/opt/app/2025-03-07 09-05-02.txt"));
}

void TestMessageFiles::importIntoSendArea_data()
{
    QTest::addColumn<QString>("trigger"); // the button or the action
    QTest::addColumn<QString>("file");    // "utf8", "latin1", "large", "unreadable", "" (cancelled)
    QTest::addColumn<QString>("title");   // of the box, empty when none shows
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sendArea");

    const QString chinese = QStringLiteral("你好，网络\n<b>第二行</b>");
    QTest::newRow("UTF-8 with Chinese, button") << "openfileButton" << "utf8" << "" << "" << chinese;
    QTest::newRow("UTF-8 with Chinese, action") << "ActOpenFile" << "utf8" << "" << "" << chinese;
    QTest::newRow("cancelled") << "openfileButton" << "" << "提示" << "未选择文件" << "kept";
    QTest::newRow("unreadable") << "openfileButton" << "unreadable" << "错误：" << "打开文件失败" << "kept";
    QTest::newRow("not UTF-8") << "openfileButton" << "latin1" << "错误："
                               << "文件不是UTF-8编码的文本，未载入" << "kept";
    QTest::newRow("50 MB") << "ActOpenFile" << "large" << "错误：" << "文件超过1 MB，未载入" << "kept";
    // Laid out in linear time: one line without a break opportunity.
    QTest::newRow("1 MiB word") << "openfileButton" << "word" << "" << "" << QString(kImportLimitBytes, u'w');
}

void TestMessageFiles::importIntoSendArea()
{
    QFETCH(QString, trigger);
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, sendArea);

    QTemporaryDir dir;
    QString path;
    if (file == QLatin1String("utf8"))
        path = writeFile(dir, QStringLiteral("消息.txt"), QStringLiteral("你好，网络\n<b>第二行</b>").toUtf8());
    else if (file == QLatin1String("latin1"))
        path = writeFile(dir, QStringLiteral("latin.txt"), QByteArray("caf\xe9"));
    else if (file == QLatin1String("unreadable"))
        path = writeFile(dir, QStringLiteral("gone.txt"), QByteArray("x"));
    else if (file == QLatin1String("word"))
        path = writeFile(dir, QStringLiteral("word.txt"), QByteArray(kImportLimitBytes, 'w'));
    else if (file == QLatin1String("large")) {
        path = dir.filePath(QStringLiteral("large.txt"));
        QFile large(path);
        QVERIFY(large.open(QIODevice::WriteOnly));
        QVERIFY(large.resize(50 * 1024 * 1024));
    }

    MainWindow w;
    auto *area = w.findChild<QTextEdit *>(QStringLiteral("Send_msg"));
    area->setPlainText(QStringLiteral("kept"));
    if (file == QLatin1String("word")) {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }

    ModalDriver driver;
    if (path.isEmpty()) {
        driver.cancel();
    } else if (file == QLatin1String("unreadable")) {
        // Chosen as a file, a folder by the time it is opened.
        driver.then([path](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            if (QWidget *focused = dialog->focusWidget())
                focused->clearFocus();
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept();
            QFile::remove(path);
            QDir().mkdir(path);
        });
    } else {
        driver.choose(path);
    }
    if (!title.isEmpty())
        driver.press(QMessageBox::Ok);

    QElapsedTimer clock;
    clock.start();
    if (trigger == QLatin1String("ActOpenFile"))
        w.findChild<QAction *>(trigger)->trigger();
    else
        QTest::mouseClick(w.findChild<QPushButton *>(trigger), Qt::LeftButton);
    // The window answers at once, whatever the file.
    QVERIFY(clock.elapsed() < 5000);

    const QList<ModalDriver::Seen> &seen = driver.seen();
    QVERIFY(!seen.isEmpty());
    QCOMPARE(seen.first().title, QStringLiteral("请选择txt文件"));
    QVERIFY(seen.first().hadParent);
    QCOMPARE(seen.first().nameFilters, QStringList{QStringLiteral("Text files (*.txt)")});
    QCOMPARE(seen.size(), title.isEmpty() ? 1 : 2);
    if (!title.isEmpty()) {
        QCOMPARE(seen.at(1).title, title);
        QCOMPARE(seen.at(1).text, text);
        QCOMPARE(seen.at(1).icon, QMessageBox::Warning);
        QVERIFY(!seen.at(1).hadParent);
    }
    QCOMPARE(area->toPlainText(), sendArea);
}

void TestMessageFiles::exportReceiveArea_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<bool>("chosen"); // or the dialog is cancelled

    QTest::newRow("Chinese and markup") << QStringLiteral("第一行 <b>one</b>\nsecond") << true;
    QTest::newRow("empty area") << QString() << true;
    QTest::newRow("cancelled") << QStringLiteral("data") << false;
}

void TestMessageFiles::exportReceiveArea()
{
    QFETCH(QString, content);
    QFETCH(bool, chosen);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("接收.txt"));
    {
        MainWindow w;
        w.findChild<QTextBrowser *>(QStringLiteral("Recive_msg"))->setPlainText(content);
        auto *save = w.findChild<QPushButton *>(QStringLiteral("savefileButton"));
        const QDateTime from = QDateTime::currentDateTime();
        ModalDriver driver;
        chosen ? driver.choose(path).press(QMessageBox::Ok) : driver.cancel();
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY(driver.done());
        // The first save is offered in the program's folder, the file named by the time.
        QCOMPARE(driver.seen().first().title, QStringLiteral("保存接收区"));
        QCOMPARE(driver.seen().first().directory, QCoreApplication::applicationDirPath());
        QCOMPARE(driver.seen().last().text, chosen ? QStringLiteral("保存成功！") : QString());
        for (const QString &name : saveCandidates(from, QDateTime::currentDateTime()))
            QVERIFY2(!QFileInfo::exists(name), qPrintable(name));
        QFile file(path);
        QCOMPARE(file.open(QIODevice::ReadOnly), chosen);
        QCOMPARE(file.readAll(), chosen ? content.toUtf8() : QByteArray());
        if (!chosen)
            return;

        // The next save is offered where the last one went, and so is the next run's first.
        ModalDriver again;
        again.cancel();
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(again.seen().first().directory, dir.path());
    }
    QCOMPARE(wrenpostSettings().value(QStringLiteral("options/saveFolder")).toString(), dir.path());
}

QTEST_MAIN(TestMessageFiles)
#include "tst_messagefiles.moc"
