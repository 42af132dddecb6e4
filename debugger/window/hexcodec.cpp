#include "hexcodec.h"

#include <QRegularExpression>

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

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

HexInput parseHexInput(const QString &typed)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    HexInput result;
    const QStringList tokens = typed.split(separators, Qt::SkipEmptyParts);
    for (const QString &token : tokens) {
        QStringView digits(token);
        if (digits.startsWith(u"0x", Qt::CaseInsensitive))
            digits = digits.mid(2);
        bool valid = !digits.isEmpty() && (digits.size() <= 2 || digits.size() % 2 == 0);
        for (qsizetype i = 0; valid && i < digits.size(); ++i)
            valid = hexDigit(digits[i]) >= 0;
        if (!valid) {
            result.bytes.clear();
            result.badToken = token;
            return result;
        }
        if (digits.size() == 1) {
            result.bytes.append(char(hexDigit(digits[0])));
            continue;
        }
        for (qsizetype i = 0; i < digits.size(); i += 2)
            result.bytes.append(char(hexDigit(digits[i]) << 4 | hexDigit(digits[i + 1])));
    }
    return result;
}
