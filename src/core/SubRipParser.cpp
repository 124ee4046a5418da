#include "core/SubRipParser.h"

#include "core/SubtitleParser.h"

namespace SubRip {

namespace {

// Reads a time line from left to right; every step fails softly.
class Scanner
{
public:
    explicit Scanner(QStringView text) : m_text(text) {}

    void skipSpaces()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == QLatin1Char(' ') || m_text[m_pos] == QLatin1Char('\t')))
            ++m_pos;
    }

    bool take(char c)
    {
        if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char(c)) {
            ++m_pos;
            return true;
        }
        return false;
    }

    // One to `maxDigits` ASCII digits; `digits` says how many there were.
    std::optional<qint64> number(int maxDigits, int *digits = nullptr)
    {
        qint64 value = 0;
        int count = 0;
        while (m_pos < m_text.size() && count < maxDigits) {
            const char16_t c = m_text[m_pos].unicode();
            if (c < u'0' || c > u'9')
                break;
            value = value * 10 + (c - u'0');
            ++count;
            ++m_pos;
        }
        if (count == 0)
            return std::nullopt;
        if (digits)
            *digits = count;
        return value;
    }

    // "h:mm:ss" with an optional ",mmm" (or ".mmm", ":mmm"), as milliseconds. The fraction
    // is a decimal fraction of a second whatever its length (",5" is half a second).
    std::optional<qint64> time()
    {
        skipSpaces();
        const auto hours = number(9);
        skipSpaces();
        if (!hours || !take(':'))
            return std::nullopt;
        skipSpaces();
        const auto minutes = number(2);
        skipSpaces();
        if (!minutes || !take(':'))
            return std::nullopt;
        skipSpaces();
        const auto seconds = number(2);
        if (!seconds)
            return std::nullopt;
        const qsizetype beforeFraction = m_pos;
        skipSpaces();
        qint64 ms = 0;
        if (take(',') || take('.') || take(':')) {
            skipSpaces();
            int digits = 0;
            const auto fraction = number(9, &digits);
            if (!fraction)
                return std::nullopt;
            qint64 scale = 1;
            for (int i = 0; i < digits; ++i)
                scale *= 10;
            ms = *fraction * 1000 / scale;
        } else {
            m_pos = beforeFraction;
        }
        return (*hours * 3600 + *minutes * 60 + *seconds) * 1000 + ms;
    }

    bool arrow()
    {
        skipSpaces();
        if (!take('-'))
            return false;
        take('-');
        return take('>');
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

bool isBlank(const QString &line)
{
    for (QChar c : line)
        if (!c.isSpace())
            return false;
    return true;
}

} // namespace

std::optional<Times> times(QStringView line)
{
    Scanner scan(line);
    const auto start = scan.time();
    if (!start || !scan.arrow())
        return std::nullopt;
    const auto stop = scan.time();
    if (!stop)
        return std::nullopt;
    return Times{*start, *stop};
}

std::optional<qint64> startSeconds(QStringView line)
{
    const auto read = times(line);
    return read ? std::optional<qint64>(read->startMs / 1000) : std::nullopt;
}

bool isCounter(QStringView line)
{
    bool digit = false;
    for (QChar c : line) {
        if (c >= u'0' && c <= u'9')
            digit = true;
        else if (c != u' ' && c != u'\t')
            return false;
    }
    return digit;
}

SubtitleList parse(const QStringList &lines)
{
    SubtitleList list;
    std::optional<SubtitleLine> current; // none: the text read now has no entry to go to

    const auto finish = [&] {
        if (current)
            list.append(SubtitleLine{current->start, SubtitleParsing::cutText(current->text), current->startMs,
                                     current->stopMs});
        current.reset();
    };
    const auto begin = [&](std::optional<Times> read) {
        finish();
        if (read)
            current = SubtitleLine{SubtitleParsing::keyForSeconds(read->startMs / 1000), QString(), read->startMs,
                                   read->stopMs};
    };

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (i + 1 < lines.size() && isCounter(line) && lines[i + 1].contains(QLatin1String("-->"))) {
            ++i;
            begin(times(lines[i]));
            continue;
        }
        if (const auto read = times(line)) {
            begin(read);
            continue;
        }
        if (!current || isBlank(line) || current->text.size() > SubtitleTextMax)
            continue; // past 255 characters more text would only be cut off again
        if (!current->text.isEmpty())
            current->text += QLatin1Char('|');
        current->text += line;
    }
    finish();
    return list;
}

} // namespace SubRip
