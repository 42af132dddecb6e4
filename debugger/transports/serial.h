#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

// The line settings that the six open codes of the serial page stand for.
struct SerialLineSettings
{
    QString portName;
    qint32 baudRate = 0;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;
};

// Data bits 5, 6 or 7 are taken as they are, anything else is 8; stop code 1 is
// one and a half, 2 is two; parity 1 odd, 2 even, 3 mark, 4 space; flow 1
// RTS/CTS, 2 XON/XOFF; every other code is the plain default.
SerialLineSettings serialLineSettings(const QString &PortName, int BaudRate, qint8 DataBits,
                                      qint8 StopBits, qint8 Parity, qint8 FlowControl);

// Owns the one serial port. Lives on its own thread and is driven only through
// queued calls; reports the bytes it reads, and a port that could not be
// opened or that closed without being asked to.
class Serial : public QObject
{
    Q_OBJECT

public:
    explicit Serial(QObject *parent = nullptr);
    ~Serial() override;

public Q_SLOTS:
    void OpenSerial(QString PortName, int BaudRate, qint8 DataBits, qint8 StopBits, qint8 Parity,
                    qint8 FlowControl);
    void CloseSerial();
    void SerialWrite(QByteArray data);
    void SerialRead();
    // Raises or lowers DTR and RTS of the open port; a port without these
    // lines ignores it.
    void SetLines(bool dtr, bool rts);

Q_SIGNALS:
    void message(QByteArray data);
    // Bytes written to the port, as it takes them: what a send
    // could not put out is never reported.
    void BytesSent(qint64 bytes);
    // The port is closed although no close was asked for: an open that failed
    // (reason given) or a device that went away (reason empty).
    void PortLost(QString reason);
    // The input lines of the open port as QSerialPort::PinoutSignals: once
    // after the open and then on every change. `known` false: the device
    // has no such lines (a pseudo-terminal), and nothing more is reported.
    void PinoutChanged(int pinout, bool known);

public:
    // How often the input lines are read while the port is open.
    static constexpr int kPinoutPollMs = 100;

private:
    void watchForHangUp();
    void checkHangUp();
    void pollPinout();

    QSerialPort *SerialPort;
    class QSocketNotifier *m_hangUpWatch = nullptr;
    class QTimer *m_pinoutPoll;
    int m_pinout = -1;
};
