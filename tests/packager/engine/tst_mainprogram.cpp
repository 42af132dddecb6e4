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
        QTest::newRow("shared library") << "libc.so.6" << elf << true << false;
        QTest::newRow("shared library without a version") << "libssl.so" << elf << true << false;
        QTest::newRow("versioned library, three numbers") << "libz.so.1.2.13" << elf << true << false;
        QTest::newRow("a name that only holds .so") << "x.sox" << elf << true << true;
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

    // The folder holds its files as "name:kind" (elf, script, exe); libraries are never listed.
    void preferred_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("preferred");
        QTest::newRow("a program and its libraries")
            << "socat" << QStringList{"libc.so.6:elf", "libssl.so.3:elf", "socat:elf", "libwrap.so.0.7.6:elf"} << "socat";
        QTest::newRow("named like the folder beats a launcher")
            << "app" << QStringList{"run:script", "app.bin:elf"} << "app.bin";
        QTest::newRow("a launcher beats an ELF program") << "dist" << QStringList{"a-tool:elf", "start.sh:script"} << "start.sh";
        QTest::newRow("an ELF program beats an .exe") << "dist" << QStringList{"a.exe:exe", "zed:elf"} << "zed";
        QTest::newRow("ties go alphabetically") << "dist" << QStringList{"b:elf", "a:elf", "c:script", "d:script"} << "c";
    }

    void preferred()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, files);
        QFETCH(QString, preferred);
        QTemporaryDir root;
        const QString dir = root.filePath(folder);
        QVERIFY(QDir().mkpath(dir));
        for (const QString &entry : files) {
            const QString kind = entry.section(QLatin1Char(':'), 1);
            QFile out(dir + QLatin1Char('/') + entry.section(QLatin1Char(':'), 0, 0));
            QVERIFY(out.open(QIODevice::WriteOnly) && out.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            out.write(kind == QLatin1String("elf") ? "\x7f" "ELF\x02" : kind == QLatin1String("script") ? "#!/bin/sh\n" : "MZ");
        }
        const QStringList listed = mainprogram::mainPrograms(dir);
        QVERIFY(listed.filter(QStringLiteral(".so")).isEmpty());
        QCOMPARE(mainprogram::preferredMainProgram(dir, listed), preferred);
    }
};

QTEST_GUILESS_MAIN(MainProgramTest)
#include "tst_mainprogram.moc"
