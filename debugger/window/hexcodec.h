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

// What a send area in HEX send holds: tokens separated by blanks or commas,
// each optionally prefixed "0x" or "0X"; a token of one or two digits is one
// byte, a longer one of even length is read in pairs. Anything else (a
// character that is no hex digit, a long token of odd length, a lone prefix)
// makes the whole text refused, naming the first such token.
struct HexInput
{
    QByteArray bytes;
    QString badToken; // empty when the text was understood
    bool ok() const { return badToken.isEmpty(); }
};
HexInput parseHexInput(const QString &typed);
