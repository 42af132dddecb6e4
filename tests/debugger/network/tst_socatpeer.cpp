#include "../windowstores.h"
#include "mainwindow.h"
#include "widgetlookup.h"
#include "nettestutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolButton>

// The window against socat, a peer written by other people, on loopback.
class tst_SocatPeer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void tcpClientToEchoServer();
    void tcpServerWithSocatClient();
    void udpToEchoPeer();

private:
    template<typename T>
    T *find(const char *name) const { return child<T>(m_window, name); }
    void startSocat(const QStringList &arguments)
    {
        m_socat.setProgram(m_socatPath);
        m_socat.setArguments(arguments);
        m_socat.start();
        QVERIFY(m_socat.waitForStarted(5000));
    }
    void send(const QString &text)
    {
        find<QTextEdit>("Send_msg")->setPlainText(text);
        find<QPushButton>("Send")->click();
    }
    QString shown() const { return find<QTextBrowser>("Recive_msg")->toPlainText(); }

    QString m_socatPath;
    QProcess m_socat;
    MainWindow *m_window = nullptr;
};

void tst_SocatPeer::initTestCase()
{
    m_socatPath = QStandardPaths::findExecutable(QStringLiteral("socat"));
    if (m_socatPath.isEmpty())
        QSKIP("socat is not installed (scripts/packages.txt lists it)");
}

void tst_SocatPeer::init()
{
    clearWrenpostStores();
    m_window = new MainWindow;
    m_window->show();
    find<QCheckBox>("DnsAnalysis")->setChecked(false);
    find<QCheckBox>("DisplayTime")->setChecked(false);
    find<QCheckBox>("DisplaySendMsg")->setChecked(false);
    find<QCheckBox>("SendNewLine")->setChecked(false);
    find<QCheckBox>("AutoSwitchLine")->setChecked(true);
    find<QTextBrowser>("Recive_msg")->clear();
}

void tst_SocatPeer::cleanup()
{
    delete m_window;
    m_window = nullptr;
    if (m_socat.state() != QProcess::NotRunning) {
        m_socat.kill();
        m_socat.waitForFinished(5000);
    }
}

void tst_SocatPeer::tcpClientToEchoServer()
{
    const quint16 port = nettest::freePort();
    startSocat({QStringLiteral("TCP-LISTEN:%1,bind=127.0.0.1,reuseaddr,fork").arg(port), QStringLiteral("PIPE")});
    QVERIFY(nettest::waitListening(QHostAddress::LocalHost, port));

    find<QToolButton>("TCPClient")->click();
    find<QLineEdit>("Obj_IP")->setText(QStringLiteral("127.0.0.1"));
    find<QLineEdit>("Obj_Port")->setText(QString::number(port));
    find<QCheckBox>("HexSend")->setChecked(true);
    find<QCheckBox>("HexDisplay")->setChecked(true);
    find<QPushButton>("Connect")->click();

    // Sending becomes possible once the connection stands.
    QTRY_VERIFY(find<QPushButton>("Send")->isEnabled());
    send(QStringLiteral("48 65 6c 6c 6f"));
    QTRY_COMPARE(shown(), QStringLiteral("48 65 6c 6c 6f"));
    find<QPushButton>("ClearMessage")->click();
    find<QCheckBox>("HexDisplay")->setChecked(false);
    send(QStringLiteral("e9 9b 81 0a"));
    QTRY_COMPARE(shown(), QStringLiteral("雁\n"));
    find<QPushButton>("Disconnect")->click();
}

void tst_SocatPeer::tcpServerWithSocatClient()
{
    const quint16 port = nettest::freePort();
    find<QToolButton>("TCPserver")->click();
    find<QLineEdit>("Local_Port")->setText(QString::number(port));
    find<QCheckBox>("HexSend")->setChecked(false);
    find<QCheckBox>("HexDisplay")->setChecked(false);
    find<QPushButton>("Connect")->click();
    QVERIFY(nettest::waitListening(QHostAddress::LocalHost, port));
    QTRY_VERIFY(shown().contains(QStringLiteral(" left!")));
    find<QPushButton>("ClearMessage")->click();

    startSocat({QStringLiteral("-"), QStringLiteral("TCP:127.0.0.1:%1").arg(port)});
    auto *list = find<QComboBox>("client_list");
    QTRY_COMPARE(list->count(), 2);
    QVERIFY(list->itemText(1).startsWith(QStringLiteral("127.0.0.1:")));
    QTRY_VERIFY(shown().startsWith(QStringLiteral("New Client:127.0.0.1:")));

    m_socat.write("ping from socat");
    QTRY_VERIFY(shown().endsWith(QStringLiteral("ping from socat")));

    list->setCurrentIndex(1);
    send(QStringLiteral("pong"));
    QByteArray out;
    QTRY_COMPARE((out += m_socat.readAllStandardOutput()), QByteArray("pong"));

    // socat ends when its input ends; the window hears it leave.
    m_socat.closeWriteChannel();
    QTRY_VERIFY(shown().contains(QStringLiteral(" left!")));
    QTRY_COMPARE(list->count(), 1);
    QTRY_COMPARE(m_socat.state(), QProcess::NotRunning);
    find<QPushButton>("Disconnect")->click();
}

void tst_SocatPeer::udpToEchoPeer()
{
    const quint16 socatPort = nettest::freePort();
    const quint16 localPort = nettest::freePort();
    startSocat({QStringLiteral("UDP-LISTEN:%1,bind=127.0.0.1").arg(socatPort), QStringLiteral("PIPE")});
    QTest::qWait(200); // socat has no way to say that it has bound

    find<QToolButton>("UDPButton")->click();
    find<QLineEdit>("Local_Port")->setText(QString::number(localPort));
    find<QLineEdit>("Obj_IP")->setText(QStringLiteral("127.0.0.1"));
    find<QLineEdit>("Obj_Port")->setText(QString::number(socatPort));
    find<QCheckBox>("UdpBroadcast")->setChecked(false);
    find<QCheckBox>("HexSend")->setChecked(false);
    find<QCheckBox>("HexDisplay")->setChecked(true);
    find<QPushButton>("Connect")->click();

    // A datagram that reached socat before it had bound is lost; try again.
    for (int attempt = 0; attempt < 20 && shown().isEmpty(); ++attempt) {
        send(QStringLiteral("abc"));
        QTest::qWait(250);
    }
    QVERIFY(shown().startsWith(QStringLiteral("127.0.0.1:%1\n61 62 63").arg(socatPort)));
    find<QPushButton>("Disconnect")->click();
}

QTEST_MAIN(tst_SocatPeer)
#include "tst_socatpeer.moc"
