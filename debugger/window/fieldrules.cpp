#include "fieldrules.h"

#include <QRegularExpression>

#include <limits>

quint16 portFromField(const QString &text)
{
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    return ok ? quint16(value & 0xFFFF) : quint16(0);
}

std::optional<int> timedSendPeriodFromText(const QString &text)
{
    bool ok = false;
    const int period = text.toInt(&ok);
    if (!ok || period <= 0)
        return std::nullopt;
    return period;
}

int loopPeriodFromText(const QString &text)
{
    bool ok = false;
    const int period = text.toInt(&ok);
    // A negative period, which a timer cannot hold, counts as not a number.
    if (ok)
        return qMax(period, 0);
    // Too long for an int: the longest period, not the shortest.
    static const QRegularExpression positiveNumber(QStringLiteral("^\\s*\\+?[0-9]+\\s*$"));
    if (positiveNumber.match(text).hasMatch())
        return std::numeric_limits<int>::max();
    return 0;
}
