// What counts as a main program of a source folder, one row per kind of entry.
#include "mainprogram.h"

#include <QTemporaryDir>
#include <QTest>

class MainProgramTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rule_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // "dir" makes a folder, "->x" a link to x
        QTest::addColumn<bool>("executable");
        QTest::addColumn<bool>("program");
        const QByteArray elf("\x7f" "ELF\x02\x01\x01", 7);
        QTest::newRow("ELF with the execute bit") << "socat" << elf << true << true;
        QTest::newRow("ELF without the execute bit") << "socat" << elf << false << false;
        QTest::newRow("#! script") << "run.sh" << QByteArray("#!/bin/sh\n") << true << true;
        QTest::newRow("executable text without magic") << "notes" << QByteArray("echo hi\n") << true << false;
        QTest::newRow("x.exe with the execute bit") << "x.exe" << QByteArray("MZ") << true << true;
        QTest::newRow("x.exe without the execute bit") << "x.exe" << QByteArray("MZ") << false << true;
        QTest::newRow("hidden ELF") << ".tool" << elf << true << false;
        QTest::newRow("folder") << "bin" << QByteArray("dir") << true << false;
        QTest::newRow("link to a program") << "start" << QByteArray("->run.sh") << true << false;
    }

    void rule()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, executable);
        QFETCH(bool, program);
        QTemporaryDir dir;
        const auto write = [&dir](const QString &file, const QByteArray &bytes, bool exe) {
            QFile out(dir.filePath(file));
            return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size()
                && out.setPermissions(QFile::ReadOwner | (exe ? QFile::ExeOwner : QFile::Permissions()));
        };
        QVERIFY(write(QStringLiteral("run.sh"), "#!/bin/sh\n", true));
        if (content == "dir")
            QVERIFY(QDir(dir.path()).mkdir(name));
        else if (content.startsWith("->"))
            QVERIFY(QFile::link(QString::fromLatin1(content.mid(2)), dir.filePath(name)));
        else
            QVERIFY(write(name, content, executable));
        QCOMPARE(mainprogram::isMainProgram(dir.path(), name), program);
        QCOMPARE(mainprogram::mainPrograms(dir.path()).contains(name), program);
    }
};

QTEST_GUILESS_MAIN(MainProgramTest)
#include "tst_mainprogram.moc"
