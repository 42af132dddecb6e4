#include "installcheck.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

// The .deb that cpack makes from the finished build.
class PackageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void holdsTheInstalledFiles();
    void control_data();
    void control();
    void passesLintian();
    void installsStartsAndRemovesInScratchRoot();

private:
    QString field(const QString &name) const;

    QTemporaryDir m_dir;
    QString m_deb;
};

void PackageTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString out = m_dir.filePath(QStringLiteral("out"));
    const ToolResult cpack = runTool(QStringLiteral(CPACK_COMMAND),
                                     {QStringLiteral("--config"), QStringLiteral(BUILD_DIR "/CPackConfig.cmake"),
                                      QStringLiteral("-B"), out},
                                     180000);
    QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.output));
    const QStringList debs = QDir(out).entryList({QStringLiteral("*.deb")}, QDir::Files);
    QCOMPARE(debs.size(), 1);
    m_deb = QDir(out).filePath(debs.first());
}

QString PackageTest::field(const QString &name) const
{
    return runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), m_deb, name}).output.trimmed();
}

static QStringList underUsr(const QStringList &files)
{
    QStringList prefixed;
    for (const QString &file : files)
        prefixed << QStringLiteral("usr/") + file;
    return prefixed;
}

void PackageTest::holdsTheInstalledFiles()
{
    const ToolResult contents = runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), m_deb});
    QCOMPARE(contents.exitCode, 0);
    QStringList files;
    for (const QString &line : contents.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('d')))
            continue;
        QVERIFY2(line.startsWith(QLatin1Char('-')), qPrintable(line)); // no links or devices
        QVERIFY2(line.contains(QStringLiteral(" root/root ")), qPrintable(line));
        files << line.section(QStringLiteral(" ./"), 1);
    }
    files.sort();
    QCOMPARE(files, underUsr(expectedInstalledFiles()));
}

void PackageTest::control_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("name") << "Package" << "wrenpost-crateforge";
    QTest::newRow("version of the pair") << "Version" << PACKAGE_VERSION;
    QTest::newRow("computed widgets") << "Depends" << "libqt6widgets6 (>=";
    QTest::newRow("computed network") << "Depends" << "libqt6network6 (>=";
    QTest::newRow("computed serial port") << "Depends" << "libqt6serialport6 (>=";
    QTest::newRow("computed C++ runtime") << "Depends" << "libstdc++6 (>=";
    QTest::newRow("svg plug-ins") << "Depends" << "libqt6svg6";
}

void PackageTest::control()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    const QString value = field(name);
    if (name == QLatin1String("Depends"))
        QVERIFY2(value.contains(expected), qPrintable(value));
    else
        QCOMPARE(value, expected);
}

void PackageTest::passesLintian()
{
    const ToolResult lint = runTool(QStringLiteral("lintian"), {QStringLiteral("--fail-on"), QStringLiteral("error"), m_deb},
                                    240000);
    QVERIFY2(lint.exitCode == 0, qPrintable(lint.output));
}

void PackageTest::installsStartsAndRemovesInScratchRoot()
{
    if (geteuid() != 0)
        QSKIP("dpkg --root sets file owners and needs root");
    const QString root = m_dir.filePath(QStringLiteral("root"));
    const QString admin = root + QStringLiteral("/var/lib/dpkg");
    QVERIFY(QDir().mkpath(admin + QStringLiteral("/info")));
    QVERIFY(QDir().mkpath(admin + QStringLiteral("/updates")));
    QFile status(admin + QStringLiteral("/status"));
    QVERIFY(status.open(QIODevice::WriteOnly));
    status.close();
    const QStringList dpkg{QStringLiteral("--root=") + root, QStringLiteral("--log=/dev/null")};

    // The scratch root has none of the Qt packages, so only the dependencies are forced.
    const ToolResult install = runTool(QStringLiteral("dpkg"),
                                       dpkg + QStringList{QStringLiteral("--force-depends"), QStringLiteral("-i"), m_deb});
    QVERIFY2(install.exitCode == 0, qPrintable(install.output));
    QCOMPARE(filesUnder(root + QStringLiteral("/usr")), expectedInstalledFiles());

    const QString failure = startFromMenu(root + QStringLiteral("/usr/share/applications/example.quillonlabs.wrenpost.desktop"),
                                          root + QStringLiteral("/usr/bin"), m_dir.path());
    QVERIFY2(failure.isEmpty(), qPrintable(failure));

    const ToolResult remove = runTool(QStringLiteral("dpkg"),
                                      dpkg + QStringList{QStringLiteral("-r"), QStringLiteral("wrenpost-crateforge")});
    QVERIFY2(remove.exitCode == 0, qPrintable(remove.output));
    QCOMPARE(filesUnder(root + QStringLiteral("/usr")), QStringList());
}

QTEST_MAIN(PackageTest)
#include "tst_package.moc"
