// The serial page when the device misbehaves: a port that is not there, a
// device pulled while open and another plugged in, data still streaming in
// while the window goes.

#include "pagefixture.h"

#include <QElapsedTimer>

#include <atomic>
#include <thread>

class tst_SerialDevice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { clearWrenpostStores(); }
    void cleanup() { SerialPortList::setSource({}); }

    void portThatDoesNotExist();
    void deviceRemovedThenAnotherPlugged();
    void dataWhileTheWindowGoes_data();
    void dataWhileTheWindowGoes();
};

void tst_SerialDevice::portThatDoesNotExist()
{
    PtyPeer peer;
    QVERIFY(peer.open());
    peer.startReading();
    const QString missing = QStringLiteral("/dev/ttyWRENPOST-none");
    const QString path = peer.path();
    SerialPortList::setSource([missing, path] { return QStringList{missing, path}; });

    MainWindow w;
    auto *list = child<QComboBox>(&w, "SerialList");
    QCOMPARE(list->currentText(), missing);
    QTest::mouseClick(child<QPushButton>(&w, "SerialOpen"), Qt::LeftButton);
    // The failed open puts the page back in its closed arrangement.
    QTRY_VERIFY(list->isEnabled());
    QVERIFY(!child<QPushButton>(&w, "SnedData")->isEnabled());
    list->setCurrentText(path);
    QTest::mouseClick(child<QPushButton>(&w, "SerialOpen"), Qt::LeftButton);
    QTRY_COMPARE(peer.slaveUsers(), 2);
    child<QTextEdit>(&w, "DataToSend")->setPlainText(QStringLiteral("found"));
    QTest::mouseClick(child<QPushButton>(&w, "SnedData"), Qt::LeftButton);
    QTRY_COMPARE(peer.received(), QByteArrayLiteral("found"));
    QVERIFY(peer.write("back"));
    QTRY_VERIFY(child<QTextBrowser>(&w, "DataRecive")->toPlainText().endsWith(QStringLiteral("back")));
}

void tst_SerialDevice::deviceRemovedThenAnotherPlugged()
{
    auto first = std::make_unique<PtyPeer>();
    QVERIFY(first->open());
    QStringList ports{first->path()};
    SerialPortList::setSource([&ports] { return ports; });

    MainWindow w;
    auto *list = child<QComboBox>(&w, "SerialList");
    auto *view = child<QTextBrowser>(&w, "DataRecive");
    child<QCheckBox>(&w, "AutoSwitchLine_2")->setChecked(false);
    QTest::mouseClick(child<QPushButton>(&w, "SerialOpen"), Qt::LeftButton);
    QTRY_COMPARE(first->slaveUsers(), 2);
    QVERIFY(first->write("one "));
    QTRY_COMPARE(view->toPlainText(), QStringLiteral("one "));

    // Pulled while open: the system no longer lists it.
    first->unplug();
    ports.clear();
    // The page closes itself and stays responsive.
    QElapsedTimer clock;
    clock.start();
    QTRY_VERIFY(child<QPushButton>(&w, "SerialOpen")->isEnabled());
    QVERIFY(clock.elapsed() < 5000);
    QTRY_COMPARE(list->count(), 0);

    // Another device is plugged in and opened through the page.
    PtyPeer second;
    QVERIFY(second.open());
    second.startReading();
    ports = QStringList{second.path()};
    QTRY_COMPARE(list->currentText(), second.path());
    QTest::mouseClick(child<QPushButton>(&w, "SerialOpen"), Qt::LeftButton);
    QTRY_COMPARE(second.slaveUsers(), 2);
    child<QTextEdit>(&w, "DataToSend")->setPlainText(QStringLiteral("again"));
    QTest::mouseClick(child<QPushButton>(&w, "SnedData"), Qt::LeftButton);
    QTRY_COMPARE(second.received(), QByteArrayLiteral("again"));
    QVERIFY(second.write("two"));
    QTRY_COMPARE(view->toPlainText(), QStringLiteral("one \n串口已断开\ntwo"));
    QCOMPARE(child<QLabel>(&w, "ReciveCountLabel")->text(), QStringLiteral("累计接收：7"));
}

void tst_SerialDevice::dataWhileTheWindowGoes_data()
{
    QTest::addColumn<bool>("closeFirst");
    QTest::addColumn<bool>("stamps");
    QTest::newRow("destroyed") << false << false;
    QTest::newRow("closed, then destroyed") << true << true;
}

void tst_SerialDevice::dataWhileTheWindowGoes()
{
    QFETCH(bool, closeFirst);
    QFETCH(bool, stamps);

    PtyPeer peer;
    QVERIFY(peer.open());
    const QString path = peer.path();
    SerialPortList::setSource([path] { return QStringList{path}; });

    auto *w = new MainWindow;
    w->show();
    child<QCheckBox>(w, "TimeDisplay")->setChecked(stamps);
    child<QCheckBox>(w, "DisplayHEX")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(w, "SerialOpen"), Qt::LeftButton);
    QTRY_COMPARE(peer.slaveUsers(), 2);
    int destroyed = 0;
    QObject::connect(MainWindowTestAccess::service(w), &QObject::destroyed, [&destroyed] { ++destroyed; });

    // A stream that keeps coming for as long as the window takes to go, about
    // as fast as the fastest serial adapters deliver (up to 1 MB/s).
    std::atomic<bool> stop{false};
    std::atomic<qint64> written{0};
    std::thread writer([&] {
        const QByteArray block(1024, 'w');
        while (!stop.load()) {
            const ssize_t n = ::write(peer.master(), block.constData(), size_t(block.size()));
            if (n > 0)
                written += n;
            ::usleep(1000);
        }
    });
    QTRY_VERIFY(child<QLabel>(w, "ReciveCountLabel")->text() != QStringLiteral("累计接收：0"));
    QTest::qWait(100);

    QElapsedTimer clock;
    clock.start();
    if (closeFirst) {
        w->close();
        QTest::qWait(20);
    }
    delete w;
    const qint64 tookMs = clock.elapsed();
    // Whatever was queued for the window is dropped with it.
    QTest::qWait(50);
    stop = true;
    writer.join();

    QVERIFY(written.load() > 0);
    QCOMPARE(destroyed, 1);
    QCOMPARE(peer.slaveUsers(), 1);
    QVERIFY2(tookMs < 5000, qPrintable(QString::number(tookMs)));
}

QTEST_MAIN(tst_SerialDevice)
#include "tst_serialdevice.moc"
