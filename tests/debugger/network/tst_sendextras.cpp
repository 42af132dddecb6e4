#include "../windowstores.h"
#include "mainwindow.h"
#include "quickcommandmodel.h"
#include "reconnector.h"
#include "widgetlookup.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

class MainWindowTestAccess
{
public:
    static Reconnector *reconnector(MainWindow &w) { return w.m_reconnector; }
    static QuickCommandModel *commands(MainWindow &w) { return w.m_quickCommands; }
};

// The network page's additions to sending, through a real window and a
// loopback peer: the page's checksum, a file, and the client reconnecting.
class tst_SendExtras : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void checksumEndsEverySend_data();
    void checksumEndsEverySend();
    void fileArrivesWhole();
    void reconnectsAfterPeerRestarts();

private:
    template <typename T>
    T *find(const char *name) const { return child<T>(m_window, name); }
    // Connects the client page to m_server and takes the connection.
    bool connectClient();
    QByteArray readAtLeast(qsizetype size, int timeoutMs = 10000);

    MainWindow *m_window = nullptr;
    QTcpServer m_server;
    QTcpSocket *m_peer = nullptr;
};

void tst_SendExtras::init()
{
    clearWrenpostStores();
    QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    for (const char *box : {"DnsAnalysis", "HexSend", "SendNewLine", "DisplayTime", "AutoReconnect"})
        find<QCheckBox>(box)->setChecked(false);
    find<QCheckBox>("DisplaySendMsg")->setChecked(true);
    find<QTextBrowser>("Recive_msg")->clear();
}

void tst_SendExtras::cleanup()
{
    delete m_window;
    m_window = nullptr;
    m_server.close();
    m_peer = nullptr;
}

bool tst_SendExtras::connectClient()
{
    find<QToolButton>("TCPClient")->click();
    find<QLineEdit>("Obj_IP")->setText(QStringLiteral("127.0.0.1"));
    find<QLineEdit>("Obj_Port")->setText(QString::number(m_server.serverPort()));
    find<QPushButton>("Connect")->click();
    if (!QTest::qWaitFor([this] { return m_server.hasPendingConnections(); }, 5000))
        return false;
    m_peer = m_server.nextPendingConnection();
    return QTest::qWaitFor([this] { return find<QPushButton>("Send")->isEnabled(); }, 5000);
}

QByteArray tst_SendExtras::readAtLeast(qsizetype size, int timeoutMs)
{
    QByteArray got;
    (void)QTest::qWaitFor([&] { got += m_peer->readAll(); return got.size() >= size; }, timeoutMs);
    return got;
}

// The page's choice ends every send, text or HEX, and the echo shows it; the
// serial page's choice (SUM-8 in every row) is not the network page's.
void tst_SendExtras::checksumEndsEverySend_data()
{
    QTest::addColumn<QString>("checksum");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QString>("echo");
    QTest::addColumn<bool>("quick");

    QTest::newRow("none") << QStringLiteral("none") << false << QStringLiteral("123456789")
                          << QByteArray("123456789") << QStringLiteral("123456789") << false;
    QTest::newRow("text, CRC-16/MODBUS") << QStringLiteral("CRC-16/MODBUS") << false << QStringLiteral("123456789")
                                         << QByteArray("123456789\x37\x4B") << QStringLiteral("123456789 [37 4b]")
                                         << false;
    QTest::newRow("HEX, CRC-32") << QStringLiteral("CRC-32") << true << QStringLiteral("31 32 33 34 35 36 37 38 39")
                                 << QByteArray("123456789\x26\x39\xF4\xCB")
                                 << QStringLiteral("31 32 33 34 35 36 37 38 39 26 39 f4 cb") << false;
    QTest::newRow("quick command by Ctrl+1, XOR-8") << QStringLiteral("XOR-8") << true << QStringLiteral("31 32")
                                                    << QByteArray("12\x03") << QStringLiteral("31 32 03") << true;
}

void tst_SendExtras::checksumEndsEverySend()
{
    QFETCH(QString, checksum);
    QFETCH(bool, hex);
    QFETCH(QString, typed);
    QFETCH(QByteArray, wire);
    QFETCH(QString, echo);
    QFETCH(bool, quick);

    find<QComboBox>("ChecksumList_2")->setCurrentText(QStringLiteral("SUM-8"));
    find<QComboBox>("ChecksumList")->setCurrentIndex(find<QComboBox>("ChecksumList")->findData(checksum));
    find<QCheckBox>("HexSend")->setChecked(hex);
    QVERIFY(connectClient());
    if (quick) {
        MainWindowTestAccess::commands(*m_window)->setCommands({{QStringLiteral("q"), typed, hex, false, 0}});
        find<QCheckBox>("QuickCommands")->click();
        QTest::keyClick(m_window, Qt::Key_1, Qt::ControlModifier);
    } else {
        find<QTextEdit>("Send_msg")->setPlainText(typed);
        find<QPushButton>("Send")->click();
    }
    QCOMPARE(readAtLeast(wire.size()), wire);
    QTRY_COMPARE(find<QTextBrowser>("Recive_msg")->toPlainText(), echo);
}

// A file larger than what may wait unwritten goes through the page's button
// and dialog, arrives byte for byte, is counted, and is echoed as one line.
void tst_SendExtras::fileArrivesWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("payload.bin"));
    QByteArray content(9 * 1024 * 1024 + 7, '\0');
    QRandomGenerator random(28);
    for (char &c : content)
        c = char(random.generate());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    QVERIFY(connectClient());

    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            answer.stop();
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
    });
    answer.start(20);
    find<QPushButton>("SendFile")->click();
    QVERIFY(find<QProgressBar>("SendFileProgress")->isVisible());
    QVERIFY(!find<QPushButton>("SendFile")->isEnabled());
    QCOMPARE(readAtLeast(content.size(), 30000), content);
    QTRY_VERIFY(find<QProgressBar>("SendFileProgress")->isHidden());
    QVERIFY(find<QPushButton>("SendFile")->isEnabled());
    QTRY_COMPARE(find<QLabel>("Send_cnt")->text(), QStringLiteral("累计发送：%1").arg(content.size()));
    QTRY_COMPARE(find<QTextBrowser>("Recive_msg")->toPlainText(),
             QStringLiteral("发送文件 payload.bin，%1 字节").arg(content.size()));
}

// With 自动重连 on, a peer close keeps the page open and retries on its
// interval, one status line per attempt, until the peer listens again.
void tst_SendExtras::reconnectsAfterPeerRestarts()
{
    find<QCheckBox>("AutoReconnect")->setChecked(true);
    Reconnector *reconnector = MainWindowTestAccess::reconnector(*m_window);
    reconnector->setIntervalMs(100);
    QVERIFY(connectClient());
    const quint16 port = m_server.serverPort();
    m_server.close();
    m_peer->disconnectFromHost();

    QTRY_VERIFY(reconnector->attempts() >= 3);
    QVERIFY(!find<QPushButton>("Send")->isEnabled());
    QVERIFY(find<QPushButton>("Disconnect")->isEnabled());
    QVERIFY(m_server.listen(QHostAddress::LocalHost, port));
    QTRY_VERIFY(m_server.hasPendingConnections());
    m_peer = m_server.nextPendingConnection();
    QTRY_VERIFY(find<QPushButton>("Send")->isEnabled());
    auto *area = find<QTextBrowser>("Recive_msg");
    QTRY_VERIFY(area->toPlainText().endsWith(QStringLiteral("已重新连接")));

    const QStringList lines = area->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.first(), QStringLiteral("服务器已断开连接"));
    QCOMPARE(lines.size(), 2 + lines.filter(QStringLiteral("正在重连（第 ")).size());
    QVERIFY(lines.contains(QStringLiteral("正在重连（第 3 次）…")));

    // Disconnect while waiting for the next attempt ends the retries.
    reconnector->setIntervalMs(300);
    m_server.close();
    m_peer->disconnectFromHost();
    QTRY_VERIFY(area->toPlainText().endsWith(QStringLiteral("已重新连接\n服务器已断开连接")));
    find<QPushButton>("Disconnect")->click();
    QTest::qWait(600);
    QVERIFY(area->toPlainText().endsWith(QStringLiteral("已重新连接\n服务器已断开连接")));
    QVERIFY(find<QPushButton>("Connect")->isEnabled());
}

QTEST_MAIN(tst_SendExtras)
#include "tst_sendextras.moc"
