#include "iconimage.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

namespace iconimage {

namespace {

QImage readImage(QImageReader &reader)
{
    // A drawing is rendered at the largest size the icon holds, not at its
    // own nominal size.
    const QByteArray format = reader.format();
    if (format.startsWith("svg")) {
        QSize size = reader.size();
        if (size.isEmpty())
            size = QSize(256, 256);
        reader.setScaledSize(size.scaled(256, 256, Qt::KeepAspectRatio));
    }
    return reader.read();
}

QImage square(const QImage &image, int side)
{
    QImage canvas(side, side, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    const QImage scaled = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&canvas);
    painter.drawImage((side - scaled.width()) / 2, (side - scaled.height()) / 2, scaled);
    painter.end();
    return canvas;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, format) ? bytes : QByteArray();
}

// The image data of the one entry of a single-image ICO file.
QByteArray onlyEntry(const QByteArray &ico)
{
    if (ico.size() < 22)
        return {};
    const auto *p = reinterpret_cast<const uchar *>(ico.constData());
    const quint32 size = qFromLittleEndian<quint32>(p + 14);
    const quint32 offset = qFromLittleEndian<quint32>(p + 18);
    if (offset > quint32(ico.size()) || size > quint32(ico.size()) - offset)
        return {};
    return ico.mid(offset, size);
}

} // namespace

bool hasIcoHeader(const QByteArray &data)
{
    return data.size() >= 4 && data.startsWith(QByteArray("\0\0\1\0", 4));
}

QByteArray icoFromImage(const QByteArray &data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QImage image = readImage(reader);
    if (image.isNull())
        return {};

    const int sides[] = {256, 48, 32, 16};
    QList<QByteArray> entries;
    for (int side : sides) {
        const QImage icon = square(image.convertToFormat(QImage::Format_ARGB32), side);
        const QByteArray entry = side == 256 ? encoded(icon, "PNG") : onlyEntry(encoded(icon, "ICO"));
        if (entry.isEmpty())
            return {};
        entries << entry;
    }

    QByteArray ico(6 + 16 * entries.size(), '\0');
    auto *p = reinterpret_cast<uchar *>(ico.data());
    qToLittleEndian<quint16>(1, p + 2);
    qToLittleEndian<quint16>(quint16(entries.size()), p + 4);
    quint32 offset = quint32(ico.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        uchar *entry = p + 6 + 16 * i;
        entry[0] = entry[1] = uchar(sides[i] % 256); // 0 stands for 256
        qToLittleEndian<quint16>(1, entry + 4);
        qToLittleEndian<quint16>(32, entry + 6);
        qToLittleEndian<quint32>(quint32(entries[i].size()), entry + 8);
        qToLittleEndian<quint32>(offset, entry + 12);
        offset += quint32(entries[i].size());
    }
    for (const QByteArray &entry : std::as_const(entries))
        ico += entry;
    return ico;
}

bool isImageFile(const QString &path)
{
    QImageReader reader(path);
    return !readImage(reader).isNull();
}

} // namespace iconimage
