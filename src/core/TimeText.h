#pragma once

#include <QString>

namespace TimeText {

// "hh:mm:ss" for a span of milliseconds (negative spans count as zero). Hours past 99
// keep all their digits rather than wrapping like a clock.
QString hms(qint64 ms);

} // namespace TimeText
