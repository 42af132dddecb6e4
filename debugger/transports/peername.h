#pragma once

#include <QHostAddress>
#include <QString>

// The text of a peer's address: an IPv4 peer seen through a dual-stack socket
// (::ffff:a.b.c.d) by the IPv4 address it really has.
QString peerAddressText(const QHostAddress &address);

// "address:port" of a peer, an IPv6 address in brackets ("[::1]:8080").
QString peerName(const QHostAddress &address, quint16 port);
