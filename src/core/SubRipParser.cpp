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

    // One to `maxDigits` ASCII digits.
    std::optional<qint64> number(int maxDigits)
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
        return value;
    }

    // "h:mm:ss" with an optional ",mmm" (or ".mmm", ":mmm"), as seconds.
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
        if (take(',') || take('.') || take(':')) {
            skipSpaces();
            if (!number(9))
                return std::nullopt;
        } else {
            m_pos = beforeFraction;
        }
        return *hours * 3600 + *minutes * 60 + *seconds;
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

std::optional<qint64> startSeconds(QStringView line)
{
    Scanner scan(line);
    const auto start = scan.time();
    if (!start || !scan.arrow() || !scan.time())
        return std::nullopt;
    return start;
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
            list.append(SubtitleLine{current->start, SubtitleParsing::cutText(current->text)});
        current.reset();
    };
    const auto begin = [&](std::optional<qint64> seconds) {
        finish();
        if (seconds)
            current = SubtitleLine{SubtitleParsing::keyForSeconds(*seconds), QString()};
    };

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (i + 1 < lines.size() && isCounter(line) && lines[i + 1].contains(QLatin1String("-->"))) {
            ++i;
            begin(startSeconds(lines[i]));
            continue;
        }
        if (const auto seconds = startSeconds(line)) {
            begin(seconds);
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
