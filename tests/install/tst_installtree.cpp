#include "installcheck.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

// cmake --install of the finished build into a fresh prefix, checked the way a
// desktop sees it.
class InstallTreeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void holdsExactlyTheExpectedFiles();
    void iconsHaveTheirFolderSize();
    void desktopFilesValidate_data();
    void desktopFilesValidate();
    void startsFromPrefix_data();
    void startsFromPrefix();

private:
    QTemporaryDir m_prefix;
    QTemporaryDir m_work;
};

void InstallTreeTest::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    QVERIFY(m_work.isValid());
    const ToolResult install = runTool(QStringLiteral(CMAKE_COMMAND),
                                       {QStringLiteral("--install"), QStringLiteral(BUILD_DIR),
                                        QStringLiteral("--prefix"), m_prefix.path()});
    QVERIFY2(install.exitCode == 0, qPrintable(install.output));
}

void InstallTreeTest::holdsExactlyTheExpectedFiles()
{
    QCOMPARE(filesUnder(m_prefix.path()), expectedInstalledFiles());
}

void InstallTreeTest::iconsHaveTheirFolderSize()
{
    const QRegularExpression sized(QStringLiteral("/(\\d+)x\\1/apps/[^/]+\\.png$"));
    int pngs = 0;
    for (const QString &file : filesUnder(m_prefix.path())) {
        const QRegularExpressionMatch match = sized.match(file);
        if (!match.hasMatch())
            continue;
        const int size = match.captured(1).toInt();
        const QImage image(m_prefix.filePath(file));
        QVERIFY2(!image.isNull(), qPrintable(file));
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY2(image.hasAlphaChannel(), qPrintable(file));
        ++pngs;
    }
    QCOMPARE(pngs, 16);
}

void InstallTreeTest::desktopFilesValidate_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("releaseVersion"); // empty for desktop entries

    QTest::newRow("wrenpost entry") << "share/applications/example.quillonlabs.wrenpost.desktop" << "";
    QTest::newRow("crateforge entry") << "share/applications/example.quillonlabs.crateforge.desktop" << "";
    QTest::newRow("wrenpost metainfo") << "share/metainfo/example.quillonlabs.wrenpost.metainfo.xml" << "1.0.4.02";
    QTest::newRow("crateforge metainfo") << "share/metainfo/example.quillonlabs.crateforge.metainfo.xml" << "1.0.6.02";
}

void InstallTreeTest::desktopFilesValidate()
{
    QFETCH(QString, file);
    QFETCH(QString, releaseVersion);
    const QString path = m_prefix.filePath(file);

    if (releaseVersion.isEmpty()) {
        const ToolResult lint = runTool(QStringLiteral("desktop-file-validate"), {path});
        QVERIFY2(lint.exitCode == 0 && lint.output.trimmed().isEmpty(), qPrintable(lint.output));
        return;
    }
    // --no-net: validation must never reach out to the URLs in the file.
    const ToolResult lint = runTool(QStringLiteral("appstreamcli"),
                                    {QStringLiteral("validate"), QStringLiteral("--no-net"), path});
    QVERIFY2(lint.exitCode == 0, qPrintable(lint.output));
    const QRegularExpression problem(QStringLiteral("^[EW]: "), QRegularExpression::MultilineOption);
    QVERIFY2(!lint.output.contains(problem), qPrintable(lint.output));

    QFile metainfo(path);
    QVERIFY(metainfo.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(metainfo.readAll()).contains(QStringLiteral("<release version=\"%1\"").arg(releaseVersion)));
}

void InstallTreeTest::startsFromPrefix_data()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("wrenpost") << "example.quillonlabs.wrenpost.desktop";
    QTest::newRow("crateforge") << "example.quillonlabs.crateforge.desktop";
}

void InstallTreeTest::startsFromPrefix()
{
    QFETCH(QString, entry);
    const QString failure = startFromMenu(m_prefix.filePath(QStringLiteral("share/applications/") + entry),
                                          m_prefix.filePath(QStringLiteral("bin")), m_work.path());
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

QTEST_MAIN(InstallTreeTest)
#include "tst_installtree.moc"
