#include "pagefixture.h"
#include "quickcommandmodel.h"
#include "quickcommandpanel.h"

#include <QListView>
#include <QToolButton>

// The serial page's panel sends over its port, and its run ends with the port.
class tst_QuickSerial : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sendsOverThePortUntilItCloses();
};

void tst_QuickSerial::sendsOverThePortUntilItCloses()
{
    clearWrenpostStores();
    OpenSerialPage page;
    QVERIFY(page.open());
    page.window->show();
    QVERIFY(QTest::qWaitForWindowActive(page.window.get()));
    page.get<QToolButton>("serialButton")->click();
    page.get<QCheckBox>("QuickCommands_2")->click();
    auto *panel = page.get<QuickCommandPanel>("quickCommandPanel_2");
    auto *model = qobject_cast<QuickCommandModel *>(child<QListView>(panel, "quickList")->model());
    model->setCommands({{"s", "ab", false, true, 20}});

    QTest::keyClick(page.window.get(), Qt::Key_1, Qt::ControlModifier);
    QTRY_COMPARE(page.peer.received(), QByteArray("ab\r\n"));
    QTRY_COMPARE(page.sentCount(), QStringLiteral("累计发送：4"));

    child<QCheckBox>(panel, "quickLoop")->setChecked(true);
    child<QPushButton>(panel, "quickSendAll")->click();
    QTRY_VERIFY(page.peer.received().size() >= 12);
    QTest::mouseClick(page.get<QPushButton>("SerialClose"), Qt::LeftButton);
    QVERIFY(!panel->sequenceRunning());
}

QTEST_MAIN(tst_QuickSerial)
#include "tst_quickserial.moc"
