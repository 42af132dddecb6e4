#include "toolfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kOtherUser = 65534;

void writeFile(const QString &path, const QByteArray &data, mode_t mode)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(data);
    file.close();
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

mode_t modeOf(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

} // namespace

class ToolFolderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void privateTemporaryFolderIsUsedAsItIs();
    void sharedTemporaryFolderGetsPrivateFolder();
    void plantedPrivateFolderIsRefused_data();
    void plantedPrivateFolderIsRefused();
    void trustedTool_data();
    void trustedTool();
    void provideToolReplacesUntrusted_data();
    void provideToolReplacesUntrusted();
    void provideToolKeepsTrusted();

private:
    QTemporaryDir *m_root = nullptr;
    QByteArray m_savedTmp;
    QString sharedTemp();
};

void ToolFolderTest::init()
{
    m_savedTmp = qgetenv("TMPDIR");
    m_root = new QTemporaryDir;
    QVERIFY(m_root->isValid());
}

void ToolFolderTest::cleanup()
{
    qputenv("TMPDIR", m_savedTmp);
    delete m_root;
    m_root = nullptr;
}

// A folder like /tmp: sticky and writable by everybody.
QString ToolFolderTest::sharedTemp()
{
    const QString shared = m_root->filePath(QStringLiteral("shared"));
    QDir().mkpath(shared);
    ::chmod(QFile::encodeName(shared).constData(), 01777);
    qputenv("TMPDIR", QFile::encodeName(shared));
    return shared;
}

void ToolFolderTest::privateTemporaryFolderIsUsedAsItIs()
{
    const QString own = m_root->filePath(QStringLiteral("own"));
    QDir().mkpath(own);
    ::chmod(QFile::encodeName(own).constData(), 0700);
    qputenv("TMPDIR", QFile::encodeName(own));
    QCOMPARE(toolFolderPath(), own);
    QVERIFY(QDir(own).isEmpty());
}

void ToolFolderTest::sharedTemporaryFolderGetsPrivateFolder()
{
    const QString shared = sharedTemp();
    const QString expected = shared + QStringLiteral("/crateforge-") + QString::number(::geteuid());
    QCOMPARE(toolFolderPath(), expected);
    QCOMPARE(modeOf(expected) & 07777, mode_t(0700));
    QVERIFY(S_ISDIR(modeOf(expected)));
    QCOMPARE(toolFolderPath(), expected); // an existing private folder is reused
}

void ToolFolderTest::plantedPrivateFolderIsRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a link to another folder") << "link";
    QTest::newRow("writable by everybody") << "open";
    QTest::newRow("a file") << "file";
    QTest::newRow("another user's folder") << "foreign";
}

void ToolFolderTest::plantedPrivateFolderIsRefused()
{
    QFETCH(QString, kind);
    const QString shared = sharedTemp();
    const QString planted = shared + QStringLiteral("/crateforge-") + QString::number(::geteuid());
    const QByteArray name = QFile::encodeName(planted);
    if (kind == QLatin1String("link")) {
        const QString elsewhere = m_root->filePath(QStringLiteral("elsewhere"));
        QDir().mkpath(elsewhere);
        ::chmod(QFile::encodeName(elsewhere).constData(), 0700);
        QCOMPARE(::symlink(QFile::encodeName(elsewhere).constData(), name.constData()), 0);
    } else if (kind == QLatin1String("open")) {
        QCOMPARE(::mkdir(name.constData(), 0700), 0);
        QCOMPARE(::chmod(name.constData(), 0777), 0);
    } else if (kind == QLatin1String("file")) {
        writeFile(planted, "x", 0600);
    } else {
        if (::geteuid() != 0)
            QSKIP("making a folder of another user needs root");
        QCOMPARE(::mkdir(name.constData(), 0700), 0);
        QCOMPARE(::chown(name.constData(), kOtherUser, kOtherUser), 0);
    }
    QCOMPARE(toolFolderPath(), QString());
}

void ToolFolderTest::trustedTool_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("trusted");
    QTest::newRow("own, 0700") << "own" << true;
    QTest::newRow("own, 0755") << "own755" << true;
    QTest::newRow("group-writable") << "group" << false;
    QTest::newRow("world-writable") << "world" << false;
    QTest::newRow("link to an own file") << "link" << false;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("missing") << "missing" << false;
    QTest::newRow("another user's file") << "foreign" << false;
}

void ToolFolderTest::trustedTool()
{
    QFETCH(QString, kind);
    QFETCH(bool, trusted);
    const QString tool = m_root->filePath(QStringLiteral("7zr.exe"));
    const QString real = m_root->filePath(QStringLiteral("real"));
    writeFile(real, "tool", 0700);
    if (kind == QLatin1String("own"))
        writeFile(tool, "tool", 0700);
    else if (kind == QLatin1String("own755"))
        writeFile(tool, "tool", 0755);
    else if (kind == QLatin1String("group"))
        writeFile(tool, "tool", 0770);
    else if (kind == QLatin1String("world"))
        writeFile(tool, "tool", 0702);
    else if (kind == QLatin1String("link"))
        QCOMPARE(::symlink(QFile::encodeName(real).constData(), QFile::encodeName(tool).constData()), 0);
    else if (kind == QLatin1String("folder"))
        QDir().mkpath(tool);
    else if (kind == QLatin1String("foreign")) {
        if (::geteuid() != 0)
            QSKIP("making a file of another user needs root");
        writeFile(tool, "tool", 0700);
        QCOMPARE(::chown(QFile::encodeName(tool).constData(), kOtherUser, kOtherUser), 0);
    }
    QCOMPARE(isTrustedTool(tool), trusted);
}

void ToolFolderTest::provideToolReplacesUntrusted_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("world-writable") << "world";
    QTest::newRow("link to a planted file") << "link";
    QTest::newRow("another user's file") << "foreign";
}

void ToolFolderTest::provideToolReplacesUntrusted()
{
    QFETCH(QString, kind);
    QTemporaryDir source;
    const QString resource = source.filePath(QStringLiteral("bundled"));
    writeFile(resource, "the bundled tool", 0644);
    const QString planted = m_root->filePath(QStringLiteral("planted"));
    writeFile(planted, "planted", 0777);
    const QString tool = m_root->filePath(QStringLiteral("7zr.exe"));
    if (kind == QLatin1String("world"))
        writeFile(tool, "planted", 0777);
    else if (kind == QLatin1String("link"))
        QCOMPARE(::symlink(QFile::encodeName(planted).constData(), QFile::encodeName(tool).constData()), 0);
    else if (kind == QLatin1String("foreign")) {
        if (::geteuid() != 0)
            QSKIP("making a file of another user needs root");
        writeFile(tool, "planted", 0755);
        QCOMPARE(::chown(QFile::encodeName(tool).constData(), kOtherUser, kOtherUser), 0);
    }

    QCOMPARE(provideTool(resource, tool), ToolCopy::Copied);
    QVERIFY(isTrustedTool(tool));
    QCOMPARE(modeOf(tool) & 07777, mode_t(0700));
    QFile copy(tool);
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), QByteArray("the bundled tool"));
    QFile untouched(planted);
    QVERIFY(untouched.open(QIODevice::ReadOnly));
    QCOMPARE(untouched.readAll(), QByteArray("planted"));
}

// Only the very bytes carried are kept: a trusted but older or damaged copy
// is replaced too.
void ToolFolderTest::provideToolKeepsTrusted()
{
    QTemporaryDir source;
    const QString resource = source.filePath(QStringLiteral("bundled"));
    writeFile(resource, "the bundled tool", 0644);
    const QString tool = m_root->filePath(QStringLiteral("7zr.exe"));
    writeFile(tool, "the bundled tool", 0700);
    QCOMPARE(provideTool(resource, tool), ToolCopy::Present);
    writeFile(tool, "the bundled toot", 0700);
    QCOMPARE(provideTool(resource, tool), ToolCopy::Copied);
    QFile file(tool);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("the bundled tool"));
    QCOMPARE(provideTool(QStringLiteral(":/no/such/resource"), m_root->filePath(QStringLiteral("x"))),
             ToolCopy::Failed);
    QVERIFY(!QFile::exists(m_root->filePath(QStringLiteral("x"))));
}

QTEST_GUILESS_MAIN(ToolFolderTest)
#include "tst_toolfolder.moc"
