#include "hexcodec.h"

QString BytesToHexText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

QString BytesToLocalText(const QByteArray &bytes)
{
    return QString::fromLocal8Bit(bytes);
}

QByteArray LocalTextToBytes(const QString &text)
{
    return text.toLocal8Bit();
}

QByteArray HexTextToBytes(const QByteArray &typed)
{
    return QByteArray::fromHex(typed);
}
