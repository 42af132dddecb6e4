// Every style sheet in the linked bundle is, byte for byte, the one the build put
// together from the shared and the program's own parts, and the bundle carries
// no sheet the build did not make. Built once per program (SHEETS_DIR).
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTest>

class TestSheets : public QObject
{
    Q_OBJECT

private slots:
    void bundledSheetIsTheAssembledOne_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList css{QStringLiteral("*.css")};
        const QStringList bundled = QDir(QStringLiteral(":/qss")).entryList(css, QDir::Files);
        const QStringList assembled = QDir(QStringLiteral(SHEETS_DIR)).entryList(css, QDir::Files);
        QVERIFY(!assembled.isEmpty());
        for (const QString &name : QSet<QString>(bundled.begin(), bundled.end()) | QSet<QString>(assembled.begin(), assembled.end()))
            QTest::newRow(qPrintable(name)) << name;
    }

    void bundledSheetIsTheAssembledOne()
    {
        QFETCH(QString, name);
        QFile bundled(QStringLiteral(":/qss/") + name);
        QFile assembled(QStringLiteral(SHEETS_DIR "/") + name);
        QVERIFY2(bundled.open(QIODevice::ReadOnly), "not in the bundle");
        QVERIFY2(assembled.open(QIODevice::ReadOnly), "not made by the build");
        const QByteArray sheet = bundled.readAll();
        QVERIFY(!sheet.isEmpty());
        QCOMPARE(sheet, assembled.readAll());
    }
};

QTEST_GUILESS_MAIN(TestSheets)
#include "sheets_test.moc"
