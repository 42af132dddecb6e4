#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The checksums a page can append to every frame it sends. Each is computed
// over all the bytes of the frame and goes after them, in its wire order.
namespace Checksum {

enum class Kind {
    None,
    Sum8,           // sum of the bytes, modulo 256
    Xor8,           // the bytes exclusive-or'ed together
    Crc16Modbus,    // CRC-16 0x8005 reflected, start 0xFFFF; low byte first
    Crc16CcittFalse, // CRC-16 0x1021, start 0xFFFF, not reflected; high byte first
    Crc32,          // CRC-32 0x04C11DB7 reflected, start and end 0xFFFFFFFF; low byte first
};

inline constexpr Kind kAll[] = {Kind::None, Kind::Sum8, Kind::Xor8, Kind::Crc16Modbus, Kind::Crc16CcittFalse,
                                Kind::Crc32};

// The value as a number, for display and checking.
quint32 value(Kind kind, QByteArrayView data);
// The bytes appended to `data`, in the order they are sent; empty for None.
QByteArray bytes(Kind kind, QByteArrayView data);
// How many bytes the kind appends.
int size(Kind kind);

// The kind's stored and shown name ("none", "SUM-8", "CRC-16/MODBUS" …), and
// back; a name that is none of them is None.
QString name(Kind kind);
Kind fromName(const QString &name);

} // namespace Checksum
