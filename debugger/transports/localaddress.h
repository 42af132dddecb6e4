#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>

#include <optional>

// The text that stands for every interface, IPv4 and IPv6 alike.
inline constexpr char kAllInterfaces[] = "0.0.0.0";

// The address a server or UDP socket binds to for the local-address field's
// text: "0.0.0.0" is every interface (dual stack, IPv4 and IPv6), "::" every
// IPv6 interface; any other text must be a literal address this machine has
// (a loopback address included). Nothing for anything else.
std::optional<QHostAddress> localBindAddress(const QString &text);

// What the field offers: "0.0.0.0", then the machine's IPv4 addresses, then
// its IPv6 ones, as the interfaces list them now.
QStringList localAddressChoices();
