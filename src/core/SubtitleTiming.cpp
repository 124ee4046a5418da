#include "core/SubtitleTiming.h"

#include "core/SubtitleParser.h"

#include <algorithm>

namespace SubtitleTiming {

namespace {

constexpr qint64 SecondsPerDay = 86400;
constexpr qint64 UnitsPerDay = 100000000;

// Two ASCII digits at `pos`, or -1.
int twoDigits(const QString &text, qsizetype pos)
{
    const QChar a = text.at(pos);
    const QChar b = text.at(pos + 1);
    if (a < u'0' || a > u'9' || b < u'0' || b > u'9')
        return -1;
    return (a.unicode() - u'0') * 10 + (b.unicode() - u'0');
}

} // namespace

std::optional<qint64> keySeconds(const QString &key)
{
    const qsizetype hourDigits = key.size() - 6;
    if (hourDigits < 2 || hourDigits > 3)
        return std::nullopt;
    if (key.at(hourDigits) != u':' || key.at(hourDigits + 3) != u':')
        return std::nullopt;
    qint64 hours = 0;
    for (qsizetype i = 0; i < hourDigits; ++i) {
        const QChar c = key.at(i);
        if (c < u'0' || c > u'9')
            return std::nullopt;
        hours = hours * 10 + (c.unicode() - u'0');
    }
    const int minutes = twoDigits(key, hourDigits + 1);
    const int seconds = twoDigits(key, hourDigits + 4);
    if (minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
        return std::nullopt;
    return hours * 3600 + minutes * 60 + seconds;
}

QString clockText(qint64 seconds)
{
    // The clock is compared with the loader's keys as text: one writer for both.
    return SubtitleParsing::keyForSeconds(seconds);
}

std::optional<qint64> gapToNext(const QString &key, const QString &nextKey)
{
    const auto from = keySeconds(key);
    const auto to = keySeconds(nextKey);
    if (!from || !to)
        return std::nullopt;
    // Whole seconds times units per second is a fraction with denominator 864 (27 after
    // reduction): integer division truncates toward zero just as the fractional-day
    // difference is truncated, without the rounding noise of floating point.
    return (*to - *from) * UnitsPerDay / SecondsPerDay;
}

std::optional<Match> match(const SubtitleList &list, const QString &clock, int marker)
{
    // The scan walks up from the last entry; the "next row" is the readable row examined
    // just before, so the last entry's next row is itself (gap 0). Rows whose key is not a
    // time are passed over entirely: they would otherwise become the next row of the entry
    // above them and cost that entry its display.
    qsizetype next = -1;
    for (qsizetype i = list.size() - 1; i >= 0; --i) {
        const QString &key = list.at(i).start;
        if (!keySeconds(key))
            continue;
        if (next < 0)
            next = i;
        if (key != clock) {
            next = i;
            continue;
        }
        const auto gap = gapToNext(key, list.at(next).start);
        // Both keys were read above; kept as a guard rather than an assumption.
        if (!gap)
            continue;
        // Duplicate keys: the bottom one is matched, the top one's text is what is shown.
        qsizetype first = i;
        for (qsizetype j = 0; j < i; ++j) {
            if (list.at(j).start == key) {
                first = j;
                break;
            }
        }
        const int row = int(i) + 1;
        return Match{row, list.at(first).text, *gap, row != marker};
    }
    return std::nullopt;
}

} // namespace SubtitleTiming

IQText::Decision IQText::decide(const QString &text, bool fromQueue, qint64 gapToNext,
                                bool onScreen, const Settings &settings)
{
    if (!fromQueue) {
        if (settings.on && onScreen) {
            m_queue.append(text);
            m_gap = gapToNext;
            return {true, 0};
        }
        // A fresh display drops what was waiting, also with IQ Text off: texts left
        // waiting from before it was switched off would otherwise pop up out of time.
        m_queue.clear();
    }

    if (!settings.on)
        return {false, settings.fixedMs};

    // "|" and "\" count as characters: they are part of the text the reader's eye passes.
    const qint64 length = text.size();
    qint64 d = (length + length / 2) * settings.readingMs / 100;
    if (m_queue.size() >= 2)
        d = d * 3 / 4;
    d = std::max<qint64>(d, 800);
    if (m_queue.isEmpty())
        m_gap = gapToNext;
    if (m_queue.size() < 2 && d < m_gap - 500) {
        d *= 2;
        d = std::min(d, m_gap - 400);
        d = std::min<qint64>(d, 8000);
    } else {
        d = std::min<qint64>(d, settings.maxReadingMs);
    }
    return {false, int(d)};
}

std::optional<QString> IQText::takeNext()
{
    if (m_queue.isEmpty())
        return std::nullopt;
    return m_queue.takeFirst();
}

std::optional<QString> IQText::peekNext() const
{
    if (m_queue.isEmpty())
        return std::nullopt;
    return m_queue.first();
}

void IQText::clear()
{
    m_queue.clear();
}
