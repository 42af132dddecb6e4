// The serial page's file buttons: the receive area saved where chosen,
// a text file loaded into the send area.

#include "pagefixture.h"

#include "messageboxes.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTranslator>

#include <functional>

#include <unistd.h>

namespace {

const QString kChinesePattern = QStringLiteral("/yyyy年MM月dd日hh-mm-ss");
const QString kEnglishPattern = QStringLiteral("/yyyy-MM-dd hh-mm-ss");

// The names a save made between `from` and `to` can have, one a second.
QStringList saveCandidates(const QDateTime &from, const QDateTime &to, const QString &pattern,
                           const QString &folder = QCoreApplication::applicationDirPath())
{
    QStringList names;
    for (QDateTime at = from.addSecs(-1); at <= to.addSecs(1); at = at.addSecs(1))
        names << folder + at.toString(pattern) + QStringLiteral(".txt");
    return names;
}

QStringList savedFiles()
{
    return QDir(QCoreApplication::applicationDirPath())
        .entryList({QStringLiteral("*.txt")}, QDir::Files | QDir::System | QDir::Dirs | QDir::NoDotAndDotDot);
}

// Answers the next file dialog: chooses `path` (or cancels when it is empty),
// then runs `afterAccept` before the code under test sees the answer. Message
// boxes that follow the dialog are answered with OK by boxes().
class FileDialogAnswerer : public QObject
{
public:
    explicit FileDialogAnswerer(QString path, std::function<void()> afterAccept = {})
        : m_path(std::move(path)), m_afterAccept(std::move(afterAccept))
    {
        connect(&m_timer, &QTimer::timeout, this, &FileDialogAnswerer::poll);
        m_timer.start(10);
    }
    bool seen() const { return m_seen; }
    // Null until the dialog was answered.
    const MessageBoxAnswerer *boxes() const { return m_boxes.get(); }
    int boxCount() const { return m_boxes ? m_boxes->count() : 0; }
    QString caption() const { return m_caption; }
    bool hadParent() const { return m_hadParent; }
    QString offered() const { return m_offered; }

private:
    void poll()
    {
        if (++m_polls > 1000) {
            m_timer.stop();
            return;
        }
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (!m_seen) {
            m_seen = true;
            m_caption = dialog->windowTitle();
            m_hadParent = dialog->parentWidget() != nullptr;
            m_offered = dialog->selectedFiles().value(0);
        }
        if (m_path.isEmpty() || ++m_attempts > 100) {
            m_timer.stop();
            m_boxes = std::make_unique<MessageBoxAnswerer>(QMessageBox::Ok, 5000);
            dialog->reject();
            return;
        }
        // The name typed in full, as a user would; the dialog's own view of
        // the folder fills in later, on a thread of its own.
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(m_path);
        else
            dialog->selectFile(m_path);
        QMetaObject::invokeMethod(dialog, "accept");
        if (dialog->isVisible())
            return;
        m_timer.stop();
        m_boxes = std::make_unique<MessageBoxAnswerer>(QMessageBox::Ok, 5000);
        if (m_afterAccept)
            m_afterAccept();
    }

    QString m_path;
    std::function<void()> m_afterAccept;
    QTimer m_timer;
    std::unique_ptr<MessageBoxAnswerer> m_boxes;
    int m_polls = 0;
    int m_attempts = 0;
    bool m_seen = false;
    QString m_caption;
    QString m_offered;
    bool m_hadParent = false;
};

} // namespace

class tst_SerialFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        clearWrenpostStores();
        m_before = savedFiles();
    }
    void cleanup();

    void saveReceiveArea_data();
    void saveReceiveArea();
    void saveEmptyAreaDoesNothing();
    void saveThatCannotBeWritten_data();
    void saveThatCannotBeWritten();
    void openTextFile();
    void openCancelled();
    void openUnreadable_data();
    void openUnreadable();

private:
    void removeNewFiles();

    QStringList m_before;
    std::unique_ptr<QTranslator> m_translator;
};

void tst_SerialFiles::cleanup()
{
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
    }
    removeNewFiles();
    SerialPortList::setSource({});
}

// Whatever a test left beside the program goes again, files, links and folders.
void tst_SerialFiles::removeNewFiles()
{
    const QDir dir(QCoreApplication::applicationDirPath());
    const QStringList now = savedFiles();
    for (const QString &name : now) {
        if (m_before.contains(name))
            continue;
        const QString path = dir.filePath(name);
        const QFileInfo info(path);
        if (info.isDir() && !info.isSymLink())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
}

void tst_SerialFiles::saveReceiveArea_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("source language") << QString() << kChinesePattern << QStringLiteral("提示！")
                                     << QStringLiteral("保存成功！");
    QTest::newRow("English") << QStringLiteral(":/translations/lang_en_US.qm") << kEnglishPattern
                             << QStringLiteral("Notice!") << QStringLiteral("Saved!");
}

void tst_SerialFiles::saveReceiveArea()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, pattern);
    QFETCH(QString, title);
    QFETCH(QString, text);

    if (!catalogue.isEmpty()) {
        m_translator = std::make_unique<QTranslator>();
        QVERIFY(m_translator->load(catalogue));
        QVERIFY(QCoreApplication::installTranslator(m_translator.get()));
    }
    OpenSerialPage page;
    QVERIFY(page.open());
    page.get<QCheckBox>("AutoSwitchLine_2")->setChecked(true);
    QVERIFY(page.peer.write(QStringLiteral("第一行 line one").toUtf8()));
    QTRY_VERIFY(page.receiveArea()->toPlainText().endsWith(QStringLiteral("line one")));
    QVERIFY(page.peer.write("second line"));
    QTRY_VERIFY(page.receiveArea()->toPlainText().endsWith(QStringLiteral("second line")));
    const QString content = page.receiveArea()->toPlainText();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("接收.txt"));
    FileDialogAnswerer choose(path);
    const QDateTime from = QDateTime::currentDateTime();
    QTest::mouseClick(page.get<QPushButton>("SaveData"), Qt::LeftButton);
    const QDateTime to = QDateTime::currentDateTime();

    // Offered beside the program, named by the time in the interface's language.
    QVERIFY(saveCandidates(from, to, pattern).contains(choose.offered()));
    QVERIFY(choose.boxes());
    const MessageBoxAnswerer &answer = *choose.boxes();
    QVERIFY(answer.seen());
    QCOMPARE(answer.icon(), QMessageBox::Information);
    QCOMPARE(answer.title(), title);
    QCOMPARE(answer.text(), text);
    QVERIFY(!answer.hadParent());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // Text mode: line ends are the platform's own.
    QCOMPARE(file.readAll(), content.toUtf8());
}

void tst_SerialFiles::saveEmptyAreaDoesNothing()
{
    QStringList ports{QStringLiteral("ttyS0")};
    SerialPortList::setSource([&ports] { return ports; });
    MainWindow w;
    MessageBoxAnswerer answer(QMessageBox::Ok, 300);
    QTest::mouseClick(child<QPushButton>(&w, "SaveData"), Qt::LeftButton);
    QTest::qWait(50);
    QVERIFY(!answer.seen());
    QCOMPARE(savedFiles(), m_before);
}

void tst_SerialFiles::saveThatCannotBeWritten_data()
{
    QTest::addColumn<bool>("diskFull");
    // Open fails: a folder holds the file's name.
    QTest::newRow("folder in the way") << false;
    // Open succeeds, the writing fails: the name leads to a device that is always full.
    QTest::newRow("disk full") << true;
}

void tst_SerialFiles::saveThatCannotBeWritten()
{
    QFETCH(bool, diskFull);
    if (diskFull && !QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full here");

    OpenSerialPage page;
    QVERIFY(page.open());
    QVERIFY(page.peer.write(QByteArray(40000, 'r')));
    QTRY_COMPARE(page.receivedCount(), QStringLiteral("累计接收：40000"));

    // Once chosen, the name becomes a folder, or leads to a device that is always full.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("接收.txt"));
    FileDialogAnswerer choose(path, [&] {
        QVERIFY(diskFull ? QFile::link(QStringLiteral("/dev/full"), path) : QDir().mkdir(path));
    });
    QTest::mouseClick(page.get<QPushButton>("SaveData"), Qt::LeftButton);
    QVERIFY(choose.boxes());
    const MessageBoxAnswerer &answer = *choose.boxes();
    QVERIFY(answer.seen());
    QCOMPARE(answer.count(), 1);
    QCOMPARE(answer.icon(), QMessageBox::Warning);
    QCOMPARE(answer.title(), QStringLiteral("错误！"));
    QCOMPARE(answer.text(), QStringLiteral("写入文件失败！"));
}

void tst_SerialFiles::openTextFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("消息.txt"));
    const QString content = QStringLiteral("你好，串口\nsecond line 第二行\n41 42 43");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content.toUtf8());
    file.close();

    OpenSerialPage page;
    QVERIFY(page.open());
    FileDialogAnswerer choose(path);
    QTest::mouseClick(page.get<QPushButton>("OpenFile"), Qt::LeftButton);
    QVERIFY(choose.seen());
    QCOMPARE(choose.caption(), QStringLiteral("请选择txt文件"));
    QVERIFY(!choose.hadParent());
    QTest::qWait(50);
    QCOMPARE(choose.boxCount(), 0);
    QCOMPARE(page.sendArea()->toPlainText(), content);

    // What was loaded is what goes out.
    page.send();
    QTRY_COMPARE(page.peer.received(), content.toUtf8());
}

void tst_SerialFiles::openCancelled()
{
    OpenSerialPage page;
    QVERIFY(page.open());
    page.sendArea()->setPlainText(QStringLiteral("kept"));
    FileDialogAnswerer cancel{QString()};
    QTest::mouseClick(page.get<QPushButton>("OpenFile"), Qt::LeftButton);
    QVERIFY(cancel.seen());
    QCOMPARE(cancel.boxCount(), 1);
    const MessageBoxAnswerer &answer = *cancel.boxes();
    QCOMPARE(answer.icon(), QMessageBox::Warning);
    QCOMPARE(answer.title(), QStringLiteral("提示"));
    QCOMPARE(answer.text(), QStringLiteral("未选择文件"));
    QCOMPARE(answer.buttonTexts(), QStringList{QStringLiteral("确定")});
    QVERIFY(!answer.hadParent());
    QCOMPARE(page.sendArea()->toPlainText(), QStringLiteral("kept"));
}

void tst_SerialFiles::openUnreadable_data()
{
    QTest::addColumn<bool>("folderInPlace");
    QTest::newRow("no read permission") << false;
    // Chosen as a file, gone when it is opened: a folder now has its name.
    QTest::newRow("folder in its place") << true;
}

void tst_SerialFiles::openUnreadable()
{
    QFETCH(bool, folderInPlace);
    if (!folderInPlace && ::geteuid() == 0)
        QSKIP("permissions do not stop the superuser from reading");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("locked.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("secret");
    file.close();
    std::function<void()> afterAccept;
    if (folderInPlace)
        afterAccept = [path] { QFile::remove(path); QDir().mkdir(path); };
    else
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));

    OpenSerialPage page;
    QVERIFY(page.open());
    page.sendArea()->setPlainText(QStringLiteral("kept"));
    FileDialogAnswerer choose(path, afterAccept);
    QTest::mouseClick(page.get<QPushButton>("OpenFile"), Qt::LeftButton);
    QVERIFY(choose.seen());
    QCOMPARE(choose.boxCount(), 1);
    const MessageBoxAnswerer &answer = *choose.boxes();
    QCOMPARE(answer.icon(), QMessageBox::Warning);
    QCOMPARE(answer.title(), QStringLiteral("错误："));
    QCOMPARE(answer.text(), QStringLiteral("打开文件失败"));
    QCOMPARE(page.sendArea()->toPlainText(), QStringLiteral("kept"));
}

QTEST_MAIN(tst_SerialFiles)
#include "tst_serialfiles.moc"
