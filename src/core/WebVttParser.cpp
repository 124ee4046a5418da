#include "core/WebVttParser.h"

#include "core/SubtitleParser.h"

namespace WebVtt {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool blank(const QString &line) { return line.trimmed().isEmpty(); }

struct Timing
{
    qint64 startMs;
    qint64 stopMs;
};

// "start --> stop" with anything (the cue settings) after the stop.
std::optional<Timing> timing(QStringView line)
{
    const qsizetype arrow = line.indexOf(QLatin1StringView("-->"));
    if (arrow < 0)
        return std::nullopt;
    const auto start = timeMs(line.left(arrow));
    QStringView rest = line.sliced(arrow + 3).trimmed();
    qsizetype end = 0;
    while (end < rest.size() && !rest[end].isSpace())
        ++end;
    const auto stop = timeMs(rest.left(end));
    if (!start || !stop)
        return std::nullopt;
    return Timing{*start, *stop};
}

} // namespace

bool looksLike(const QStringList &lines)
{
    if (lines.isEmpty())
        return false;
    QStringView first = lines.first();
    if (first.startsWith(QChar(0xFEFF)))
        first = first.sliced(1);
    return first.startsWith(QLatin1StringView("WEBVTT"))
           && (first.size() == 6 || first[6] == u' ' || first[6] == u'\t');
}

std::optional<qint64> timeMs(QStringView text)
{
    text = text.trimmed();
    const QList<QStringView> parts = text.split(u':');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    const QStringView last = parts.last();
    const qsizetype dot = last.indexOf(u'.');
    if (dot != 2 || last.size() != 6)
        return std::nullopt;
    qint64 hours = 0;
    if (parts.size() == 3) {
        const auto h = SubtitleParsing::wholeNumber(parts[0]);
        if (!h || parts[0].size() < 2)
            return std::nullopt;
        hours = *h;
    }
    const QStringView minutes = parts[parts.size() - 2];
    for (QStringView digits : {minutes, last.left(2), last.sliced(3)})
        for (QChar c : digits)
            if (!isDigit(c))
                return std::nullopt;
    if (minutes.size() != 2)
        return std::nullopt;
    const qint64 m = minutes.toInt();
    const qint64 s = last.left(2).toInt();
    if (m > 59 || s > 59)
        return std::nullopt;
    return ((hours * 60 + m) * 60 + s) * 1000 + last.sliced(3).toInt();
}

QString plainText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'<') {
            const qsizetype close = text.indexOf(u'>', i + 1);
            if (close > i) {
                const QStringView tag = text.sliced(i, close - i + 1);
                if (tag == QLatin1StringView("<i>") || tag == QLatin1StringView("</i>")
                    || tag.startsWith(QLatin1StringView("<i.")))
                    out += tag.startsWith(u'<') && tag[1] == u'/' ? QLatin1StringView("</i>") : QLatin1StringView("<i>");
                i = close;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

SubtitleList parse(const QStringList &lines)
{
    QList<SubtitleParsing::TimedText> cues;
    qsizetype i = 0;
    // The header block ends at the first blank line.
    while (i < lines.size() && !blank(lines[i]))
        ++i;
    while (i < lines.size()) {
        while (i < lines.size() && blank(lines[i]))
            ++i;
        const qsizetype begin = i;
        while (i < lines.size() && !blank(lines[i]))
            ++i;
        if (begin == i)
            break;
        // The timing line is the block's first, or its second after an identifier.
        qsizetype at = begin;
        std::optional<Timing> t = timing(lines[at]);
        if (!t && at + 1 < i && !lines[at].contains(QLatin1StringView("-->")))
            t = timing(lines[++at]);
        if (!t)
            continue;
        QStringList text;
        for (qsizetype k = at + 1; k < i; ++k)
            text << plainText(lines[k]);
        cues.append({t->startMs, t->stopMs, text.join(u'|')});
    }
    return SubtitleParsing::entriesOf(cues);
}

} // namespace WebVtt
