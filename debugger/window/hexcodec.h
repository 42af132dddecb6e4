#pragma once

#include <QByteArray>
#include <QString>

// Conversions between bytes and the text shown or typed on both pages.

// Each byte as two lower-case hex digits, pairs separated by one blank.
QString BytesToHexText(const QByteArray &bytes);
// Decoded with the system's local 8-bit encoding.
QString BytesToLocalText(const QByteArray &bytes);
// Encoded with the system's local 8-bit encoding.
QByteArray LocalTextToBytes(const QString &text);
// Hex digits paired from the right; every other byte is skipped, a lone
// leftmost digit becomes a byte of its own. Never fails.
QByteArray HexTextToBytes(const QByteArray &typed);
