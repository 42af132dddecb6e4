// The real programs answer --help and --version on a terminal without a window
// or a display, in the locale's language, and refuse arguments they do not know.
#include "headlessrun.h"

#include <QtTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
};

void TestCommandLine::answers_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const QString wrenpost = QStringLiteral(WRENPOST_EXE);
    const QString crateforge = QStringLiteral(CRATEFORGE_EXE);
    QTest::newRow("wrenpost version") << wrenpost << "--version" << "C" << 0
                                      << "wrenpost " WRENPOST_VERSION_TEXT "\n" << "";
    QTest::newRow("crateforge -v") << crateforge << "-v" << "zh_CN.UTF-8" << 0
                                   << "crateforge " CRATEFORGE_VERSION_TEXT "\n" << "";
    QTest::newRow("wrenpost help, English") << wrenpost << "--help" << "en_GB.UTF-8" << 0
                                            << "Usage: wrenpost [options]\nWrenpost, " << "";
    QTest::newRow("crateforge help, Simplified") << crateforge << "-h" << "zh_CN.UTF-8" << 0
                                                 << "用法：crateforge [选项]\n匣坊，" << "";
    QTest::newRow("crateforge help, Traditional") << crateforge << "--help" << "zh_TW.UTF-8" << 0
                                                  << "用法：crateforge [選項]\n匣坊，單一" << "";
    QTest::newRow("unknown argument") << wrenpost << "--bogus" << "en_US.UTF-8" << 2 << ""
                                      << "wrenpost: unknown argument \"--bogus\"\nUsage: wrenpost [options]\n";
}

void TestCommandLine::answers()
{
    QFETCH(QString, program);
    QFETCH(QString, argument);
    QFETCH(QString, locale);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QProcessEnvironment environment = headless::environment(locale);
    // A refusal comes after the application object, which needs a platform.
    if (status != 0)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const headless::Run run = headless::run(program, {argument}, environment);
    const QString &stdOut = run.out;
    const QString &stdErr = run.err;
    QCOMPARE(run.status, status);
    QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.startsWith(out), qPrintable(stdOut));
    QCOMPARE(stdErr, err);
    if (argument == QLatin1String("-h") || argument == QLatin1String("--help"))
        QVERIFY2(stdOut.contains(QLatin1String("-v, --version")), qPrintable(stdOut));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
