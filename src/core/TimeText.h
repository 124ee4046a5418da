#pragma once

#include <QString>
#include <optional>

namespace TimeText {

// "hh:mm:ss" for a span of milliseconds (negative spans count as zero). Hours past 99
// keep all their digits rather than wrapping like a clock.
QString hms(qint64 ms);

// The milliseconds of an "hh:mm:ss" text (two or three hour digits, minutes and seconds
// below 60, nothing around it); nullopt for anything else, the empty text included.
std::optional<qint64> hmsToMs(QStringView text);

} // namespace TimeText
