#include "checksum.h"

namespace Checksum {

namespace {

quint32 crc16Modbus(QByteArrayView data)
{
    quint16 crc = 0xFFFF;
    for (const char c : data) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

quint32 crc16CcittFalse(QByteArrayView data)
{
    quint16 crc = 0xFFFF;
    for (const char c : data) {
        crc ^= quint16(quint8(c) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

quint32 crc32(QByteArrayView data)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char c : data) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

} // namespace

quint32 value(Kind kind, QByteArrayView data)
{
    switch (kind) {
    case Kind::None:
        return 0;
    case Kind::Sum8: {
        quint8 sum = 0;
        for (const char c : data)
            sum = quint8(sum + quint8(c));
        return sum;
    }
    case Kind::Xor8: {
        quint8 x = 0;
        for (const char c : data)
            x ^= quint8(c);
        return x;
    }
    case Kind::Crc16Modbus:
        return crc16Modbus(data);
    case Kind::Crc16CcittFalse:
        return crc16CcittFalse(data);
    case Kind::Crc32:
        return crc32(data);
    }
    return 0;
}

int size(Kind kind)
{
    switch (kind) {
    case Kind::None:
        return 0;
    case Kind::Sum8:
    case Kind::Xor8:
        return 1;
    case Kind::Crc16Modbus:
    case Kind::Crc16CcittFalse:
        return 2;
    case Kind::Crc32:
        return 4;
    }
    return 0;
}

QByteArray bytes(Kind kind, QByteArrayView data)
{
    const quint32 sum = value(kind, data);
    const int length = size(kind);
    QByteArray out(length, '\0');
    // The CCITT-FALSE register is not reflected and goes most significant
    // byte first; the reflected CRCs go least significant byte first.
    const bool bigEndian = kind == Kind::Crc16CcittFalse;
    for (int i = 0; i < length; ++i) {
        const int shift = 8 * (bigEndian ? length - 1 - i : i);
        out[i] = char((sum >> shift) & 0xFF);
    }
    return out;
}

QString name(Kind kind)
{
    switch (kind) {
    case Kind::None:
        return QStringLiteral("none");
    case Kind::Sum8:
        return QStringLiteral("SUM-8");
    case Kind::Xor8:
        return QStringLiteral("XOR-8");
    case Kind::Crc16Modbus:
        return QStringLiteral("CRC-16/MODBUS");
    case Kind::Crc16CcittFalse:
        return QStringLiteral("CRC-16/CCITT-FALSE");
    case Kind::Crc32:
        return QStringLiteral("CRC-32");
    }
    return QString();
}

Kind fromName(const QString &text)
{
    for (const Kind kind : kAll)
        if (name(kind) == text)
            return kind;
    return Kind::None;
}

} // namespace Checksum
