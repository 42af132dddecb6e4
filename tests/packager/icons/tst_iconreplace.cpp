#include "producttools.h"
#include "toolfolder.h"
#include "worker.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

// replaceExeIcon with the real bundled editor, and with stand-ins for it in
// the tool folder: one that cannot start, ones that hang, one that fails.
class tst_IconReplace : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QByteArray m_product;
    QByteArray m_ico;
    QString m_tools;

    QString editorPath() const { return m_tools + QStringLiteral("/ResourceHacker.exe"); }
    QString iconFolder() const { return m_tools + QStringLiteral("/crateforge-icons"); }

    QString freshProduct(const QByteArray &bytes = {})
    {
        const QString path = m_dir.filePath(QStringLiteral("out/app.exe"));
        QDir().mkpath(QFileInfo(path).path());
        QFile::remove(path + QStringLiteral(".bak"));
        producttools::writeFile(path, bytes.isNull() ? m_product : bytes);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    // A stand-in editor: a shell script the tool folder trusts (ours, 0700)
    // and, unless a planted one, the worker's carried copy as well.
    void installFakeEditor(const QByteArray &script, QFile::Permissions permissions = QFile::ReadOwner
                                                         | QFile::WriteOwner | QFile::ExeOwner, bool carried = true)
    {
        QFile::remove(editorPath());
        QVERIFY(producttools::writeFile(editorPath(), script));
        QVERIFY(QFile::setPermissions(editorPath(), permissions));
        s_carriedEditor = carried ? editorPath() : QString();
    }

    static inline QString s_carriedEditor;

    struct Call
    {
        bool result = false;
        QStringList log;
        qint64 elapsedMs = 0;
    };

    // The icon-cache pauses are cut; the editor's time limits are as designed
    // unless given.
    static Call replace(const QString &exe, const QByteArray &ico, Worker::Timing timing = {})
    {
        Worker worker;
        timing.iconCachePauseMs = 0;
        timing.afterIconPauseMs = 0;
        worker.setTiming(timing);
        Worker::ToolSources tools;
        if (!s_carriedEditor.isEmpty())
            tools.editor = s_carriedEditor;
        worker.setToolSources(tools);
        Call call;
        QObject::connect(&worker, &Worker::logMessage, &worker, [&call](const QString &line) { call.log << line; });
        QElapsedTimer timer;
        timer.start();
        call.result = worker.replaceExeIcon(exe, ico);
        call.elapsedMs = timer.elapsed();
        return call;
    }

    // The icon file the call wrote: temp_icon.ico in a folder of the call's
    // own under the tool folder's "crateforge-icons" folder. Empty when none was logged.
    QString loggedIconPath(const Call &call) const
    {
        const QString prefix = QStringLiteral("临时图标文件创建成功: ");
        const QStringList lines = call.log.filter(prefix);
        if (lines.size() != 1)
            return {};
        const QString path = lines.first().mid(prefix.size());
        const QFileInfo info(path);
        if (info.fileName() != QLatin1String("temp_icon.ico") || QFileInfo(info.path()).path() != iconFolder())
            return {};
        return path;
    }

    // No icon file and no folder of a call is left behind.
    bool iconFolderEmpty() const
    {
        return QDir(iconFolder()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    }

    QStringList normalLog(const QString &exe, const QString &icon) const
    {
        return {QStringLiteral("开始替换图标: %1").arg(exe),
                QStringLiteral("临时图标文件创建成功: %1").arg(icon),
                QStringLiteral("删除旧图标资源..."),
                QStringLiteral("添加新图标资源..."),
                QStringLiteral("更新图标缓存..."),
                QStringLiteral("警告：无法从EXE加载图标，可能需要重启资源管理器"),
                QStringLiteral("图标替换完成")};
    }

    QStringList failedAddLog(const QString &exe, const QString &icon, bool deleteOverran) const
    {
        QStringList log{QStringLiteral("开始替换图标: %1").arg(exe),
                        QStringLiteral("临时图标文件创建成功: %1").arg(icon), QStringLiteral("删除旧图标资源...")};
        if (deleteOverran)
            log << QStringLiteral("警告：ResourceHacker删除旧图标失败，可能原本没有图标");
        log << QStringLiteral("添加新图标资源...") << QStringLiteral("错误：ResourceHacker添加新图标失败");
        return log;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_product = producttools::makeProduct(m_dir.path(), QStringLiteral("app"));
        QVERIFY(!m_product.isEmpty());
        m_ico = producttools::readFile(QStringLiteral(ICON_FIXTURE_DIR "/multi.ico"));
        QVERIFY(!m_ico.isEmpty());
        m_tools = toolFolderPath();
        QVERIFY(!m_tools.isEmpty());
    }

    void init()
    {
        s_carriedEditor.clear();
        QFile::remove(editorPath());
        QDir(editorPath()).removeRecursively();
        QFile::remove(iconFolder());
        QDir(iconFolder()).removeRecursively();
    }

    void normalPathLeavesNoTemporaryFiles()
    {
        const QString exe = freshProduct();
        const Call call = replace(exe, m_ico);
        QVERIFY(call.result);
        const QString icon = loggedIconPath(call);
        QVERIFY2(!icon.isEmpty(), qPrintable(call.log.join(QLatin1Char('\n'))));
        QCOMPARE(call.log, normalLog(exe, icon));
        QVERIFY(iconFolderEmpty());
        QVERIFY(!QFile::exists(exe + QStringLiteral(".bak")));
        QVERIFY(QFile::exists(editorPath()));
        QCOMPARE(producttools::productIcon(producttools::readFile(exe)), m_ico);

        const producttools::Run run = producttools::runProgram(exe);
        const producttools::Run plain = producttools::runProgram(freshProductCopy());
        QCOMPARE(run.exitCode, plain.exitCode);
        QVERIFY2(producttools::ranProbe(plain), plain.output.constData());
        QVERIFY2(producttools::ranProbe(run), run.output.constData());
    }

    // The second call finds the editor already there, removes a stale backup
    // and writes an icon file of its own: one left in the tool folder (by
    // another program, under the shared name) is never handed to the editor.
    void secondCallReplacesIcon()
    {
        const QString exe = freshProduct();
        QVERIFY(replace(exe, m_ico).result);
        QVERIFY(producttools::writeFile(exe + QStringLiteral(".bak"), "stale"));
        const QString shared = m_tools + QStringLiteral("/temp_icon.ico");
        QVERIFY(producttools::writeFile(shared, QByteArray(100000, 'x')));
        const QByteArray other = producttools::readFile(QStringLiteral(ICON_FIXTURE_DIR "/png16.ico"));
        const Call call = replace(exe, other);
        QFile::remove(shared);
        QVERIFY(call.result);
        QCOMPARE(call.log, normalLog(exe, loggedIconPath(call)));
        QVERIFY(!QFile::exists(exe + QStringLiteral(".bak")));
        QVERIFY(iconFolderEmpty());
        QCOMPARE(producttools::productIcon(producttools::readFile(exe)), other);
    }

    void editorThatCannotStart()
    {
        installFakeEditor(QByteArray("\x01\x02 not a program", 17));
        const QString exe = freshProduct();
        const Call call = replace(exe, m_ico);
        QVERIFY(!call.result);
        QCOMPARE(call.log, failedAddLog(exe, loggedIconPath(call), true));
        QVERIFY(call.elapsedMs < 4000);
        QCOMPARE(producttools::readFile(exe), m_product);
        QVERIFY(iconFolderEmpty());
        QVERIFY(!QFile::exists(exe + QStringLiteral(".bak")));
    }

    // Our editor's exit code is honest, so a refused add is a failure.
    void addThatFailsIsFailure()
    {
        const QByteArray notProduct("plain bytes, no product here");
        const QString exe = freshProduct(notProduct);
        const Call call = replace(exe, m_ico);
        QVERIFY(!call.result);
        QCOMPARE(call.log, failedAddLog(exe, loggedIconPath(call), false));
        QCOMPARE(producttools::readFile(exe), notProduct);
        QVERIFY(iconFolderEmpty());
        QVERIFY(!QFile::exists(exe + QStringLiteral(".bak")));
    }

    // An overrunning editor is stopped: it never writes after the call has
    // moved on, and the executable is left as it was.
    void hangingEditorIsStopped_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<bool>("deleteOverruns");
        QTest::addColumn<int>("tamperAfterMs");
        QTest::newRow("add overruns") << QByteArray("#!/bin/sh\n"
                                                    "[ \"$6\" = addoverwrite ] || exit 0\n"
                                                    "sleep 3\nprintf tampered >> \"$2\"\n")
                                      << false << 3000;
        QTest::newRow("delete overruns") << QByteArray("#!/bin/sh\n"
                                                       "[ \"$6\" = delete ] || exit 3\n"
                                                       "sleep 2\nprintf tampered >> \"$2\"\n")
                                         << true << 2000;
    }
    void hangingEditorIsStopped()
    {
        QFETCH(QByteArray, script);
        QFETCH(bool, deleteOverruns);
        QFETCH(int, tamperAfterMs);
        installFakeEditor(script);
        const QString exe = freshProduct();
        QElapsedTimer sinceStart;
        sinceStart.start();
        // Time limits of 1 s and 2 s, which the stand-ins overrun.
        Worker::Timing timing;
        timing.editorDeleteMs = 1000;
        timing.editorAddMs = 2000;
        const Call call = replace(exe, m_ico, timing);
        QVERIFY(!call.result);
        QCOMPARE(call.log, failedAddLog(exe, loggedIconPath(call), deleteOverruns));
        QVERIFY(iconFolderEmpty());
        QVERIFY(!QFile::exists(exe + QStringLiteral(".bak")));
        // Past the moment the stand-in would have written, had it lived.
        QTest::qWait(int(qMax<qint64>(0, tamperAfterMs + 1500 - sinceStart.elapsed())));
        QCOMPARE(producttools::readFile(exe), m_product);
    }

    // When an earlier step changed the executable and the add step fails,
    // the backup is put back before it is removed.
    void failedAddRestoresBackup()
    {
        installFakeEditor("#!/bin/sh\n"
                          "if [ \"$6\" = delete ]; then printf changed > \"$2.new\" && mv \"$2.new\" \"$2\"; exit 0; fi\n"
                          "exit 1\n");
        const QString exe = freshProduct();
        const Call call = replace(exe, m_ico);
        QVERIFY(!call.result);
        QCOMPARE(call.log, failedAddLog(exe, loggedIconPath(call), false));
        QCOMPARE(producttools::readFile(exe), m_product);
        QVERIFY(QFileInfo(exe).isExecutable());
        QVERIFY(!QFile::exists(exe + QStringLiteral(".bak")));
    }

    void untrustedEditorIsReplaced()
    {
        installFakeEditor("#!/bin/sh\nexit 9\n", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                                     | QFile::WriteOther | QFile::ExeOther, false);
        QVERIFY2(!isTrustedTool(editorPath()), "the tool folder's trust check accepts files that others can write");
        const QString exe = freshProduct();
        const Call call = replace(exe, m_ico);
        QVERIFY(call.result);
        QCOMPARE(call.log, normalLog(exe, loggedIconPath(call)));
        QCOMPARE(producttools::productIcon(producttools::readFile(exe)), m_ico);
    }

    // Two programs giving icons at the same moment: each product gets its own
    // icon, although both editors run while the other's icon file exists.
    void concurrentCallsKeepTheirIcons()
    {
        installFakeEditor("#!/bin/sh\n[ \"$6\" = addoverwrite ] && sleep 0.5\nexec '" ICON_EDITOR "' \"$@\"\n");
        QStringList products;
        for (const char *name : {"first", "second"}) {
            const QString path = m_dir.filePath(QStringLiteral("both/%1.exe").arg(QLatin1String(name)));
            QDir().mkpath(QFileInfo(path).path());
            QVERIFY(producttools::writeFile(path, m_product));
            products << path;
        }
        const QByteArray icons[] = {m_ico, producttools::readFile(QStringLiteral(ICON_FIXTURE_DIR "/png16.ico"))};
        bool results[] = {false, false};
        std::thread other([&] { results[1] = replace(products[1], icons[1]).result; });
        results[0] = replace(products[0], icons[0]).result;
        other.join();
        for (int i = 0; i < 2; ++i) {
            QVERIFY(results[i]);
            QCOMPARE(producttools::productIcon(producttools::readFile(products[i])), icons[i]);
        }
        QVERIFY(iconFolderEmpty());
    }

    void earlyFailures_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("backupStays");
        QTest::newRow("no executable to back up") << QStringLiteral("missing") << QStringLiteral("错误：无法创建备份文件")
                                                  << false;
        QTest::newRow("editor cannot be copied") << QStringLiteral("editor-folder")
                                                 << QStringLiteral("错误：无法复制ResourceHacker到临时目录") << true;
        QTest::newRow("temporary icon cannot be created") << QStringLiteral("icon-folder")
                                                          << QStringLiteral("错误：无法创建临时图标文件") << true;
    }
    void earlyFailures()
    {
        QFETCH(QString, setup);
        QFETCH(QString, error);
        QFETCH(bool, backupStays);
        QString exe = freshProduct();
        if (setup == QStringLiteral("missing"))
            exe = m_dir.filePath(QStringLiteral("out/missing.exe"));
        else if (setup == QStringLiteral("editor-folder"))
            QVERIFY(QDir().mkpath(editorPath() + QStringLiteral("/inside")));
        else
            QVERIFY(producttools::writeFile(iconFolder(), "not a folder"));

        const Call call = replace(exe, m_ico);
        QVERIFY(!call.result);
        QCOMPARE(call.log, (QStringList{QStringLiteral("开始替换图标: %1").arg(exe), error}));
        QCOMPARE(QFile::exists(exe + QStringLiteral(".bak")), backupStays);
        if (setup != QStringLiteral("missing"))
            QCOMPARE(producttools::readFile(exe), m_product);
    }

private:
    QString freshProductCopy()
    {
        const QString path = m_dir.filePath(QStringLiteral("plain/app.exe"));
        QDir().mkpath(QFileInfo(path).path());
        producttools::writeFile(path, m_product);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
};

QTEST_MAIN(tst_IconReplace)
#include "tst_iconreplace.moc"
