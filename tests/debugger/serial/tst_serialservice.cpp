#include "ptypeer.h"
#include "serial.h"

#include "logcapture.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <ctime>
#include <sys/stat.h>

Q_DECLARE_METATYPE(QSerialPort::DataBits)
Q_DECLARE_METATYPE(QSerialPort::StopBits)
Q_DECLARE_METATYPE(QSerialPort::Parity)
Q_DECLARE_METATYPE(QSerialPort::FlowControl)

// Stands in for the window: emits the same requests, receives on the GUI thread.
class Driver : public QObject
{
    Q_OBJECT

public:
    QList<QByteArray> chunks;
    QByteArray all() const { return chunks.join(); }

Q_SIGNALS:
    void openSerial(QString PortName, int BaudRate, qint8 DataBits, qint8 StopBits, qint8 Parity, qint8 FlowControl);
    void closeSerial();
    void sendMsg(QByteArray data);

public Q_SLOTS:
    void onMessage(const QByteArray &data) { chunks << data; }
};

class tst_SerialService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void mapping_data();
    void mapping();

    void lineSettings_data();
    void lineSettings();
    void refusedParameterKeepsPortWorking_data();
    void refusedParameterKeepsPortWorking();
    void oneAndHalfStopBitsIsLogged();
    void bytesBothWays();
    void chunksJoinToWhatWasSent();
    void unusablePortStaysClosed_data();
    void unusablePortStaysClosed();
    void secondOpenKeepsFirstPort();
    void closeTwiceAndWriteAfterClose();
    void removedDeviceThenNewOne();
    void destructionOnItsThreadClosesPort();

private:
    void open(const QString &path, int baud = 115200, qint8 dataBits = 8, qint8 stop = 0, qint8 parity = 0, qint8 flow = 0)
    {
        emit m_driver->openSerial(path, baud, dataBits, stop, parity, flow);
    }

    QThread *m_thread = nullptr;
    Serial *m_serial = nullptr;
    Driver *m_driver = nullptr;
};

void tst_SerialService::init()
{
    m_driver = new Driver;
    m_serial = new Serial;
    m_thread = new QThread;
    m_serial->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_serial, &QObject::deleteLater);
    connect(m_driver, &Driver::openSerial, m_serial, &Serial::OpenSerial);
    connect(m_driver, &Driver::closeSerial, m_serial, &Serial::CloseSerial);
    connect(m_driver, &Driver::sendMsg, m_serial, &Serial::SerialWrite);
    connect(m_serial, &Serial::message, m_driver, &Driver::onMessage);
    m_thread->start();
}

void tst_SerialService::cleanup()
{
    m_thread->quit();
    QVERIFY(m_thread->wait(10000));
    delete m_thread;
    delete m_driver;
    m_thread = nullptr;
    m_serial = nullptr;
    m_driver = nullptr;
}

void tst_SerialService::mapping_data()
{
    QTest::addColumn<int>("dataCode");
    QTest::addColumn<int>("stopCode");
    QTest::addColumn<int>("parityCode");
    QTest::addColumn<int>("flowCode");
    QTest::addColumn<QSerialPort::DataBits>("dataBits");
    QTest::addColumn<QSerialPort::StopBits>("stopBits");
    QTest::addColumn<QSerialPort::Parity>("parity");
    QTest::addColumn<QSerialPort::FlowControl>("flow");

    using S = QSerialPort;
    QTest::newRow("page defaults") << 8 << 0 << 0 << 0 << S::Data8 << S::OneStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("data 7") << 7 << 0 << 0 << 0 << S::Data7 << S::OneStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("data 6") << 6 << 0 << 0 << 0 << S::Data6 << S::OneStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("data 5") << 5 << 0 << 0 << 0 << S::Data5 << S::OneStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("data 9 is 8") << 9 << 0 << 0 << 0 << S::Data8 << S::OneStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("data 0 is 8") << 0 << 0 << 0 << 0 << S::Data8 << S::OneStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("data -1 is 8") << -1 << 0 << 0 << 0 << S::Data8 << S::OneStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("stop 1 is one and a half") << 8 << 1 << 0 << 0 << S::Data8 << S::OneAndHalfStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("stop 2 is two") << 8 << 2 << 0 << 0 << S::Data8 << S::TwoStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("stop 3 is one") << 8 << 3 << 0 << 0 << S::Data8 << S::OneStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("stop -1 is one") << 8 << -1 << 0 << 0 << S::Data8 << S::OneStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("parity 1 odd") << 8 << 0 << 1 << 0 << S::Data8 << S::OneStop << S::OddParity << S::NoFlowControl;
    QTest::newRow("parity 2 even") << 8 << 0 << 2 << 0 << S::Data8 << S::OneStop << S::EvenParity << S::NoFlowControl;
    QTest::newRow("parity 3 mark") << 8 << 0 << 3 << 0 << S::Data8 << S::OneStop << S::MarkParity << S::NoFlowControl;
    QTest::newRow("parity 4 space") << 8 << 0 << 4 << 0 << S::Data8 << S::OneStop << S::SpaceParity << S::NoFlowControl;
    QTest::newRow("parity 5 none") << 8 << 0 << 5 << 0 << S::Data8 << S::OneStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("parity -1 none") << 8 << 0 << -1 << 0 << S::Data8 << S::OneStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("flow 1 hardware") << 8 << 0 << 0 << 1 << S::Data8 << S::OneStop << S::NoParity << S::HardwareControl;
    QTest::newRow("flow 2 software") << 8 << 0 << 0 << 2 << S::Data8 << S::OneStop << S::NoParity << S::SoftwareControl;
    QTest::newRow("flow 3 none") << 8 << 0 << 0 << 3 << S::Data8 << S::OneStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("flow -128 none") << 8 << 0 << 0 << -128 << S::Data8 << S::OneStop << S::NoParity << S::NoFlowControl;
    QTest::newRow("page 8 1.5 even RTS/CTS") << 8 << 1 << 2 << 1 << S::Data8 << S::OneAndHalfStop << S::EvenParity << S::HardwareControl;
}

void tst_SerialService::mapping()
{
    QFETCH(int, dataCode);
    QFETCH(int, stopCode);
    QFETCH(int, parityCode);
    QFETCH(int, flowCode);

    const SerialLineSettings s = serialLineSettings(QStringLiteral("ttyS1"), 57600, qint8(dataCode),
                                                    qint8(stopCode), qint8(parityCode), qint8(flowCode));
    QCOMPARE(s.portName, QStringLiteral("ttyS1"));
    QCOMPARE(s.baudRate, 57600);
    QTEST(s.dataBits, "dataBits");
    QTEST(s.stopBits, "stopBits");
    QTEST(s.parity, "parity");
    QTEST(s.flowControl, "flow");
}

void tst_SerialService::lineSettings_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("stopCode");
    QTest::addColumn<int>("flowCode");
    QTest::addColumn<uint>("speed");
    QTest::addColumn<bool>("cstopb");
    QTest::addColumn<bool>("crtscts");
    QTest::addColumn<bool>("xonxoff");

    QTest::newRow("1200 one none") << 1200 << 0 << 0 << uint(B1200) << false << false << false;
    QTest::newRow("9600 two none") << 9600 << 2 << 0 << uint(B9600) << true << false << false;
    QTest::newRow("115200 one RTS/CTS") << 115200 << 0 << 1 << uint(B115200) << false << true << false;
    QTest::newRow("57600 two XON/XOFF") << 57600 << 2 << 2 << uint(B57600) << true << false << true;
    QTest::newRow("19200 one and a half") << 19200 << 1 << 0 << uint(B19200) << false << false << false;
}

void tst_SerialService::lineSettings()
{
    QFETCH(int, baud);
    QFETCH(int, stopCode);
    QFETCH(int, flowCode);

    PtyPeer peer;
    QVERIFY(peer.open());
    open(peer.path(), baud, 8, qint8(stopCode), 0, qint8(flowCode));
    QTRY_COMPARE(peer.slaveUsers(), 2);

    // The flow-control setting is the last one applied; wait until it shows.
    QFETCH(bool, crtscts);
    QFETCH(bool, xonxoff);
    QTRY_COMPARE(bool(peer.lineSettings().c_cflag & CRTSCTS), crtscts);
    QTRY_COMPARE(bool((peer.lineSettings().c_iflag & (IXON | IXOFF)) == (IXON | IXOFF)), xonxoff);

    const termios t = peer.lineSettings();
    QTEST(uint(cfgetospeed(&t)), "speed");
    QTEST(uint(cfgetispeed(&t)), "speed");
    QTEST(bool(t.c_cflag & CSTOPB), "cstopb");
    QCOMPARE(t.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(bool(t.c_iflag & IXON), xonxoff);
}

void tst_SerialService::refusedParameterKeepsPortWorking_data()
{
    QTest::addColumn<int>("dataBits");
    QTest::addColumn<int>("parity");

    QTest::newRow("odd") << 8 << 1;
    QTest::newRow("even") << 8 << 2;
    QTest::newRow("mark") << 8 << 3;
    QTest::newRow("space") << 8 << 4;
    QTest::newRow("7 bits") << 7 << 0;
    QTest::newRow("5 bits even") << 5 << 2;
}

void tst_SerialService::refusedParameterKeepsPortWorking()
{
    QFETCH(int, dataBits);
    QFETCH(int, parity);

    PtyPeer peer;
    QVERIFY(peer.open());
    peer.startReading();
    // Two stop bits and hardware flow come after data bits and around parity in
    // the order of application: they must still reach the line.
    open(peer.path(), 9600, qint8(dataBits), 2, qint8(parity), 1);
    QTRY_COMPARE(peer.slaveUsers(), 2);
    QTRY_VERIFY(peer.lineSettings().c_cflag & CRTSCTS);
    QVERIFY(peer.lineSettings().c_cflag & CSTOPB);
    const termios t = peer.lineSettings();
    QCOMPARE(uint(cfgetospeed(&t)), uint(B9600));

    emit m_driver->sendMsg(QByteArrayLiteral("ping"));
    QTRY_COMPARE(peer.received(), QByteArrayLiteral("ping"));
    QVERIFY(peer.write(QByteArrayLiteral("pong")));
    QTRY_COMPARE(m_driver->all(), QByteArrayLiteral("pong"));
}

void tst_SerialService::oneAndHalfStopBitsIsLogged()
{
    PtyPeer peer;
    QVERIFY(peer.open());
    {
        LogCapture log;
        open(peer.path(), 9600, 8, 0, 0, 0);
        QTRY_COMPARE(peer.slaveUsers(), 2);
        emit m_driver->closeSerial();
        QTRY_COMPARE(peer.slaveUsers(), 1);
        QVERIFY(!log.contains(QStringLiteral("one and a half")));
    }
    LogCapture log;
    open(peer.path(), 9600, 8, 1, 0, 0);
    QTRY_VERIFY(log.contains(QStringLiteral("one and a half stop bits")));
    QCOMPARE(log.messages(QtWarningMsg).filter(QStringLiteral("one and a half")).size(), 1);
    QVERIFY(log.contains(peer.path()));
}

void tst_SerialService::bytesBothWays()
{
    PtyPeer peer;
    QVERIFY(peer.open());
    peer.startReading();
    open(peer.path());
    QTRY_COMPARE(peer.slaveUsers(), 2);

    QByteArray all256;
    for (int i = 0; i < 256; ++i)
        all256.append(char(i));
    emit m_driver->sendMsg(all256);
    QTRY_COMPARE(peer.received(), all256);

    QVERIFY(peer.write(all256));
    QTRY_COMPARE(m_driver->all(), all256);
}

void tst_SerialService::chunksJoinToWhatWasSent()
{
    PtyPeer peer;
    QVERIFY(peer.open());
    open(peer.path());
    QTRY_COMPARE(peer.slaveUsers(), 2);

    // Separate writes that are each read before the next come as separate chunks.
    QVERIFY(peer.write("AB"));
    QTRY_COMPARE(m_driver->chunks.size(), 1);
    QVERIFY(peer.write("CD"));
    QTRY_COMPARE(m_driver->chunks.size(), 2);
    QCOMPARE(m_driver->chunks, (QList<QByteArray>{"AB", "CD"}));

    // A large write arrives in pieces of whatever size; nothing is lost or empty.
    m_driver->chunks.clear();
    QByteArray big(300000, Qt::Uninitialized);
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = char((i * 7) & 0xff);
    QVERIFY(peer.write(big));
    QTRY_COMPARE(m_driver->all().size(), big.size());
    QCOMPARE(m_driver->all(), big);
    QVERIFY(m_driver->chunks.size() > 1);
}

void tst_SerialService::unusablePortStaysClosed_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << QStringLiteral("missing");
    QTest::newRow("busy") << QStringLiteral("busy");
    QTest::newRow("not permitted") << QStringLiteral("denied");
}

void tst_SerialService::unusablePortStaysClosed()
{
    QFETCH(QString, kind);

    PtyPeer peer;
    QVERIFY(peer.open());
    peer.startReading();

    QString path = peer.path();
    QSerialPort holder;
    if (kind == QLatin1String("missing")) {
        path = QStringLiteral("/dev/pts/wrenpost-no-such-port");
    } else if (kind == QLatin1String("busy")) {
        holder.setPortName(peer.path());
        QVERIFY(holder.open(QIODevice::ReadWrite));
    } else {
        if (::geteuid() == 0)
            QSKIP("running as root: permissions do not keep the port from being opened");
        QVERIFY(::chmod(peer.path().toLocal8Bit().constData(), 0) == 0);
    }

    const int usersBefore = peer.slaveUsers();
    open(path);
    emit m_driver->sendMsg(QByteArrayLiteral("lost"));
    // Once an echo request has made the round trip, the open and write are done.
    emit m_driver->closeSerial();
    QSignalSpy done(m_serial, &QObject::objectNameChanged);
    QMetaObject::invokeMethod(m_serial, [this] { m_serial->setObjectName(QStringLiteral("done")); }, Qt::QueuedConnection);
    QTRY_COMPARE(done.size(), 1);

    if (kind == QLatin1String("busy")) {
        // The port really was busy: the service did not get it.
        QCOMPARE(peer.slaveUsers(), usersBefore);
        holder.close();
    }
    QCOMPARE(peer.slaveUsers(), 1);
    peer.drain();
    QVERIFY(peer.received().isEmpty());
    QVERIFY(m_driver->chunks.isEmpty());

    // The service is still usable.
    open(peer.path());
    QTRY_COMPARE(peer.slaveUsers(), 2);
    emit m_driver->sendMsg(QByteArrayLiteral("ok"));
    QTRY_COMPARE(peer.received(), QByteArrayLiteral("ok"));
}

void tst_SerialService::secondOpenKeepsFirstPort()
{
    PtyPeer first, second;
    QVERIFY(first.open());
    QVERIFY(second.open());
    first.startReading();
    second.startReading();

    open(first.path(), 9600, 8, 0, 0, 1);
    QTRY_COMPARE(first.slaveUsers(), 2);
    QTRY_VERIFY(first.lineSettings().c_cflag & CRTSCTS);
    open(second.path(), 1200, 8, 2, 0, 0);
    emit m_driver->sendMsg(QByteArrayLiteral("still first"));
    QTRY_COMPARE(first.received(), QByteArrayLiteral("still first"));

    QCOMPARE(second.slaveUsers(), 1);
    QVERIFY(second.received().isEmpty());
    const termios t = first.lineSettings();
    QCOMPARE(uint(cfgetospeed(&t)), uint(B9600));
    QVERIFY(!(t.c_cflag & CSTOPB));
    QVERIFY(t.c_cflag & CRTSCTS);
}

void tst_SerialService::closeTwiceAndWriteAfterClose()
{
    PtyPeer peer;
    QVERIFY(peer.open());
    peer.startReading();

    emit m_driver->closeSerial(); // closing a port never opened
    open(peer.path());
    QTRY_COMPARE(peer.slaveUsers(), 2);
    emit m_driver->closeSerial();
    emit m_driver->closeSerial();
    QTRY_COMPARE(peer.slaveUsers(), 1);

    emit m_driver->sendMsg(QByteArrayLiteral("after close"));
    open(peer.path());
    QTRY_COMPARE(peer.slaveUsers(), 2);
    emit m_driver->sendMsg(QByteArrayLiteral("reopened"));
    QTRY_COMPARE(peer.received(), QByteArrayLiteral("reopened"));
}

void tst_SerialService::removedDeviceThenNewOne()
{
    auto peer = std::make_unique<PtyPeer>();
    QVERIFY(peer->open());
    open(peer->path());
    QTRY_COMPARE(peer->slaveUsers(), 2);
    QVERIFY(peer->write("before"));
    QTRY_COMPARE(m_driver->all(), QByteArrayLiteral("before"));

    peer->unplug();

    // The vanished device must not keep the service's thread busy.
    timespec start{}, end{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
    QTest::qWait(400);
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
    const double cpuMs = (end.tv_sec - start.tv_sec) * 1e3 + (end.tv_nsec - start.tv_nsec) / 1e6;
    QVERIFY2(cpuMs < 200, qPrintable(QStringLiteral("%1 ms of CPU while idle").arg(cpuMs)));

    emit m_driver->sendMsg(QByteArrayLiteral("into the void"));
    emit m_driver->closeSerial();
    emit m_driver->closeSerial();

    // Plugged back: a new device appears and works.
    PtyPeer replacement;
    QVERIFY(replacement.open());
    replacement.startReading();
    open(replacement.path());
    QTRY_COMPARE(replacement.slaveUsers(), 2);
    emit m_driver->sendMsg(QByteArrayLiteral("again"));
    QTRY_COMPARE(replacement.received(), QByteArrayLiteral("again"));
    QVERIFY(replacement.write("back"));
    QTRY_COMPARE(m_driver->all(), QByteArrayLiteral("beforeback"));
}

void tst_SerialService::destructionOnItsThreadClosesPort()
{
    PtyPeer peer;
    QVERIFY(peer.open());
    open(peer.path());
    QTRY_COMPARE(peer.slaveUsers(), 2);

    QThread *destroyedOn = nullptr;
    int destroyedCount = 0;
    connect(m_serial, &QObject::destroyed, m_serial, [&] {
        destroyedOn = QThread::currentThread();
        ++destroyedCount;
    }, Qt::DirectConnection);

    m_thread->quit();
    QVERIFY(m_thread->wait(10000));
    QCOMPARE(destroyedCount, 1);
    QCOMPARE(destroyedOn, m_thread);
    QCOMPARE(peer.slaveUsers(), 1);
}

QTEST_GUILESS_MAIN(tst_SerialService)
#include "tst_serialservice.moc"
