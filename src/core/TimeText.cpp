#include "core/TimeText.h"

namespace TimeText {

QString hms(qint64 ms)
{
    if (ms < 0)
        ms = 0;
    const qint64 hours = ms / 3600000;
    const qint64 minutes = (ms % 3600000) / 60000;
    const qint64 seconds = (ms % 60000) / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(seconds, 2, 10, QLatin1Char('0'));
}

} // namespace TimeText

namespace TimeText {

namespace {

// The number written in `digits` ASCII digits, or -1.
int digitsAt(QStringView text, qsizetype pos, qsizetype digits)
{
    int value = 0;
    for (qsizetype i = pos; i < pos + digits; ++i) {
        const QChar c = text.at(i);
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

std::optional<qint64> hmsToMs(QStringView text)
{
    const qsizetype hourDigits = text.size() - 6;
    if (hourDigits < 2 || hourDigits > 3 || text.at(hourDigits) != u':' || text.at(hourDigits + 3) != u':')
        return std::nullopt;
    const int hours = digitsAt(text, 0, hourDigits);
    const int minutes = digitsAt(text, hourDigits + 1, 2);
    const int seconds = digitsAt(text, hourDigits + 4, 2);
    if (hours < 0 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
        return std::nullopt;
    return (qint64(hours) * 3600 + minutes * 60 + seconds) * 1000;
}

} // namespace TimeText
