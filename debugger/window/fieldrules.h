#pragma once

#include <QString>

#include <optional>

// How the fields of both pages that hold numbers are read.

// A target port: a decimal number from 1 to 65535 (blanks around it allowed),
// or nothing when the text is not one.
std::optional<quint16> targetPortFromField(const QString &text);

// A local port: as a target port, and 0 too, which lets the system choose.
std::optional<quint16> localPortFromField(const QString &text);

// The timed-send period of both pages in milliseconds: a positive decimal
// number that a timer can hold, or nothing when the text is not one.
std::optional<int> timedSendPeriodFromText(const QString &text);
