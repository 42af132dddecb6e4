#include "serial.h"

#include <QDebug>
#include <QSocketNotifier>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <sys/ioctl.h>
#endif

SerialLineSettings serialLineSettings(const QString &PortName, int BaudRate, qint8 DataBits,
                                      qint8 StopBits, qint8 Parity, qint8 FlowControl)
{
    SerialLineSettings settings;
    settings.portName = PortName;
    settings.baudRate = BaudRate;

    switch (DataBits) {
    case 5: settings.dataBits = QSerialPort::Data5; break;
    case 6: settings.dataBits = QSerialPort::Data6; break;
    case 7: settings.dataBits = QSerialPort::Data7; break;
    default: settings.dataBits = QSerialPort::Data8; break;
    }

    switch (StopBits) {
    case 1: settings.stopBits = QSerialPort::OneAndHalfStop; break;
    case 2: settings.stopBits = QSerialPort::TwoStop; break;
    default: settings.stopBits = QSerialPort::OneStop; break;
    }

    switch (Parity) {
    case 1: settings.parity = QSerialPort::OddParity; break;
    case 2: settings.parity = QSerialPort::EvenParity; break;
    case 3: settings.parity = QSerialPort::MarkParity; break;
    case 4: settings.parity = QSerialPort::SpaceParity; break;
    default: settings.parity = QSerialPort::NoParity; break;
    }

    switch (FlowControl) {
    case 1: settings.flowControl = QSerialPort::HardwareControl; break;
    case 2: settings.flowControl = QSerialPort::SoftwareControl; break;
    default: settings.flowControl = QSerialPort::NoFlowControl; break;
    }
    return settings;
}

Serial::Serial(QObject *parent)
    : QObject(parent), SerialPort(new QSerialPort(this)), m_pinoutPoll(new QTimer(this))
{
    connect(m_pinoutPoll, &QTimer::timeout, this, &Serial::pollPinout);
    connect(SerialPort, &QSerialPort::readyRead, this, &Serial::SerialRead);
    connect(SerialPort, &QSerialPort::bytesWritten, this, &Serial::BytesSent);
}

Serial::~Serial()
{
    CloseSerial();
}

void Serial::OpenSerial(QString PortName, int BaudRate, qint8 DataBits, qint8 StopBits, qint8 Parity,
                        qint8 FlowControl)
{
    // A second open must not rename the port that is already in use.
    if (SerialPort->isOpen())
        return;

    const SerialLineSettings settings =
        serialLineSettings(PortName, BaudRate, DataBits, StopBits, Parity, FlowControl);
    SerialPort->setPortName(settings.portName);
    if (!SerialPort->open(QIODevice::ReadWrite)) {
        emit PortLost(SerialPort->errorString());
        return;
    }

    // Each parameter is applied on its own: one the line refuses (a
    // pseudo-terminal holds neither parity nor a short character) leaves the
    // others in force and the port usable.
    SerialPort->setBaudRate(settings.baudRate, QSerialPort::AllDirections);
    SerialPort->setDataBits(settings.dataBits);
    SerialPort->setStopBits(settings.stopBits);
#ifndef Q_OS_WIN
    if (settings.stopBits == QSerialPort::OneAndHalfStop)
        qWarning() << "Serial: one and a half stop bits cannot be carried by" << settings.portName
                   << "on this platform; the line runs with one stop bit";
#endif
    SerialPort->setParity(settings.parity);
    SerialPort->setFlowControl(settings.flowControl);
    watchForHangUp();
    m_pinout = -1;
    pollPinout();
}

void Serial::CloseSerial()
{
    if (!SerialPort->isOpen())
        return;
    delete m_hangUpWatch;
    m_hangUpWatch = nullptr;
    m_pinoutPoll->stop();
    SerialPort->clear(QSerialPort::AllDirections);
    SerialPort->close();
}

void Serial::SerialWrite(QByteArray data)
{
    // Sends on a closed port go nowhere; skipping them keeps a fast loop send
    // from filling the log with the device's refusals.
    if (!SerialPort->isOpen())
        return;
    SerialPort->write(data);
}

void Serial::SetLines(bool dtr, bool rts)
{
    if (!SerialPort->isOpen())
        return;
    // Under hardware flow control RTS belongs to the port.
    SerialPort->setDataTerminalReady(dtr);
    if (SerialPort->flowControl() != QSerialPort::HardwareControl)
        SerialPort->setRequestToSend(rts);
    // A device without modem lines refuses both; that is no fault of the port.
    SerialPort->clearError();
}

void Serial::pollPinout()
{
    if (!SerialPort->isOpen())
        return;
    // A setting the device refused at the open must not count as its answer here.
    SerialPort->clearError();
    const int pinout = SerialPort->pinoutSignals().toInt();
    if (SerialPort->error() != QSerialPort::NoError) {
        SerialPort->clearError();
        m_pinoutPoll->stop();
        emit PinoutChanged(0, false);
        return;
    }
    if (!m_pinoutPoll->isActive())
        m_pinoutPoll->start(kPinoutPollMs);
    if (pinout != m_pinout) {
        m_pinout = pinout;
        emit PinoutChanged(pinout, true);
    }
}

void Serial::SerialRead()
{
    emit message(SerialPort->readAll());
}

// A terminal whose device went away (a USB adapter pulled, the far end of a
// pseudo-terminal closed) stays readable for ever while reads return nothing,
// and the port does not report it: its thread would spin. Once everything
// still buffered has been read, the port is closed; a later open starts afresh.
void Serial::watchForHangUp()
{
#ifdef Q_OS_UNIX
    m_hangUpWatch = new QSocketNotifier(SerialPort->handle(), QSocketNotifier::Read, this);
    connect(m_hangUpWatch, &QSocketNotifier::activated, this, &Serial::checkHangUp);
#endif
}

void Serial::checkHangUp()
{
#ifdef Q_OS_UNIX
    pollfd state{int(SerialPort->handle()), POLLIN, 0};
    if (::poll(&state, 1, 0) <= 0 || !(state.revents & (POLLHUP | POLLERR | POLLNVAL)))
        return;
    int pending = 0;
    if (::ioctl(state.fd, FIONREAD, &pending) == 0 && pending > 0)
        return;
    m_hangUpWatch->setEnabled(false);
    QMetaObject::invokeMethod(this, [this] {
        if (m_hangUpWatch && !m_hangUpWatch->isEnabled()) {
            CloseSerial();
            emit PortLost(QString());
        }
    }, Qt::QueuedConnection);
#endif
}
