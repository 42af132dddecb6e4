#include "stylesheet.h"

#include "logcapture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QtTest>

// Built once per bundle (SHEET_CASE): "valid" carries a sheet, "empty" a
// zero-length one, "missing" a bundle without ":/qss/default.css".
class TestStyleSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsOrReportsPerBundle();
};

void TestStyleSheet::loadsOrReportsPerBundle()
{
    const QString bundle = QStringLiteral(SHEET_CASE);
    QVERIFY2(QFile::exists(QStringLiteral(":/")), "the test bundle is registered");
    QVERIFY(qApp->styleSheet().isEmpty());

    LogCapture log;
    const bool applied = loadStyleSheet(*qApp);

    const QString pathLine = QStringLiteral("样式文件路径: \":/qss/default.css\"");
    if (bundle == QLatin1String("valid")) {
        QFile source(QStringLiteral(":/qss/default.css"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QVERIFY(applied);
        QCOMPARE(qApp->styleSheet(), QString::fromUtf8(source.readAll()));
        QCOMPARE(log.messages(QtDebugMsg), QStringList({pathLine, QStringLiteral("样式表加载成功")}));
        QVERIFY(log.messages(QtWarningMsg).isEmpty());
        QVERIFY(log.messages(QtCriticalMsg).isEmpty());
    } else if (bundle == QLatin1String("empty")) {
        QVERIFY(!applied);
        QVERIFY(qApp->styleSheet().isEmpty());
        QCOMPARE(log.messages(QtDebugMsg), QStringList({pathLine}));
        QCOMPARE(log.messages(QtWarningMsg), QStringList({QStringLiteral("样式表为空！")}));
        QVERIFY(log.messages(QtCriticalMsg).isEmpty());
    } else if (bundle == QLatin1String("missing")) {
        QVERIFY(!applied);
        QVERIFY(qApp->styleSheet().isEmpty());
        QCOMPARE(log.messages(QtDebugMsg), QStringList({pathLine}));
        const QStringList critical = log.messages(QtCriticalMsg);
        QCOMPARE(critical.size(), 2);
        QFile probe(QStringLiteral(":/qss/default.css"));
        QVERIFY(!probe.open(QIODevice::ReadOnly));
        QCOMPARE(critical.at(0), QStringLiteral("无法打开样式表: \"%1\"").arg(probe.errorString()));
        QCOMPARE(critical.at(1), QStringLiteral("当前工作目录: \"%1\"").arg(QDir::currentPath()));
        QVERIFY(log.messages(QtWarningMsg).isEmpty());
    } else {
        QFAIL("unknown bundle case");
    }
}

QTEST_MAIN(TestStyleSheet)
#include "stylesheet_test.moc"
