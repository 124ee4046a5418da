#include "core/SubtitleParser.h"

#include "core/AssParser.h"
#include "core/SamiReader.h"
#include "core/SubRipParser.h"
#include "core/SubtitleMarkup.h"
#include "core/WebVttParser.h"

#include <algorithm>
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
QStringView wholeMid(QStringView text, qsizetype from, qsizetype n = -1)
{
    if (from >= text.size())
        return {};
    qsizetype to = n < 0 ? text.size() : std::min(text.size(), from + n);
    if (from > 0 && text[from].isLowSurrogate() && text[from - 1].isHighSurrogate())
        ++from;
    if (to < text.size() && to > from && text[to].isLowSurrogate() && text[to - 1].isHighSurrogate())
        --to;
    return from < to ? text.sliced(from, to - from) : QStringView();
}

QStringView cutView(QStringView text)
{
    return wholeMid(text, 0, SubtitleTextMax);
}

// The text after the second `close` of `s`, or after the first when there is no second.
// `s` starts right after the first one.
QStringView afterSecond(QStringView s, QChar close)
{
    const qsizetype second = s.indexOf(close);
    return second >= 0 ? s.sliced(second + 1) : s;
}

std::optional<SubtitleLine> entry(qint64 seconds, QStringView text, qint64 startMs = -1, qint64 stopMs = -1)
{
    if (seconds < 0 || seconds > NumberMax)
        return std::nullopt;
    // The finer times only where they agree with the key: a stop before the start is no stop.
    if (startMs / 1000 != seconds)
        startMs = stopMs = -1;
    if (stopMs < startMs)
        stopMs = -1;
    return SubtitleLine{keyForSeconds(seconds), cutView(text).toString(), startMs, stopMs};
}

// The number before the first `close` of `s` (the stop field of "[start][stop]" or
// "{start}{stop}", `s` starting after the first field), or nullopt.
std::optional<qint64> secondField(QStringView s, QChar open, QChar close)
{
    if (!s.startsWith(open))
        return std::nullopt;
    const qsizetype end = s.indexOf(close);
    return end > 0 ? wholeNumber(s.sliced(1, end - 1)) : std::nullopt;
}

// Milliseconds of a frame count, truncated like the key's seconds; a microsecond of slack
// keeps a frame that lands on a whole millisecond from falling just short of it.
qint64 frameMs(qint64 frames, double frameRate)
{
    return qint64(std::floor(double(frames) * 1000.0 / frameRate + 1e-3));
}

// [start][stop]text, tenths of a second; `s` is the line without its "[".
std::optional<SubtitleLine> tenthsBracket(QStringView s)
{
    const qsizetype close = s.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    const auto tenths = wholeNumber(s.left(close));
    if (!tenths)
        return std::nullopt;
    const auto stop = secondField(s.sliced(close + 1), QLatin1Char('['), QLatin1Char(']'));
    return entry(*tenths / 10, afterSecond(s.sliced(close + 1), QLatin1Char(']')), *tenths * 100,
                 stop ? *stop * 100 : -1);
}

// {start}{stop}text, frames of the film; `s` is the line without its "{".
std::optional<SubtitleLine> frameBrace(QStringView s, double frameRate)
{
    const qsizetype close = s.indexOf(QLatin1Char('}'));
    if (close < 0)
        return std::nullopt;
    const auto frames = wholeNumber(s.left(close));
    if (!frames)
        return std::nullopt;
    const auto seconds = frameSeconds(*frames, frameRate);
    if (!seconds)
        return std::nullopt;
    const auto stop = secondField(s.sliced(close + 1), QLatin1Char('{'), QLatin1Char('}'));
    return entry(*seconds, afterSecond(s.sliced(close + 1), QLatin1Char('}')), frameMs(*frames, frameRate),
                 stop ? frameMs(*stop, frameRate) : -1);
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// "{12}" or "[12]" at the start of the line: a number in the opening mark's brackets.
bool numberInBrackets(QStringView line, QChar open, QChar close)
{
    if (!line.startsWith(open))
        return false;
    const qsizetype end = line.indexOf(close);
    return end > 1 && wholeNumber(line.sliced(1, end - 1)).has_value();
}

// "hh:mm:ss" (or "h:mm:ss") at the start, as time-colon lines begin.
bool timeColonStart(QStringView line)
{
    const qsizetype pad = line.size() > 1 && line[1] == u':' ? 1 : 0;
    if (line.size() + pad < 8)
        return false;
    for (qsizetype i = 0; i < 8; ++i) {
        const qsizetype at = i - pad;
        const bool colon = i == 2 || i == 5;
        if (at < 0)
            continue;
        if (colon ? line[at] != u':' : !isDigit(line[at]))
            return false;
    }
    return true;
}

// The first line of `lines` that a line format reads as a subtitle, with that format.
std::optional<std::pair<qsizetype, SubtitleFormat>> firstSubtitleLine(const QStringList &lines,
                                                                      const QString &upperExtension)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const SubtitleFormat format = detectFormat(lines[i], upperExtension);
        if (isSubtitleLine(lines[i], format))
            return std::pair{i, format};
    }
    return std::nullopt;
}

// [mm:ss]text; `s` is the line without its "[". The fields are read by position. Minutes
// past 59 carry into hours, so that a film longer than an hour keeps keys the clock meets.
std::optional<SubtitleLine> minuteSecondBracket(QStringView s)
{
    const auto minutes = wholeNumber(s.mid(0, 2));
    const auto seconds = wholeNumber(s.mid(3, 2));
    if (!minutes || !seconds)
        return std::nullopt;
    return entry(*minutes * 60 + *seconds, s.sliced(s.indexOf(QLatin1Char(']')) + 1));
}

// <SYNC Start=ms>text; `s` is the line without its "<". Lines with a CLASS attribute and
// lines ending in ";" (an "&nbsp;" that only clears the screen) are not subtitles.
std::optional<SubtitleLine> sami(QStringView s)
{
    if (!s.startsWith(QLatin1String("SYNC "), Qt::CaseInsensitive)
        || s.contains(QLatin1String("CLASS"), Qt::CaseInsensitive) || s.endsWith(QLatin1Char(';')))
        return std::nullopt;
    s = s.sliced(s.indexOf(QLatin1Char('=')) + 1);
    const qsizetype close = s.indexOf(QLatin1Char('>'));
    if (close < 0)
        return std::nullopt;
    const auto ms = wholeNumber(s.left(close));
    if (!ms)
        return std::nullopt;
    QString text = s.sliced(close + 1).toString();
    const qsizetype br = text.indexOf(QLatin1String("<BR>"), 0, Qt::CaseInsensitive);
    if (br >= 0)
        text.replace(br, 4, QLatin1Char('|'));
    // One leading tag (<P>, <FONT ...>) goes.
    const qsizetype tagEnd = text.indexOf(QLatin1Char('>'));
    return entry(*ms / 1000, QStringView(text).sliced(tagEnd + 1), *ms);
}

} // namespace

void setSamiStops(const QStringList &lines, SubtitleList *entries)
{
    // A SAMI subtitle lasts until the next SYNC, also one that only clears the screen: the
    // entries, in file order, take the first SYNC start after their own.
    qsizetype next = 0;
    for (const QString &line : lines) {
        const qsizetype at = line.indexOf(QLatin1String("<SYNC"), 0, Qt::CaseInsensitive);
        if (at < 0)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='), at);
        const qsizetype close = line.indexOf(QLatin1Char('>'), at);
        if (equals < 0 || close < equals)
            continue;
        const auto ms = wholeNumber(QStringView(line).sliced(equals + 1, close - equals - 1));
        if (!ms)
            continue;
        while (next < entries->size() && (*entries)[next].startMs < *ms) {
            if ((*entries)[next].startMs >= 0)
                (*entries)[next].stopMs = *ms;
            ++next;
        }
    }
}

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

bool isSubtitleLine(const QString &line, SubtitleFormat format)
{
    switch (format) {
    case SubtitleFormat::TimeColon:
        return timeColonStart(line);
    case SubtitleFormat::TenthsBracket:
        return numberInBrackets(line, u'[', u']');
    case SubtitleFormat::FrameBrace:
        return numberInBrackets(line, u'{', u'}');
    case SubtitleFormat::MinuteSecondBracket:
        return line.size() >= 7 && line[0] == u'[' && isDigit(line[1]) && isDigit(line[2]) && line[3] == u':'
               && isDigit(line[4]) && isDigit(line[5]) && line[6] == u']';
    case SubtitleFormat::SubRip:
        return SubRip::isCounter(line) || SubRip::startSeconds(line).has_value();
    case SubtitleFormat::Sami:
    case SubtitleFormat::Ass:
    case SubtitleFormat::WebVtt:
        break; // told by the whole file, not by a line
    }
    return false;
}

bool plainlySubRip(const QStringList &lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        if (SubRip::startSeconds(line))
            return true;
        if (SubRip::isCounter(line)) {
            qsizetype next = i + 1;
            while (next < lines.size() && lines[next].trimmed().isEmpty())
                ++next;
            if (next < lines.size() && SubRip::startSeconds(lines[next]))
                return true;
            continue;
        }
        for (const auto format : {SubtitleFormat::TimeColon, SubtitleFormat::FrameBrace, SubtitleFormat::TenthsBracket})
            if (isSubtitleLine(line, format))
                return false;
    }
    return false;
}

std::optional<double> frameRateLine(QStringView line)
{
    // "{0}{0}" or "{1}{1}", then the rate and nothing else.
    if (line.size() < 7 || line[0] != u'{' || line[2] != u'}' || line[3] != u'{' || line[5] != u'}'
        || line[1] != line[4] || (line[1] != u'0' && line[1] != u'1'))
        return std::nullopt;
    QString rate = line.sliced(6).trimmed().toString();
    rate.replace(u',', u'.');
    for (QChar c : rate)
        if (!isDigit(c) && c != u'.')
            return std::nullopt;
    bool ok = false;
    const double value = rate.toDouble(&ok);
    // Films run at 1 to a few hundred frames a second; anything else is a subtitle text.
    if (!ok || !(value >= 1 && value <= 500))
        return std::nullopt;
    return value;
}

std::optional<qint64> frameSeconds(qint64 frames, double frameRate)
{
    if (!(frameRate > 0) || !std::isfinite(frameRate) || frames < 0)
        return std::nullopt;
    // A microsecond's allowance: the division's error is far below it for any frame count
    // a file can hold, and a frame that truly ends short of a second misses it by more.
    const double seconds = std::trunc(double(frames) / frameRate + 1e-6);
    if (!(seconds <= double(NumberMax)))
        return std::nullopt;
    return qint64(seconds);
}

QString cutText(const QString &text)
{
    return text.size() <= SubtitleTextMax ? text : cutView(text).toString();
}

QString keyForSeconds(qint64 seconds)
{
    // Written from the right; one allocation per key (the list holds thousands).
    seconds = std::max<qint64>(seconds, 0);
    qint64 hours = seconds / 3600;
    const qint64 minutes = seconds / 60 % 60;
    const qint64 secs = seconds % 60;
    char16_t buffer[32];
    qsizetype at = std::size(buffer);
    const auto twoDigits = [&](qint64 value) {
        buffer[--at] = char16_t(u'0' + value % 10);
        buffer[--at] = char16_t(u'0' + value / 10);
    };
    twoDigits(secs);
    buffer[--at] = u':';
    twoDigits(minutes);
    buffer[--at] = u':';
    const qsizetype hoursEnd = at;
    do {
        buffer[--at] = char16_t(u'0' + hours % 10);
        hours /= 10;
    } while (hours > 0);
    if (hoursEnd - at < 2)
        buffer[--at] = u'0';
    return QString(reinterpret_cast<const QChar *>(buffer + at), std::size(buffer) - at);
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
        list.append(SubtitleLine{wholeMid(line, 0, 8).toString(), cutView(wholeMid(line, 9)).toString()});
    }
    return list;
}

SubtitleList entriesOf(const QList<TimedText> &cues)
{
    SubtitleList list;
    list.reserve(cues.size());
    for (qsizetype i = 0; i < cues.size(); ++i) {
        QString text = cues[i].text;
        // Two speakers written as two cues of one moment: the list can show one entry a
        // second, so they share it.
        while (i + 1 < cues.size() && cues[i + 1].startMs == cues[i].startMs && cues[i + 1].stopMs == cues[i].stopMs)
            text += QLatin1Char('|') + cues[++i].text;
        list.append(SubtitleLine{keyForSeconds(cues[i].startMs / 1000), cutText(text), cues[i].startMs, cues[i].stopMs});
    }
    return list;
}

std::optional<SubtitleLine> parseLine(const QString &line, SubtitleFormat format, double frameRate)
{
    // The first character is the format's opening mark (or anything at all: it is not looked
    // at), and only the next 255 characters take part.
    const QStringView s = cutView(wholeMid(line, 1));
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
    case SubtitleFormat::Ass:
    case SubtitleFormat::WebVtt:
        break; // whole-file passes of their own
    }
    return std::nullopt;
}

} // namespace SubtitleParsing

ParsedSubtitles parseSubtitles(const QStringList &lines, const QString &fileName, double frameRate,
                               bool useFileFrameRate)
{
    using namespace SubtitleParsing;
    const QString extension = upperExtension(fileName);
    const bool subRipExtension = extension == QLatin1String(".SRT");

    // A byte-order mark that reached the text would hide the first line's opening mark.
    QStringList input = lines;
    if (!input.isEmpty() && input.first().startsWith(QChar(0xFEFF)))
        input.first().remove(0, 1);

    ParsedSubtitles result;
    // Formats told by the whole file: their blank lines are no text, short lines may be.
    const auto wholeFile = [&](SubtitleFormat format, SubtitleList entries) {
        result.format = format;
        result.rawLines = usableLines(input, true);
        result.detected = !result.rawLines.isEmpty();
        result.entries = std::move(entries);
        return result;
    };
    if (extension != QLatin1String(".SMI")) {
        if (Ass::looksLike(input))
            return wholeFile(SubtitleFormat::Ass, Ass::parse(input));
        if (WebVtt::looksLike(input))
            return wholeFile(SubtitleFormat::WebVtt, WebVtt::parse(input));
        if (plainlySubRip(input))
            return wholeFile(SubtitleFormat::SubRip, SubRip::parse(usableLines(input, true)));
    }

    result.rawLines = usableLines(input, subRipExtension);
    if (result.rawLines.isEmpty())
        return result;

    result.detected = true;
    result.format = result.rawLines.first().startsWith(QLatin1String("<SAMI"), Qt::CaseInsensitive)
                        ? SubtitleFormat::Sami
                        : detectFormat(result.rawLines.first(), extension);
    // A stray first line (a title, a word the editor left) does not choose the format: the
    // first line that is a subtitle does.
    qsizetype first = 0;
    if (result.format != SubtitleFormat::Sami && !isSubtitleLine(result.rawLines.first(), result.format)) {
        if (const auto found = firstSubtitleLine(result.rawLines, extension)) {
            first = found->first;
            result.format = found->second;
        }
    }
    switch (result.format) {
    case SubtitleFormat::TimeColon: {
        QStringList timed = result.rawLines.mid(first);
        result.entries = parseTimeColon(&timed);
        result.rawLines = result.rawLines.mid(0, first) + timed;
        break;
    }
    case SubtitleFormat::SubRip:
        result.entries = SubRip::parse(result.rawLines);
        break;
    default: {
        qsizetype from = first;
        if (result.format == SubtitleFormat::FrameBrace && from < result.rawLines.size()) {
            if (const auto rate = frameRateLine(result.rawLines[from])) {
                ++from;
                if (useFileFrameRate) {
                    result.fileFrameRate = *rate;
                    frameRate = *rate;
                }
            }
        }
        result.entries.reserve(result.rawLines.size() - from);
        for (qsizetype i = from; i < result.rawLines.size(); ++i)
            if (auto parsed = parseLine(result.rawLines[i], result.format, frameRate))
                result.entries.append(*parsed);
        // The line reader knows one SYNC a line and no language classes: when it finds no
        // text, the file was written otherwise and is read whole.
        if (result.format == SubtitleFormat::Sami
            && std::none_of(result.entries.cbegin(), result.entries.cend(),
                            [](const SubtitleLine &e) { return SubtitleMarkup::showsText(e.text); }))
            result.entries = Sami::read(input);
        else if (result.format == SubtitleFormat::Sami)
            setSamiStops(input, &result.entries);
        break;
    }
    }
    return result;
}
