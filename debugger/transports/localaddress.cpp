#include "localaddress.h"

#include <QNetworkInterface>

std::optional<QHostAddress> localBindAddress(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed == QLatin1String(kAllInterfaces))
        return QHostAddress(QHostAddress::Any);
    const QHostAddress address(trimmed);
    if (address.isNull())
        return std::nullopt;
    if (address == QHostAddress(QHostAddress::AnyIPv6) || address.isLoopback())
        return address;
    const QList<QHostAddress> own = QNetworkInterface::allAddresses();
    for (const QHostAddress &candidate : own) {
        if (candidate.isEqual(address, QHostAddress::StrictConversion))
            return address;
    }
    return std::nullopt;
}

QStringList localAddressChoices()
{
    QStringList ipv4;
    QStringList ipv6;
    const QList<QHostAddress> own = QNetworkInterface::allAddresses();
    for (const QHostAddress &address : own)
        (address.protocol() == QAbstractSocket::IPv4Protocol ? ipv4 : ipv6) << address.toString();
    return QStringList{QString::fromLatin1(kAllInterfaces)} + ipv4 + ipv6;
}
