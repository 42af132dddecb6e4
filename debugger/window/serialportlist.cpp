#include "serialportlist.h"

#include <QSerialPortInfo>

namespace {

QStringList systemPortNames()
{
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        names << info.portName();
    return names;
}

SerialPortList::Source &currentSource()
{
    static SerialPortList::Source source;
    return source;
}

} // namespace

namespace SerialPortList {

QStringList availablePortNames()
{
    const Source &source = currentSource();
    return source ? source() : systemPortNames();
}

void setSource(Source source)
{
    currentSource() = std::move(source);
}

} // namespace SerialPortList
