#pragma once

// What the serial page tests share: widgets found by object name, the window's
// members the page keeps to itself, and a window whose port is opened on a
// pseudo-terminal through the page's own buttons.

#include "../windowstores.h"
#include "channelcontroller.h"
#include "mainwindow.h"
#include "ptypeer.h"
#include "serial.h"
#include "serialportlist.h"
#include "widgetlookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>

#include <memory>

class MainWindowTestAccess
{
public:
    static QTimer *portListTimer(MainWindow *w) { return w->timer1; }
    static QTimer *loopTimer(MainWindow *w) { return w->timer; }
    static Serial *service(MainWindow *w) { return static_cast<Serial *>(w->m_channels->service(Channel::Serial)); }
    static ChannelRequest serialRequest(MainWindow *w) { return w->m_channels->request(Channel::Serial); }
};

// The page's time stamp: "yyyy.MM.dd hh:mm:ss.zzz".
inline const QString &stampPattern()
{
    static const QString pattern = QStringLiteral("\\d{4}\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}");
    return pattern;
}

// Every time stamp in `text` lies within `slackMs` of now.
inline bool stampsAreRecent(const QString &text, qint64 slackMs = 10000)
{
    static const QRegularExpression stamp(stampPattern());
    const QDateTime now = QDateTime::currentDateTime();
    auto it = stamp.globalMatch(text);
    while (it.hasNext()) {
        const QDateTime at = QDateTime::fromString(it.next().captured(), QStringLiteral("yyyy.MM.dd hh:mm:ss.zzz"));
        if (!at.isValid() || qAbs(at.msecsTo(now)) > slackMs)
            return false;
    }
    return true;
}

// A window whose serial page has opened the slave of `peer`.
struct OpenSerialPage
{
    PtyPeer peer;
    std::unique_ptr<MainWindow> window;

    bool open()
    {
        if (!peer.open())
            return false;
        peer.startReading();
        const QString path = peer.path();
        SerialPortList::setSource([path] { return QStringList{path}; });
        window = std::make_unique<MainWindow>();
        if (child<QComboBox>(window.get(), "SerialList")->currentText() != path)
            return false;
        QTest::mouseClick(child<QPushButton>(window.get(), "SerialOpen"), Qt::LeftButton);
        QDeadlineTimer deadline(10000);
        while (peer.slaveUsers() != 2 && !deadline.hasExpired())
            QTest::qWait(10);
        return peer.slaveUsers() == 2;
    }

    template <typename T>
    T *get(const char *name) { return child<T>(window.get(), name); }
    QTextBrowser *receiveArea() { return get<QTextBrowser>("DataRecive"); }
    QTextEdit *sendArea() { return get<QTextEdit>("DataToSend"); }
    QString receivedCount() { return get<QLabel>("ReciveCountLabel")->text(); }
    QString sentCount() { return get<QLabel>("SendCountLabel")->text(); }
    void send() { QTest::mouseClick(get<QPushButton>("SnedData"), Qt::LeftButton); }
};
