#include "peername.h"

QString peerAddressText(const QHostAddress &address)
{
    bool isIPv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIPv4);
    return isIPv4 ? QHostAddress(ipv4).toString() : address.toString();
}

QString peerName(const QHostAddress &address, quint16 port)
{
    const QString text = peerAddressText(address);
    const QString host = text.contains(QLatin1Char(':')) ? QLatin1Char('[') + text + QLatin1Char(']') : text;
    return host + QLatin1Char(':') + QString::number(port);
}
