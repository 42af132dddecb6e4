#include "quickcommandfile.h"

#include <QTest>

Q_DECLARE_METATYPE(QuickCommand)

class tst_QuickCommandFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data();
    void read();
    void writtenListReadsBack();
};

void tst_QuickCommandFile::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<QuickCommand>>("commands");
    QTest::addColumn<QList<int>>("errorLines");

    QTest::newRow("every key") << QByteArray("name=Ping\ntext=01 02\nhex=yes\nnewline=yes\ndelay=250\n")
                               << QList<QuickCommand>{{"Ping", "01 02", true, true, 250}} << QList<int>{};
    QTest::newRow("defaults, comment, BOM, CRLF, = in text")
        << QByteArray("\xEF\xBB\xBF# mine\r\n\r\nname=A\r\ntext=a=b \r\n")
        << QList<QuickCommand>{{"A", "a=b ", false, false, 0}} << QList<int>{};
    QTest::newRow("escapes; others kept") << QByteArray("name=x\\ty\ntext=a\\r\\nb\\\\c\\d\\\n")
                                          << QList<QuickCommand>{{"x\ty", "a\r\nb\\c\\d\\", false, false, 0}}
                                          << QList<int>{};
    QTest::newRow("no =") << QByteArray("name=A\njunk\n") << QList<QuickCommand>{} << QList<int>{2};
    QTest::newRow("unknown key") << QByteArray("name=A\ncolour=red\nname=B\n")
                                 << QList<QuickCommand>{{"B", "", false, false, 0}} << QList<int>{2};
    QTest::newRow("key before any name") << QByteArray("text=a\nname=B\n")
                                         << QList<QuickCommand>{{"B", "", false, false, 0}} << QList<int>{1};
    QTest::newRow("key twice") << QByteArray("name=A\ntext=a\ntext=b\n") << QList<QuickCommand>{} << QList<int>{3};
    QTest::newRow("yes or no only") << QByteArray("name=A\nhex=true\n") << QList<QuickCommand>{} << QList<int>{2};
    QTest::newRow("delay range") << QByteArray("name=A\ndelay=3600001\nname=B\ndelay=-1\nname=C\ndelay=3600000\n"
                                               "name=D\ndelay=5ms\n")
                                 << QList<QuickCommand>{{"C", "", false, false, 3600000}} << QList<int>{2, 4, 8};
    QTest::newRow("empty name") << QByteArray("name=\ntext=a\n") << QList<QuickCommand>{} << QList<int>{1};
    QTest::newRow("not UTF-8") << QByteArray("name=A\ntext=\xff\n") << QList<QuickCommand>{} << QList<int>{2};
}

void tst_QuickCommandFile::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<QuickCommand>, commands);
    QFETCH(QList<int>, errorLines);

    const QuickCommandFileContents contents = readQuickCommands(file);
    QList<int> lines;
    for (const QuickCommandFileError &error : contents.errors) {
        lines << error.line;
        QVERIFY(!error.message.isEmpty());
    }
    QCOMPARE(lines, errorLines);
    QCOMPARE(contents.commands.size(), commands.size());
    QVERIFY(contents.commands == commands);
}

void tst_QuickCommandFile::writtenListReadsBack()
{
    const QList<QuickCommand> commands = {
        {"  spaced = name ", "#not a comment\r\n\tname=x\\n", true, false, 3600000},
        {"雁桥", " ", false, true, 0},
        {"empty", "", false, false, 1},
    };
    const QuickCommandFileContents contents = readQuickCommands(writeQuickCommands(commands));
    QVERIFY(contents.ok());
    QVERIFY(contents.commands == commands);
}

QTEST_APPLESS_MAIN(tst_QuickCommandFile)
#include "tst_quickcommandfile.moc"
