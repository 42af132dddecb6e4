#include "fieldrules.h"

namespace {

std::optional<quint16> portInRange(const QString &text, uint lowest)
{
    const QString digits = text.trimmed();
    // Only digits: a sign, a second number or text after the digits is no port.
    if (digits.isEmpty() || digits.size() > 5)
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const uint port = digits.toUInt();
    if (port < lowest || port > 65535)
        return std::nullopt;
    return quint16(port);
}

} // namespace

std::optional<quint16> targetPortFromField(const QString &text)
{
    return portInRange(text, 1);
}

std::optional<quint16> localPortFromField(const QString &text)
{
    return portInRange(text, 0);
}

std::optional<int> timedSendPeriodFromText(const QString &text)
{
    bool ok = false;
    const int period = text.toInt(&ok);
    if (!ok || period <= 0)
        return std::nullopt;
    return period;
}
