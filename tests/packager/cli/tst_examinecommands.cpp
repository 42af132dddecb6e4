// crateforge list/check/extract/info on real products of the self-extractor:
// the real binary, with no display, reading what the real archiver made.
#include "headlessrun.h"
#include "sfxproducts.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace sfxproducts;

class TestExamineCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void answers_data();
    void answers();
    void extractsTheTree();

private:
    QString makeProduct(const QString &name, const std::function<void(QByteArray &)> &damage = {});

    QTemporaryDir m_work;
    QString m_tree;
    qint64 m_archiveOffset = 0;
};

// A launcher, a data file large enough to span the archive's packed data, and
// a link inside the folder.
void TestExamineCommands::initTestCase()
{
    QVERIFY(m_work.isValid());
    m_tree = m_work.filePath(QStringLiteral("tree"));
    QVERIFY(writeFile(m_tree + QStringLiteral("/run.sh"), "#!/bin/sh\necho ran\n",
                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                          | QFile::ReadOther | QFile::ExeOther));
    QByteArray data;
    for (int i = 0; i < 20000; ++i)
        data += QByteArray::number(i * 7919 % 104729) + '\n';
    QVERIFY(writeFile(m_tree + QStringLiteral("/data/numbers.txt"), data,
                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
    QVERIFY(QFile::link(QStringLiteral("numbers.txt"), m_tree + QStringLiteral("/data/latest")));
}

QString TestExamineCommands::makeProduct(const QString &name, const std::function<void(QByteArray &)> &damage)
{
    const QByteArray archive = makeArchive(m_tree, {QStringLiteral("run.sh"), QStringLiteral("data")});
    if (archive.isEmpty())
        return {};
    QByteArray product = readFile(QStringLiteral(SFX_MODULE));
    product += configBlock(defaultKeys());
    m_archiveOffset = product.size();
    product += archive;
    if (damage)
        damage(product);
    const QString path = m_work.filePath(name);
    return writeFile(path, product, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) ? path : QString();
}

void TestExamineCommands::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("damageAt"); // bytes into the archive to flip, or -1
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");  // a line the standard output holds
    QTest::addColumn<QString>("err");  // what the standard error holds

    QTest::newRow("info") << QStringList{QStringLiteral("info")} << -1 << 0 << "ExecuteFile: run.sh\n" << "";
    QTest::newRow("list, modes and sizes") << QStringList{QStringLiteral("list")} << -1 << 0
                                           << "-rwxr-xr-x           19 run.sh\n" << "";
    QTest::newRow("list, links as stored") << QStringList{QStringLiteral("list")} << -1 << 0
                                           << " data/latest -> numbers.txt\n" << "";
    QTest::newRow("check") << QStringList{QStringLiteral("check")} << -1 << 0 << ": ok, 4 entries, " << "";
    QTest::newRow("a packed byte broken") << QStringList{QStringLiteral("check")} << 200 << 1 << ""
                                          << "crateforge: %1: the archive is damaged";
    QTest::newRow("the start header broken") << QStringList{QStringLiteral("check")} << 20 << 1 << ""
                                             << "crateforge: %1: the archive is damaged";
    QTest::newRow("extract without a folder") << QStringList{QStringLiteral("extract")} << -1 << 2 << ""
                                              << "crateforge: extract: missing arguments\nusage: crateforge list";
}

void TestExamineCommands::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, damageAt);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    const qint64 offset = damageAt;
    const QString product = makeProduct(QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_')),
                                        damageAt < 0 ? std::function<void(QByteArray &)>() : [this, offset](QByteArray &bytes) {
                                            bytes[m_archiveOffset + offset] = char(bytes[m_archiveOffset + offset] ^ 0x5a);
                                        });
    QVERIFY(!product.isEmpty());
    const headless::Run run = headless::run(QStringLiteral(CRATEFORGE_EXE), arguments << product);
    QCOMPARE(run.status, status);
    if (!out.isEmpty())
        QVERIFY2(run.out.contains(out), qPrintable(run.out));
    if (err.isEmpty())
        QCOMPARE(run.err, QString());
    else
        QVERIFY2(run.err.startsWith(err.contains(QLatin1String("%1")) ? err.arg(product) : err), qPrintable(run.err));
}

// What extract writes is the tree that was packed: files, modes and links.
void TestExamineCommands::extractsTheTree()
{
    const QString product = makeProduct(QStringLiteral("whole"));
    QVERIFY(!product.isEmpty());
    const QString folder = m_work.filePath(QStringLiteral("out"));
    const headless::Run run = headless::run(QStringLiteral(CRATEFORGE_EXE), {QStringLiteral("extract"), product, folder});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(snapshot(folder), snapshot(m_tree));
    QVERIFY(leftoverTemporaries(folder).isEmpty());
}

QTEST_GUILESS_MAIN(TestExamineCommands)
#include "tst_examinecommands.moc"
