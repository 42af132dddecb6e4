#pragma once

#include <QString>

#include <optional>

// How the fields of both pages that hold numbers are read.

// Port fields: an unsigned decimal number kept to its low 16 bits; text that
// is not a number gives 0.
quint16 portFromField(const QString &text);

// The network page's timed-send period in milliseconds: a positive decimal
// number, or nothing when the text is not one.
std::optional<int> timedSendPeriodFromText(const QString &text);

// The serial page's loop period in milliseconds: text that is not a number
// gives 0; a number too large for a timer gives the longest period.
int loopPeriodFromText(const QString &text);
