// crateforge pack, the real binary with no display: a product that runs, the
// refusals, and a stop by signal that leaves nothing behind.
#include "headlessrun.h"
#include "sfxproducts.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace sfxproducts;

class TestPackCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void packs_data();
    void packs();
    void logInLanguage_data();
    void logInLanguage();
    void quietFailureKeepsErrors();
    void refuses_data();
    void refuses();
    void stopsOnSignal_data();
    void stopsOnSignal();

private:
    QProcess *start(const QStringList &arguments, const QString &workingDirectory,
                    const QString &locale = QStringLiteral("en_US.UTF-8"));
    QStringList leftovers() const;
    QString path(const QString &name) const { return m_work.filePath(name); }

    QTemporaryDir m_work;
};

const QFile::Permissions kExecutable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

QProcess *TestPackCommand::start(const QStringList &arguments, const QString &workingDirectory, const QString &locale)
{
    QProcessEnvironment environment = headless::environment(locale);
    environment.insert(QStringLiteral("TMPDIR"), path(QStringLiteral("tmp")));
    auto *process = new QProcess(this);
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(workingDirectory);
    process->start(QStringLiteral(CRATEFORGE_EXE), QStringList{QStringLiteral("pack")} + arguments);
    return process;
}

// Work folders, partial archives and archivers still running, of any run.
QStringList TestPackCommand::leftovers() const
{
    QStringList found;
    QDirIterator it(m_work.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = QFileInfo(it.next()).fileName();
        if (name.startsWith(QLatin1String("Crateforge_")) || name.contains(QLatin1String(".7z")))
            found << it.filePath();
    }
    QDirIterator processes(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (processes.hasNext()) {
        QFile cmdline(processes.next() + QStringLiteral("/cmdline"));
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(QFile::encodeName(m_work.path())))
            found << cmdline.fileName();
    }
    return found;
}

void TestPackCommand::initTestCase()
{
    QVERIFY(m_work.isValid());
    QVERIFY(QDir(m_work.path()).mkpath(QStringLiteral("tmp")));
    QVERIFY(writeFile(path(QStringLiteral("app/run.sh")), "#!/bin/sh\necho \"ran $1\"\nexit 7\n", kExecutable));
    QVERIFY(writeFile(path(QStringLiteral("app/data/notes.txt")), QByteArray(5000, 'n')));
    QVERIFY(writeFile(path(QStringLiteral("two/a.sh")), "#!/bin/sh\n", kExecutable));
    QVERIFY(writeFile(path(QStringLiteral("two/b.sh")), "#!/bin/sh\n", kExecutable));
    // Incompressible and large: at level ultra the archiver runs for many seconds.
    QByteArray noise(40 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    QVERIFY(writeFile(path(QStringLiteral("big/run.sh")), "#!/bin/sh\n", kExecutable));
    QVERIFY(writeFile(path(QStringLiteral("big/noise.bin")), noise));
}

void TestPackCommand::packs_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("err"); // what the log holds; empty: nothing at all

    QTest::newRow("the window's defaults") << QStringList{} << "-mx=5 -m0=LZMA -md=16M ";
    QTest::newRow("choices by name") << QStringList{"--level", "fastest", "--method", "lzma2", "--dictionary", "1m"}
                                     << "-mx=1 -m0=LZMA2 -md=1M ";
    QTest::newRow("quiet") << QStringList{"--quiet"} << "";
}

// The launcher is found by itself, the product lands in the current folder,
// runs the launcher with its arguments and exit code, and passes check.
void TestPackCommand::packs()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, err);
    const QString out = path(QStringLiteral("out_") + QString::number(QTest::currentDataTag()[0]));
    QVERIFY(QDir().mkpath(out));

    QProcess *pack = start(QStringList{path(QStringLiteral("app"))} + arguments, out);
    QVERIFY(pack->waitForFinished(60000));
    const QString log = QString::fromUtf8(pack->readAllStandardError());
    QCOMPARE(pack->exitCode(), 0);
    const QString product = out + QStringLiteral("/run");
    QCOMPARE(QString::fromUtf8(pack->readAllStandardOutput()).split(QLatin1Char('\n')).value(0), product);
    if (err.isEmpty())
        QCOMPARE(log, QString());
    QVERIFY2(log.contains(err) && !log.contains(QLatin1Char('\r')), qPrintable(log));

    const Outcome ran = runProduct(product, path(QStringLiteral("tmp")), {QStringLiteral("x")});
    QCOMPARE(ran.exitCode, 7);
    QCOMPARE(ran.out, QByteArray("ran x\n"));

    QCOMPARE(QProcess::execute(QStringLiteral(CRATEFORGE_EXE), {QStringLiteral("check"), product}), 0);
    QVERIFY(leftovers().isEmpty());
}

void TestPackCommand::logInLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("line");      // the launcher's icon notice, a line of its own
    QTest::addColumn<QString>("forbidden"); // matches nowhere in the log

    QTest::newRow("English") << "en_US.UTF-8" << "The main program has no icon; the program made will have none"
                             << "[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]|Warning";
    QTest::newRow("Traditional Chinese") << "zh_TW.UTF-8" << "主程式沒有圖示，製作出的程式將不帶圖示"
                                         << "[连设发务选择压缩认错误显图标开关闭时间单线为这级载输区据项]|警告";
    QTest::newRow("Simplified Chinese") << "zh_CN.UTF-8" << "主程序没有图标，制作出的程序将不带图标" << "警告";
}

// Every line the engine writes reaches the log in the user's language; a
// launcher without an icon gets one notice.
void TestPackCommand::logInLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QString, line);
    QFETCH(QString, forbidden);
    const QString out = path(QStringLiteral("log_") + locale);
    QVERIFY(QDir().mkpath(out));
    QProcess *pack = start({path(QStringLiteral("app"))}, out, locale);
    QVERIFY(pack->waitForFinished(60000));
    QCOMPARE(pack->exitCode(), 0);
    const QString log = QString::fromUtf8(pack->readAllStandardError());
    QVERIFY2(log.split(QLatin1Char('\n')).contains(line), qPrintable(log));
    const QRegularExpressionMatch found = QRegularExpression(forbidden).match(log);
    QVERIFY2(!found.hasMatch(), qPrintable(found.captured() + QStringLiteral(" in:\n") + log));
}

// --quiet keeps the error lines in the locale's words, not only the last one.
void TestPackCommand::quietFailureKeepsErrors()
{
    const QString out = path(QStringLiteral("blocked"));
    QVERIFY(QDir().mkpath(out + QStringLiteral("/run"))); // where the product would go
    QProcess *pack = start({path(QStringLiteral("app")), QStringLiteral("--quiet")}, out);
    QVERIFY(pack->waitForFinished(60000));
    QCOMPARE(pack->exitCode(), 1);
    QCOMPARE(pack->readAllStandardOutput(), QByteArray());
    const QString cause = QStringLiteral("cannot create the output file: ") + out + QStringLiteral("/run");
    QCOMPARE(QString::fromUtf8(pack->readAllStandardError()),
             QStringLiteral("Error: %1\nError: the build failed: %1\n").arg(cause));
}

void TestPackCommand::refuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("err");

    const QString usage = QStringLiteral("\nusage: crateforge pack SOURCE_FOLDER [--main PROGRAM]");
    QTest::newRow("no folder") << QStringList{} << "crateforge: no source folder given" + usage;
    QTest::newRow("two folders") << QStringList{"app", "two"} << "crateforge: unexpected argument 'two'" + usage;
    QTest::newRow("unknown level") << QStringList{"app", "--level", "huge"}
                                   << "crateforge: invalid value 'huge' for --level" + usage;
    QTest::newRow("two launchers") << QStringList{"two"}
                                   << "several equally likely main programs; choose one with --main: \n  a.sh\n  b.sh\n";
    QTest::newRow("not a main program") << QStringList{"app", "--main", "data"} << "crateforge: ";
    QTest::newRow("output inside the source") << QStringList{"app", "--output", "app/data"} << "crateforge: ";
}

// Refused before anything is made, with the reason on standard error.
void TestPackCommand::refuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, err);
    QProcess *pack = start(arguments, m_work.path());
    QVERIFY(pack->waitForFinished(30000));
    QCOMPARE(pack->exitCode(), 2);
    QCOMPARE(pack->readAllStandardOutput(), QByteArray());
    const QString log = QString::fromUtf8(pack->readAllStandardError());
    QVERIFY2(log.contains(err), qPrintable(log));
    QVERIFY(!QFile::exists(path(QStringLiteral("run"))));
}

void TestPackCommand::stopsOnSignal_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGTERM") << SIGTERM;
}

// Stopped while the archiver runs: it ends, and neither the work folder, nor
// the partial archive, nor a product is left.
void TestPackCommand::stopsOnSignal()
{
    QFETCH(int, signal);
    const QString out = path(QStringLiteral("stopped"));
    QVERIFY(QDir().mkpath(out));
    QProcess *pack = start({path(QStringLiteral("big")), QStringLiteral("--level"), QStringLiteral("ultra"),
                            QStringLiteral("--output"), out},
                           m_work.path());
    QByteArray log;
    QTRY_VERIFY_WITH_TIMEOUT((log += pack->readAllStandardError()).contains("Archiver started"), 30000);
    ::kill(pid_t(pack->processId()), signal);
    QVERIFY(pack->waitForFinished(20000));
    QCOMPARE(pack->exitCode(), 128 + signal);
    QCOMPARE(pack->readAllStandardOutput(), QByteArray());
    QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    QTRY_COMPARE(leftovers(), QStringList());
}

QTEST_GUILESS_MAIN(TestPackCommand)
#include "tst_packcommand.moc"
