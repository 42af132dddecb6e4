#include "startup.h"

#include "messageboxes.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtTest>

// qMain builds its own QApplication, so this test runs without one of its own
// and reaches into the start-up through a pre-routine of the application.
namespace {

QPointer<MessageBoxAnswerer> g_answerer;
int g_boxesBeforeWindow = -1;
bool g_windowShown = false;
QString g_styleSheet;
QString g_boxTitle;
QString g_boxText;
QStringList g_boxButtons;
bool g_boxHadParent = true;
int g_boxCount = -1;

void installAnswerer()
{
    g_answerer = new MessageBoxAnswerer(QMessageBox::Ok);
    g_answerer->setRepeat(true);
    g_answerer->setParent(qApp);
}

class ProbeWindow : public QWidget
{
public:
    ProbeWindow()
    {
        g_boxesBeforeWindow = g_answerer ? g_answerer->count() : -1;
        g_styleSheet = qApp->styleSheet();
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        QWidget::showEvent(event);
        g_windowShown = true;
        // Leave some room for a late second box before the loop ends.
        QTimer::singleShot(200, this, [] {
            if (g_answerer) {
                g_boxCount = g_answerer->count();
                g_boxTitle = g_answerer->title();
                g_boxText = g_answerer->text();
                g_boxButtons = g_answerer->buttonTexts();
                g_boxHadParent = g_answerer->hadParent();
            }
            QCoreApplication::exit(7);
        });
    }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void warnsOnceOnlyWhenSheetFailsAndOpensWindow();
};

void TestStartup::warnsOnceOnlyWhenSheetFailsAndOpensWindow()
{
    qAddPreRoutine(installAnswerer);
    char name[] = "startup_test";
    char *argv[] = {name, nullptr};
    int argc = 1;

    const ProgramIdentity identity{"startup_test", "1", "startup_test", "", "%1", "", "", "", "", "%1 %2", nullptr};
    const int rc = qMain<ProbeWindow>(argc, argv, identity);

    QCOMPARE(rc, 7);
    QVERIFY(g_windowShown);
    if (QStringLiteral(SHEET_CASE) == QLatin1String("valid")) {
        QCOMPARE(g_boxesBeforeWindow, 0);
        QCOMPARE(g_boxCount, 0);
        QVERIFY(!g_styleSheet.isEmpty());
    } else {
        QCOMPARE(g_boxesBeforeWindow, 1);
        QCOMPARE(g_boxCount, 1);
        QVERIFY(g_styleSheet.isEmpty());
        QCOMPARE(g_boxTitle, QStringLiteral("警告"));
        QCOMPARE(g_boxText, QStringLiteral("无法加载样式表，将使用默认外观。\n这可能会影响应用程序的外观，但功能不受影响。"));
        QCOMPARE(g_boxButtons.size(), 1);
        QVERIFY(!g_boxHadParent);
    }
}

int main(int argc, char *argv[])
{
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "startup_test.moc"
