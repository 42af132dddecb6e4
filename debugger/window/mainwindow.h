#pragma once

#include <QByteArray>
#include <QHostInfo>
#include <QMainWindow>

#include "channel.h"
#include <QPoint>
#include <QSize>
#include <QString>

#include "tickpace.h"

#include <optional>

class ByteCounter;
class ChannelController;
class FileSendBar;
class FileSender;
class QCheckBox;
class QComboBox;
class QLabel;
class QSettings;
class Reconnector;
class SerialLinesPanel;
namespace Checksum { enum class Kind; }
class FramelessFrame;
class QAbstractButton;
class QButtonGroup;
class QMenu;
class QTextEdit;
class QTimer;
class QSettings;
class QTranslator;
struct QuickCommand;
class QuickCommandModel;
class QuickCommandPanel;
class ReceiveDisplay;
struct ChannelRequest;

QT_BEGIN_NAMESPACE
namespace Ui { class MainWindow; }
QT_END_NAMESPACE

// Wrenpost's main window. The implementation is split by concern:
//   mainwindow.cpp           construction, frame, protocol switching, keys, destruction
//   mainwindow_menu.cpp      title-bar menu and About
//   mainwindow_language.cpp  language switching
//   mainwindow_settings.cpp  settings persistence and reset
//   mainwindow_network.cpp   the network console, shown from the channel controller's reports
//   mainwindow_dns.cpp       host-name resolution's results
//   mainwindow_files.cpp     message file import and export of both pages
//   mainwindow_serial.cpp    the serial page
//   mainwindow_sendextras.cpp  what both pages add to sending, and its settings:
//     mainwindow_checksum.cpp    the checksum appended to every send
//     mainwindow_sendfile.cpp    sending a file
//     mainwindow_seriallines.cpp the serial control lines
//     mainwindow_reconnect.cpp   the TCP client's automatic reconnection
//   mainwindow_quickcommands.cpp  the quick-command panels of both pages
// The channels themselves (services, threads, which may be open) belong to
// the ChannelController; the window asks it and shows what it reports. The
// request signals below are wired to it, so emitting one asks it too.
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
    // `sender` ("address:port") names the peer on the server and UDP pages.
    void UpdateMsg(QByteArray message, QString sender = QString());
    void UpdateClientsList(QString method, QString IP);
    void UpdateClientsHint(QString message);
    void LoopSend();
    void lookedUp(QHostInfo host);

    // Serial page
    void GetSerialData(const QByteArray &Recive_msg);
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
    void addClient(const QString &name);
    void dropClient(const QString &name);
    void showResolvedName(const QString &address);
    // Construction steps (see the constructor for their order)
    void uiInit();
    void updateUIForProtocol(Channel channel);
    void selectProtocol(Channel channel);
    void detectLocalAddress();
    void createMenu();
    void sysInit();
    void initSerialUI();
    void forwardRequestSignals();
    void loadSettings();
    void saveSettings();

    // Protocol title and connect-button captions of a network protocol
    QString protocolTitle(Channel channel) const;
    void applyConnectCaptions(Channel channel);

    // Language: the form's texts again, with what the user and the channels made of them
    void retranslateWindow();

    // Reset: every network channel still open is closed
    void closeOpenNetworkChannels();

    // Message files of both pages
    void importMessageFile(QTextEdit *sendArea, QWidget *dialogParent, const QString &filter);
    // Asks where to save a page's receive area, offering a file named by the
    // time (`namePattern`) in the folder used last, and writes the area there.
    void saveReceiveArea(ReceiveDisplay *display, QWidget *dialogParent, const QString &filter,
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

    // What the controller reports, shown on the pages
    void channelStateChanged(Channel channel, ChannelState state);
    void channelEnded(Channel channel, const QString &line);
    void showReceived(Channel channel, const QByteArray &data, const QString &sender);
    void networkChannelClosed();
    void serialChannelClosed();

    // Network console helpers
    void Enable_Options();
    void Disable_Options();

    // Send paths of both pages: the bytes a send area stands for, or nothing
    // once the send has been refused.
    std::optional<QByteArray> bytesToSend(const QString &text, bool hex, QTimer *timed, QAbstractButton *timedBox);
    // A send that cannot go out: the page's timed send (`timed`, ticked in
    // `timedBox`) stops, and a box says why.
    void refuseSend(const QString &message, QTimer *timed, QAbstractButton *timedBox);

    // Sends of both pages, typed or not: the text with the page's rules, true
    // when it went out. `timed` and `timedBox` are the page's timed send,
    // which a refused send stops.
    bool sendNetworkText(QString text, bool hex, bool newLine, QTimer *timed, QAbstractButton *timedBox);
    bool sendSerialText(QString text, bool hex, bool newLine, QTimer *timed, QAbstractButton *timedBox);

    // Quick commands (page 0 network, 1 serial)
    void initQuickCommands();
    void loadQuickCommands(QSettings &settings);
    void saveQuickCommands(QSettings &settings) const;
    void resetQuickCommands();
    bool sendQuickCommand(int page, const QuickCommand &command);
    void stopQuickSequence(int page);

    // Serial page helpers
    void EnableSelection();
    void DisableSelection();

    // The quick-command list both pages share, and each page's panel.
    QuickCommandModel *m_quickCommands = nullptr;
    QuickCommandPanel *m_quickPanels[2] = {};

    // The receive areas' writers (children of the areas).
    ReceiveDisplay *networkReceive = nullptr;
    ReceiveDisplay *serialReceive = nullptr;

    // Every channel's service and thread, and which channels are open.
    ChannelController *m_channels = nullptr;

    QTimer *timer = nullptr;
    QTimer *timer1 = nullptr;
    // The serial page's counters of bytes read from and written to the port.
    ByteCounter *ReciveCount = nullptr;
    ByteCounter *SendCount = nullptr;

    Ui::MainWindow *ui = nullptr;

    FramelessFrame *m_frame = nullptr;

    QMenu *menu = nullptr;
    QButtonGroup *protocolGroup = nullptr;
    // The page chosen in the side menu, stored as its index.
    Channel currentProtocolIndex = Channel::TcpClient;
    // The network channel whose arrangement the network page shows: the one
    // chosen last, also while the serial page is in front.
    Channel m_networkPage = Channel::TcpClient;

    QTimer *Send_timer = nullptr;
    // Sends owed by Send_timer's ticks.
    TickPace m_timedPace;
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

    // What both pages add to sending (see the files named at the top).
    static constexpr int kNetworkPage = 0;
    static constexpr int kSerialPage = 1;
    void initSendExtras();
    void retranslateSendExtras();
    void loadSendExtras(QSettings &settings);
    void saveSendExtras(QSettings &settings) const;
    void resetSendExtras();
    void initChecksums();
    // A page is known by its timed send: `timer` is the serial page's.
    Checksum::Kind pageChecksum(const QTimer *timed) const;
    // The echo of a send: HEX sends as their bytes, checksum included; text
    // as typed, followed by the checksum's bytes in brackets.
    QString sentEcho(const QString &text, bool hex, const QByteArray &bytes, const QTimer *timed) const;
    void initFileSend();
    void startFileSend(int page, const QString &path);
    void sendFilePiece(int page, const QByteArray &bytes);
    void fileSendEnded(int page, bool complete);
    void stopFileSend(int page);
    void initSerialLines();
    void initReconnect();
    // Ends the retries and gives the page back its closed arrangement.
    void cancelReconnect();
    // A lost client connection with automatic reconnection on: the page stays
    // open and tries again. False when the option is off.
    bool reconnectAfterLoss(const QString &line);
    void reconnectAttempt(int number);

    QComboBox *m_checksumList[2] = {};
    QLabel *m_checksumLabel[2] = {};
    FileSender *m_fileSender[2] = {};
    FileSendBar *m_fileSendBar[2] = {};
    // The channel and UDP target of the network page's file send, as it started.
    Channel m_fileChannel = Channel::TcpClient;
    QString m_fileTarget;
    quint16 m_fileTargetPort = 0;
    SerialLinesPanel *m_serialLines = nullptr;
    QCheckBox *m_autoReconnect = nullptr;
    Reconnector *m_reconnector = nullptr;

    friend class MainWindowTestAccess;
};
