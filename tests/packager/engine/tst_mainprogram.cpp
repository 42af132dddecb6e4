// What counts as a main program of a source folder, one row per kind of entry.
#include "mainprogram.h"

#include <QFile>
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
        QTest::newRow("link to a program") << "start" << QByteArray("->real") << true << false;
    }

    void rule()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, executable);
        QFETCH(bool, program);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile real(dir.filePath(QStringLiteral("real")));
        QVERIFY(real.open(QIODevice::WriteOnly) && real.write("#!/bin/sh\n") > 0);
        real.close();
        QVERIFY(real.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        const QString path = dir.filePath(name);
        if (content == "dir") {
            QVERIFY(QDir(dir.path()).mkdir(name));
        } else if (content.startsWith("->")) {
            QVERIFY(QFile::link(QString::fromLatin1(content.mid(2)), path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
            file.close();
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner
                                        | (executable ? QFile::ExeOwner : QFile::Permissions())));
        }
        QCOMPARE(mainprogram::isMainProgram(dir.path(), name), program);
        QCOMPARE(mainprogram::mainPrograms(dir.path()).contains(name), program);
    }
};

QTEST_GUILESS_MAIN(MainProgramTest)
#include "tst_mainprogram.moc"
