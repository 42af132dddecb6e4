#pragma once

#include <QByteArray>
#include <QHostInfo>
#include <QMainWindow>
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

class ByteCounter;
class FramelessFrame;
class QAbstractButton;
class QButtonGroup;
class QMenu;
class QTextEdit;
class QThread;
class QTimer;
class QTranslator;
class ReceiveDisplay;
class Serial;
class TCP_Client;
class TCP_Server;
class UDP_Service;

QT_BEGIN_NAMESPACE
namespace Ui { class MainWindow; }
QT_END_NAMESPACE

// Wrenpost's main window. The implementation is split by concern:
//   mainwindow.cpp           construction, frame, protocol switching, keys, destruction
//   mainwindow_menu.cpp      title-bar menu and About
//   mainwindow_language.cpp  language switching
//   mainwindow_settings.cpp  settings persistence and reset
//   mainwindow_network.cpp   network transports' threads and wiring, the network console
//   mainwindow_dns.cpp       host-name resolution
//   mainwindow_files.cpp     message file import and export of both pages
//   mainwindow_serial.cpp    serial service wiring and the serial page
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The size the window starts at and cannot be made smaller than.
    static constexpr QSize kMinimumSize{960, 640};

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

Q_SIGNALS:
    void tcpC_connect(QString Server_ip, quint16 Server_port);
    void tcpC_disconnect();
    void tcpC_send(QByteArray msg);
    void tcpS_open(quint16 port);
    void tcpS_close();
    void tcpS_send(QByteArray msg);
    void tcpS_kick(QString ip);
    void udp_open(quint16 port);
    void udp_close();
    void udp_send(QByteArray msg, QString obj_ip, quint16 obj_port);
    void openSerial(QString PortName, int BaudRate, qint8 DataBits, qint8 StopBits, qint8 Parity, qint8 FlowControl);
    void closeSerial();
    void sendMsg(QByteArray data);

protected:
    void keyPressEvent(QKeyEvent *event) override;

public Q_SLOTS:
    // Network console
    void UpdateMsg(QByteArray message);
    void UpdateClientsList(QString method, QString IP);
    void UpdateClientsHint(QString message);
    void LoopSend();
    void lookedUp(QHostInfo host);

    // Serial page
    void GetSerialData(const QByteArray &Recive_msg);
    void serialPortLost(const QString &reason);
    void Refresh_ComList();

    // Shell
    void onProtocolButtonClicked();
    void loadLanguage(const QString &language);
    void initLanguage();
    void updateMenuLanguage();
    void showMenu();

private Q_SLOTS:
    void on_Connect_clicked();
    void on_Disconnect_clicked();
    void on_Send_clicked();
    void on_Timer_Send_clicked();
    void on_ClearMessage_clicked();
    void on_clear_send_cnt_clicked();
    void on_Kick_clicked();
    void on_client_list_currentTextChanged(const QString &arg1);
    void on_ActOpenFile_triggered();
    void on_ActSaveFile_triggered();
    void on_ActDnsAnalysis_triggered();
    void on_ActAbout_triggered();
    void on_resetButton_clicked();
    void on_SerialOpen_clicked();
    void on_SerialClose_clicked();
    void on_SnedData_clicked();
    void on_SendClear_clicked();
    void on_OpenFile_clicked();
    void on_LoopSend_clicked();
    void on_SaveData_clicked();
    void on_RecordFile_clicked(bool checked);
    void on_RecordFile_2_clicked(bool checked);

private:
    void removeClient(int index);
    // Construction steps (see the constructor for their order)
    void uiInit();
    void updateUIForProtocol(int index);
    void selectProtocol(int index);
    void detectLocalAddress();
    void createMenu();
    void sysInit();
    void initSerialUI();
    void initSerialService();
    void loadSettings();
    void saveSettings();

    // Protocol title and connect-button captions of a network protocol
    QString protocolTitle(int index) const;
    void applyConnectCaptions(int index);

    // Language: the form's texts again, with what the user and the channels made of them
    void retranslateWindow();

    // Reset: every network channel still open is closed
    void closeOpenNetworkChannels();

    // Message files of both pages
    void importMessageFile(QTextEdit *sendArea, QWidget *dialogParent, const QString &filter);
    // Asks where to save a page's receive area, offering a file named by the
    // time (`namePattern`) in the folder used last, and writes the area there.
    void saveReceiveArea(ReceiveDisplay *display, QTextEdit *area, QWidget *dialogParent, const QString &filter,
                         const QString &namePattern);
    void reportSave(bool written, const QString &path);
    // Where the first save is offered: the program's folder, or the
    // documents folder when the program's cannot be written.
    static QString firstSaveFolder();
    // Recording a receive area to a file, behind the page's record box.
    void initRecording();
    void toggleRecording(ReceiveDisplay *display, QAbstractButton *box, bool checked, QWidget *dialogParent,
                         const QString &filter, const QString &namePattern);
    void stopRecordings();

    // Destruction steps
    void shutdownNetwork();
    void shutdownSerial();

    // Network console helpers
    void Enable_Options();
    void Disable_Options();
    void startClientConnection();
    void closeNetworkChannel();
    void channelEnded(int channel, const QString &line);

    // Send paths of both pages: the bytes a send area stands for, or nothing
    // once the send has been refused.
    std::optional<QByteArray> bytesToSend(const QString &text, bool hex, QTimer *timed, QAbstractButton *timedBox);
    // A send that cannot go out: the page's timed send (`timed`, ticked in
    // `timedBox`) stops, and a box says why.
    void refuseSend(const QString &message, QTimer *timed, QAbstractButton *timedBox);

    // Serial page helpers
    void EnableSelection();
    void DisableSelection();

    // The receive areas' writers (children of the areas).
    ReceiveDisplay *networkReceive = nullptr;
    ReceiveDisplay *serialReceive = nullptr;

    Serial *objSerial = nullptr;
    QThread *dvThread = nullptr;
    QTimer *timer = nullptr;
    QTimer *timer1 = nullptr;
    // The serial page's counters of bytes read from and written to the port.
    ByteCounter *ReciveCount = nullptr;
    ByteCounter *SendCount = nullptr;

    Ui::MainWindow *ui = nullptr;

    FramelessFrame *m_frame = nullptr;

    QMenu *menu = nullptr;
    QButtonGroup *protocolGroup = nullptr;
    int currentProtocolIndex = 0;
    // The network channel that is open (0 TCP client, 1 TCP server, 2 UDP),
    // or -1. At most one is open; choosing another closes it.
    int m_openChannel = -1;
    // The client's connection stands: set by its Connected, cleared by every
    // connect and close, so a close reported for an earlier connection does
    // not end a new one.
    bool m_clientConnected = false;
    // The host look-up of a connection being opened, or -1.
    int m_lookupId = -1;

    QTimer *Send_timer = nullptr;
    UDP_Service *UdpService = nullptr;
    QThread *UdpThread = nullptr;
    TCP_Client *TcpClient = nullptr;
    QThread *ClientThread = nullptr;
    TCP_Server *TcpServer = nullptr;
    QThread *ServerThread = nullptr;
    // The network page's counters of bytes received and sent over any channel.
    ByteCounter *Recive_Count = nullptr;
    ByteCounter *Send_Count = nullptr;
    QString DnsAnalysisResult;

    QTranslator *m_translator = nullptr;
    QTranslator *m_translatorQt = nullptr;
    QString m_currentLanguage;
    // Where the application catalogues are; %1 is the language code.
    QString m_cataloguePattern = QStringLiteral(":/translations/lang_%1.qm");
    // The folder of the network page's last save; empty until one is made.
    QString m_saveFolder;
    // The folder of the last record file; empty until one is chosen.
    QString m_recordFolder;

    friend class MainWindowTestAccess;
};
