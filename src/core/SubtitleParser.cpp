#include "core/SubtitleParser.h"

#include "core/SubRipParser.h"

#include <cmath>
#include <limits>

namespace SubtitleParsing {

namespace {

constexpr qint64 NumberMax = std::numeric_limits<qint32>::max();

// ".SRT" for "C:\films\a.b\Film.srt" or "/films/a.b/film.srt"; empty without a dot in the
// last path part.
QString upperExtension(const QString &fileName)
{
    const qsizetype slash = std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash)
        return {};
    return fileName.mid(dot).toUpper();
}

// Characters `from` to `from + n` (to the end for a negative n), moved inwards where an end
// would fall inside a surrogate pair: taking text by position never leaves half a character.
QString wholeMid(const QString &text, qsizetype from, qsizetype n = -1)
{
    if (from >= text.size())
        return {};
    qsizetype to = n < 0 ? text.size() : std::min(text.size(), from + n);
    if (from > 0 && text[from].isLowSurrogate() && text[from - 1].isHighSurrogate())
        ++from;
    if (to < text.size() && to > from && text[to].isLowSurrogate() && text[to - 1].isHighSurrogate())
        --to;
    return from < to ? text.mid(from, to - from) : QString();
}

// The text after the second `close` of `s`, or after the first when there is no second.
// `s` starts right after the first one.
QString afterSecond(const QString &s, QChar close)
{
    const qsizetype second = s.indexOf(close);
    return second >= 0 ? s.mid(second + 1) : s;
}

std::optional<SubtitleLine> entry(qint64 seconds, const QString &text)
{
    if (seconds < 0 || seconds > NumberMax)
        return std::nullopt;
    return SubtitleLine{keyForSeconds(seconds), cutText(text)};
}

// [start][stop]text, tenths of a second; `s` is the line without its "[".
std::optional<SubtitleLine> tenthsBracket(const QString &s)
{
    const qsizetype close = s.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    const auto tenths = wholeNumber(QStringView(s).left(close));
    if (!tenths)
        return std::nullopt;
    return entry(*tenths / 10, afterSecond(s.mid(close + 1), QLatin1Char(']')));
}

// {start}{stop}text, frames of the film; `s` is the line without its "{".
std::optional<SubtitleLine> frameBrace(const QString &s, double frameRate)
{
    if (!(frameRate > 0) || !std::isfinite(frameRate))
        return std::nullopt;
    const qsizetype close = s.indexOf(QLatin1Char('}'));
    if (close < 0)
        return std::nullopt;
    const auto frames = wholeNumber(QStringView(s).left(close));
    if (!frames)
        return std::nullopt;
    const double seconds = std::trunc(double(*frames) / frameRate);
    if (!(seconds <= double(NumberMax)))
        return std::nullopt;
    return entry(qint64(seconds), afterSecond(s.mid(close + 1), QLatin1Char('}')));
}

// [mm:ss]text; `s` is the line without its "[". The fields are read by position. Minutes
// past 59 carry into hours, so that a film longer than an hour keeps keys the clock meets.
std::optional<SubtitleLine> minuteSecondBracket(const QString &s)
{
    const auto minutes = wholeNumber(QStringView(s).mid(0, 2));
    const auto seconds = wholeNumber(QStringView(s).mid(3, 2));
    if (!minutes || !seconds)
        return std::nullopt;
    const qsizetype close = s.indexOf(QLatin1Char(']'));
    return entry(*minutes * 60 + *seconds, s.mid(close + 1));
}

// <SYNC Start=ms>text; `s` is the line without its "<". Lines with a CLASS attribute and
// lines ending in ";" (an "&nbsp;" that only clears the screen) are not subtitles.
std::optional<SubtitleLine> sami(QString s)
{
    if (!s.startsWith(QLatin1String("SYNC "), Qt::CaseInsensitive)
        || s.contains(QLatin1String("CLASS"), Qt::CaseInsensitive) || s.endsWith(QLatin1Char(';')))
        return std::nullopt;
    s = s.mid(s.indexOf(QLatin1Char('=')) + 1);
    const qsizetype close = s.indexOf(QLatin1Char('>'));
    if (close < 0)
        return std::nullopt;
    const auto ms = wholeNumber(QStringView(s).left(close));
    if (!ms)
        return std::nullopt;
    s = s.mid(close + 1);
    const qsizetype br = s.indexOf(QLatin1String("<BR>"), 0, Qt::CaseInsensitive);
    if (br >= 0)
        s.replace(br, 4, QLatin1Char('|'));
    // One leading tag (<P>, <FONT ...>) goes.
    const qsizetype tagEnd = s.indexOf(QLatin1Char('>'));
    return entry(*ms / 1000, tagEnd >= 0 ? s.mid(tagEnd + 1) : s);
}

} // namespace

QStringList usableLines(const QStringList &lines, bool subRip)
{
    QStringList out;
    out.reserve(lines.size());
    const qsizetype minimum = subRip ? 1 : 3;
    for (const QString &line : lines)
        if (line.size() >= minimum)
            out.append(line);
    return out;
}

SubtitleFormat detectFormat(const QString &firstLine, const QString &upperExtension)
{
    if (upperExtension == QLatin1String(".SMI"))
        return SubtitleFormat::Sami;
    if (firstLine.startsWith(QLatin1Char('{')))
        return SubtitleFormat::FrameBrace;
    if (firstLine.startsWith(QLatin1Char('[')))
        return firstLine.size() >= 7 && firstLine[6] == QLatin1Char(']') ? SubtitleFormat::MinuteSecondBracket
                                                                          : SubtitleFormat::TenthsBracket;
    return upperExtension == QLatin1String(".SRT") ? SubtitleFormat::SubRip : SubtitleFormat::TimeColon;
}

QString cutText(const QString &text)
{
    if (text.size() <= SubtitleTextMax)
        return text;
    // Never half of a character written as a surrogate pair.
    const bool split = text[SubtitleTextMax - 1].isHighSurrogate();
    return text.left(split ? SubtitleTextMax - 1 : SubtitleTextMax);
}

QString keyForSeconds(qint64 seconds)
{
    seconds = std::max<qint64>(seconds, 0);
    const qint64 hours = seconds / 3600;
    const qint64 minutes = (seconds - 3600 * hours) / 60;
    const qint64 secs = seconds - 3600 * hours - 60 * minutes;
    const QLatin1Char zero('0');
    return QStringLiteral("%1:%2:%3").arg(hours, 2, 10, zero).arg(minutes, 2, 10, zero).arg(secs, 2, 10, zero);
}

std::optional<qint64> wholeNumber(QStringView text)
{
    const auto isSpace = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isSpace(text[from]))
        ++from;
    while (to > from && isSpace(text[to - 1]))
        --to;
    if (from == to)
        return std::nullopt;
    qint64 value = 0;
    for (qsizetype i = from; i < to; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > NumberMax)
            return std::nullopt;
    }
    return value;
}

SubtitleList parseTimeColon(QStringList *lines)
{
    if (!lines->isEmpty() && lines->last().startsWith(QLatin1String("00:00")))
        lines->removeLast();
    SubtitleList list;
    list.reserve(lines->size());
    for (QString &line : *lines) {
        if (line.size() > 1 && line[1] == QLatin1Char(':'))
            line.prepend(QLatin1Char('0'));
        list.append(SubtitleLine{wholeMid(line, 0, 8), cutText(wholeMid(line, 9))});
    }
    return list;
}

std::optional<SubtitleLine> parseLine(const QString &line, SubtitleFormat format, double frameRate)
{
    // The first character is the format's opening mark (or anything at all: it is not looked
    // at), and only the next 255 characters take part.
    const QString s = cutText(wholeMid(line, 1));
    switch (format) {
    case SubtitleFormat::TenthsBracket:
        return tenthsBracket(s);
    case SubtitleFormat::FrameBrace:
        return frameBrace(s, frameRate);
    case SubtitleFormat::MinuteSecondBracket:
        return minuteSecondBracket(s);
    case SubtitleFormat::Sami:
        return sami(s);
    case SubtitleFormat::TimeColon:
    case SubtitleFormat::SubRip:
        break; // whole-file passes of their own
    }
    return std::nullopt;
}

} // namespace SubtitleParsing

ParsedSubtitles parseSubtitles(const QStringList &lines, const QString &fileName, double frameRate)
{
    using namespace SubtitleParsing;
    const QString extension = upperExtension(fileName);
    const bool subRip = extension == QLatin1String(".SRT");

    // A byte-order mark that reached the text would hide the first line's opening mark.
    QStringList input = lines;
    if (!input.isEmpty() && input.first().startsWith(QChar(0xFEFF)))
        input.first().remove(0, 1);

    ParsedSubtitles result;
    result.rawLines = usableLines(input, subRip);
    if (result.rawLines.isEmpty())
        return result;

    result.detected = true;
    result.format = detectFormat(result.rawLines.first(), extension);
    switch (result.format) {
    case SubtitleFormat::TimeColon:
        result.entries = parseTimeColon(&result.rawLines);
        break;
    case SubtitleFormat::SubRip:
        result.entries = SubRip::parse(result.rawLines);
        break;
    default:
        result.entries.reserve(result.rawLines.size());
        for (const QString &line : std::as_const(result.rawLines))
            if (auto parsed = parseLine(line, result.format, frameRate))
                result.entries.append(*parsed);
        break;
    }
    return result;
}
