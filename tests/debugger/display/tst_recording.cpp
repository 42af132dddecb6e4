// Recording a receive area to a file through a real window: what the file
// holds, how a recording ends, and the bound on the area, recording or not.

#include "../window/localhost_guard.h"
#include "../windowstores.h"
#include "modaldriver.h"
#include "receivepage.h"
#include "serialportlist.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>

#include <memory>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// One row per page, named after it.
template <typename... Values>
void addPageRows(const char *name, Values... values)
{
    for (int page = 0; page < 2; ++page)
        ((QTest::newRow(qPrintable(QLatin1String(page ? "serial, " : "network, ") + QLatin1String(name))) << page)
         << ... << values);
}

struct Window : ReceiveWindow
{
    using ReceiveWindow::ReceiveWindow;
    QString shown()
    {
        QTest::qWait(40);
        display->flush();
        return area->toPlainText();
    }
    // Checks the record box and answers its dialog.
    void startRecording(ModalDriver &driver, const QString &path)
    {
        driver.choose(path);
        QTest::mouseClick(record, Qt::LeftButton);
    }
};

} // namespace

class tst_Recording : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { SKIP_UNLESS_LOCAL_HOST_NAME_IS_LOCAL(); }
    void init()
    {
        clearWrenpostStores();
        SerialPortList::setSource([] { return QStringList(); });
    }

    void fileHoldsWhatTheAreaGot_data();
    void fileHoldsWhatTheAreaGot();
    void recordingThatCannotGoOn_data();
    void recordingThatCannotGoOn();
    void areaBound_data();
    void areaBound();
};

void tst_Recording::fileHoldsWhatTheAreaGot_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QByteArray>("existing"); // the file's content before; appended to
    QTest::addColumn<bool>("areaHasText");
    QTest::addColumn<QString>("end"); // "uncheck", "reset", "close"

    addPageRows("new file, uncheck", QByteArray(), false, QString("uncheck"));
    addPageRows("appended, area with text, reset", QByteArray("earlier session\n"), true, QString("reset"));
    addPageRows("closing the window", QByteArray(), true, QString("close"));
}

void tst_Recording::fileHoldsWhatTheAreaGot()
{
    QFETCH(int, page);
    QFETCH(QByteArray, existing);
    QFETCH(bool, areaHasText);
    QFETCH(QString, end);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("记录.txt"));
    if (!existing.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(existing);
    }
    Window w(page);
    if (areaHasText)
        w.deliver("before the recording");
    const QString before = w.shown();

    ModalDriver driver;
    w.startRecording(driver, path);
    QVERIFY(driver.done());
    QVERIFY(w.record->isChecked());

    // Every kind of entry: stamps, hex, text with each kind of line end,
    // insertions, echoes or status lines, across a language switch.
    const auto now = [&w](const char *box, bool on, const QByteArray &bytes) {
        w.check(box, on);
        w.deliver(bytes, Qt::DirectConnection);
    };
    now(w.page.stamps, true, "\x01\x02\xff");
    now(w.page.hex, true, "\x41\x0a");
    now(w.page.hex, false, "a\r\nb\rc\xc2\xa0" "d\xe2\x80\xa8" "e\r");
    now(w.page.hex, false, "\nf");
    now(w.page.lines, false, "joined ");
    now(w.page.stamps, false, "<b>markup</b> 你好");
    QTest::qWait(40);
    for (QMenu *menu : w.window->findChildren<QMenu *>())
        if (auto *action = menu->findChild<QAction *>(QStringLiteral("enAction")))
            action->trigger();
    w.check(w.page.lines, true);
    if (page == 0) {
        QMetaObject::invokeMethod(w.window.get(), "UpdateClientsHint", Q_ARG(QString, QStringLiteral("状态 status")));
    } else {
        w.check("SendDisplay", true);
        w.check(w.page.stamps, true);
        w.window->findChild<QTextEdit *>(QStringLiteral("DataToSend"))->setPlainText(QStringLiteral("echo"));
        QMetaObject::invokeMethod(w.window.get(), "on_SnedData_clicked");
    }
    now(w.page.lines, true, "last");
    const QString after = w.shown();
    QVERIFY(after.startsWith(before));
    const QByteArray expected = existing + after.mid(before.size()).toUtf8();

    if (end == QLatin1String("uncheck")) {
        QTest::mouseClick(w.record, Qt::LeftButton);
    } else if (end == QLatin1String("reset")) {
        driver.press(QMessageBox::Yes).press(QMessageBox::Ok);
        QTest::mouseClick(w.window->findChild<QPushButton *>(QStringLiteral("resetButton")), Qt::LeftButton);
        QVERIFY(driver.done());
    } else {
        w.window.reset();
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(wrenpostSettings().value(QStringLiteral("options/recordFolder")).toString(), dir.path());
        return;
    }
    QVERIFY(!w.record->isChecked());
    QCOMPARE(fileBytes(path), expected);
    w.deliver("after the end");
    QCOMPARE(w.shown().endsWith(QLatin1String("after the end")), true);
    QCOMPARE(fileBytes(path), expected);
}

void tst_Recording::recordingThatCannotGoOn_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("how"); // "cancel", "full", "folder removed"

    for (const char *how : {"cancel", "full", "folder removed"})
        addPageRows(how, QString(how));
}

void tst_Recording::recordingThatCannotGoOn()
{
    QFETCH(int, page);
    QFETCH(QString, how);
    if (how == QLatin1String("full") && !QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full here");

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString folder = dir.filePath(QStringLiteral("folder"));
    const QString path = folder + QStringLiteral("/log.txt");
    if (how == QLatin1String("full"))
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), path));
    wrenpostSettings().setValue(QStringLiteral("options/recordFolder"), folder);

    Window w(page);
    ModalDriver driver;
    if (how == QLatin1String("cancel")) {
        driver.cancel();
        QTest::mouseClick(w.record, Qt::LeftButton);
        QVERIFY(driver.done());
        QCOMPARE(driver.seen().first().directory, folder); // the remembered folder is proposed
        QVERIFY(!w.record->isChecked());
        QVERIFY(!QFileInfo::exists(path));
        return;
    }
    w.startRecording(driver, path);
    QVERIFY(w.record->isChecked());
    if (how == QLatin1String("folder removed"))
        QVERIFY(QDir(folder).removeRecursively());
    driver.press(QMessageBox::Ok);
    w.deliver("lost");
    QTRY_VERIFY(driver.done());
    QCOMPARE(driver.seen().at(1).title, QStringLiteral("错误！"));
    QCOMPARE(driver.seen().at(1).text, QStringLiteral("写入文件失败！"));
    QVERIFY(!w.record->isChecked());
    w.deliver("still shown");
    QVERIFY(w.shown().endsWith(QLatin1String("lost\nstill shown")));
}

void tst_Recording::areaBound_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("recording");
    QTest::addColumn<bool>("burst"); // all batches within one frame

    addPageRows("recording, spread", true, false);
    addPageRows("recording, burst", true, true);
    addPageRows("not recording, spread", false, false);
    addPageRows("not recording, burst", false, true);
}

// The area keeps its newest whole lines after one line saying how many bytes
// left; the file keeps everything. Emptying the area starts a new count.
void tst_Recording::areaBound()
{
    QFETCH(int, page);
    QFETCH(bool, recording);
    QFETCH(bool, burst);

    constexpr qsizetype kLimit = 16 * 1024;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bound.txt"));
    Window w(page);
    w.display->setLimit(kLimit);
    ModalDriver driver;
    if (recording)
        w.startRecording(driver, path);

    QString all;
    for (int run = 0; run < 2; ++run) {
        QStringList lines;
        for (int i = 0; i < 2000; ++i) {
            const QByteArray line = "entry " + QByteArray::number(run * 2000 + i) + QByteArray(i % 50, 'x');
            lines << QString::fromLatin1(line);
            w.deliver(line);
            if (!burst && i % 100 == 0)
                QTest::qWait(20);
        }
        all += (run ? "\n" : "") + lines.join(QLatin1Char('\n'));
        const QString text = w.shown();
        QVERIFY(text.size() <= kLimit);
        QVERIFY(text.size() > kLimit / 2);
        const QStringList shown = text.split(QLatin1Char('\n'));
        const qsizetype left = lines.size() - (shown.size() - 1);
        QCOMPARE(shown.mid(1), lines.mid(left)); // whole lines left, the newest stayed
        qsizetype leftBytes = 0;
        for (qsizetype i = 0; i < left; ++i)
            leftBytes += lines.at(i).size();
        QCOMPARE(shown.first(), QStringLiteral("已清除较早的 %1 字节（勾选“记录到文件”可保存全部）").arg(leftBytes));
        QCOMPARE(w.display->cutBytes(), leftBytes);
        w.window->findChild<QPushButton *>(QLatin1String(w.page.clearButton))->click();
        QCOMPARE(w.area->toPlainText(), QString());
    }
    if (recording) {
        QTest::mouseClick(w.record, Qt::LeftButton);
        QCOMPARE(fileBytes(path), all.toUtf8());
    }
}

QTEST_MAIN(tst_Recording)
#include "tst_recording.moc"
