#include "messagefiles.h"

#include <QFile>
#include <QStringDecoder>

namespace MessageFiles {

Imported readTextFile(const QString &path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {ReadError::CannotOpen, {}};
    const QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return {ReadError::CannotOpen, {}};
    if (bytes.size() > limit)
        return {ReadError::TooLarge, {}};

    // Stateless, so that a sequence cut short at the end counts as an error too.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return {ReadError::NotUtf8, {}};
    return {ReadError::None, text};
}

QString exportPath(const QString &folder, const QDateTime &at, const QString &pattern)
{
    return folder + at.toString(pattern) + QStringLiteral(".txt");
}

bool writeTextFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

} // namespace MessageFiles
