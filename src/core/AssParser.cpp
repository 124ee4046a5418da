#include "core/AssParser.h"

#include "core/SubtitleParser.h"

#include <algorithm>

namespace Ass {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool isSection(QStringView line, QLatin1StringView name)
{
    return line.trimmed().compare(name, Qt::CaseInsensitive) == 0;
}

// The value after "Name:" when the line is such a line.
std::optional<QStringView> field(QStringView line, QLatin1StringView name)
{
    if (!line.startsWith(name, Qt::CaseInsensitive) || line.size() <= name.size() || line[name.size()] != u':')
        return std::nullopt;
    return line.sliced(name.size() + 1).trimmed();
}

struct Columns
{
    qsizetype start = 1; // ASS: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text
    qsizetype end = 2;
    qsizetype text = 9;
};

Columns columnsOf(QStringView format)
{
    Columns c;
    const QList<QStringView> names = format.split(u',');
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QStringView name = names[i].trimmed();
        if (name.compare(QLatin1StringView("Start"), Qt::CaseInsensitive) == 0)
            c.start = i;
        else if (name.compare(QLatin1StringView("End"), Qt::CaseInsensitive) == 0)
            c.end = i;
        else if (name.compare(QLatin1StringView("Text"), Qt::CaseInsensitive) == 0)
            c.text = i;
    }
    return c;
}

// The italics of one override block ("\i1", "\i0", "\i"), the last one counting, and
// whether drawing mode ("\p1" on, "\p0" off) changed.
struct Block
{
    std::optional<bool> italic;
    std::optional<bool> drawing;
};

Block readBlock(QStringView tags)
{
    Block b;
    for (qsizetype at = tags.indexOf(u'\\'); at >= 0; at = tags.indexOf(u'\\', at + 1)) {
        const QStringView tag = tags.sliced(at + 1);
        const auto number = [&tag] {
            qsizetype n = 1;
            while (n < tag.size() && isDigit(tag[n]))
                ++n;
            return tag.sliced(1, n - 1);
        };
        if (tag.startsWith(u'i') && (tag.size() == 1 || isDigit(tag[1]) || tag[1] == u'\\'))
            b.italic = number().toInt() != 0;
        else if (tag.startsWith(u'p') && tag.size() > 1 && isDigit(tag[1]))
            b.drawing = number().toInt() != 0;
    }
    return b;
}

} // namespace

bool looksLike(const QStringList &lines)
{
    const qsizetype n = std::min<qsizetype>(lines.size(), 200);
    bool firstLine = true;
    for (qsizetype i = 0; i < n; ++i) {
        const QStringView line = QStringView(lines[i]).trimmed();
        if (line.isEmpty())
            continue;
        if (firstLine && isSection(line, QLatin1StringView("[Script Info]")))
            return true;
        firstLine = false;
        if (isSection(line, QLatin1StringView("[Events]")) || isSection(line, QLatin1StringView("[V4+ Styles]"))
            || isSection(line, QLatin1StringView("[V4 Styles]")))
            return true;
    }
    return false;
}

std::optional<qint64> timeMs(QStringView text)
{
    text = text.trimmed();
    const QList<QStringView> parts = text.split(u':');
    if (parts.size() != 3)
        return std::nullopt;
    const auto hours = SubtitleParsing::wholeNumber(parts[0]);
    const auto minutes = SubtitleParsing::wholeNumber(parts[1]);
    const qsizetype dot = parts[2].indexOf(u'.');
    const auto seconds = SubtitleParsing::wholeNumber(dot < 0 ? parts[2] : parts[2].left(dot));
    if (!hours || !minutes || !seconds || *minutes > 59 || *seconds > 59)
        return std::nullopt;
    qint64 ms = (*hours * 3600 + *minutes * 60 + *seconds) * 1000;
    if (dot >= 0) {
        // Hundredths as written; more digits are finer still.
        const QStringView fraction = parts[2].sliced(dot + 1);
        qint64 scale = 100;
        for (qsizetype i = 0; i < fraction.size() && scale > 0; ++i, scale /= 10) {
            if (!isDigit(fraction[i]))
                return std::nullopt;
            ms += (fraction[i].unicode() - u'0') * scale;
        }
    }
    return ms;
}

QString plainText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    bool drawing = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'{') {
            const qsizetype close = text.indexOf(u'}', i + 1);
            if (close > i) {
                const Block block = readBlock(text.sliced(i + 1, close - i - 1));
                if (block.drawing)
                    drawing = *block.drawing;
                if (block.italic)
                    out += *block.italic ? QLatin1StringView("{\\i1}") : QLatin1StringView("{\\i0}");
                i = close;
                continue;
            }
        }
        if (drawing)
            continue;
        if (c == u'\\' && i + 1 < text.size()) {
            const QChar next = text[i + 1];
            if (next == u'N' || next == u'n') {
                out += u'|';
                ++i;
                continue;
            }
            if (next == u'h') {
                out += u' ';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

SubtitleList parse(const QStringList &lines)
{
    QList<SubtitleParsing::TimedText> cues;
    bool events = false;
    Columns columns;
    for (const QString &raw : lines) {
        const QStringView line = QStringView(raw).trimmed();
        if (line.startsWith(u'[')) {
            events = isSection(line, QLatin1StringView("[Events]"));
            continue;
        }
        if (!events)
            continue;
        if (const auto format = field(line, QLatin1StringView("Format"))) {
            columns = columnsOf(*format);
            continue;
        }
        const auto dialogue = field(line, QLatin1StringView("Dialogue"));
        if (!dialogue)
            continue; // comments, pictures, sounds, commands
        // Every field before the text is free of commas; the text takes the rest.
        QList<QStringView> fields;
        QStringView rest = *dialogue;
        while (fields.size() < columns.text) {
            const qsizetype comma = rest.indexOf(u',');
            if (comma < 0)
                break;
            fields << rest.left(comma);
            rest = rest.sliced(comma + 1);
        }
        if (fields.size() < columns.text || columns.start >= fields.size() || columns.end >= fields.size())
            continue;
        const auto start = timeMs(fields[columns.start]);
        const auto end = timeMs(fields[columns.end]);
        if (!start)
            continue;
        cues.append({*start, end.value_or(*start), plainText(rest)});
    }
    std::stable_sort(cues.begin(), cues.end(), [](const auto &a, const auto &b) { return a.startMs < b.startMs; });
    return SubtitleParsing::entriesOf(cues);
}

} // namespace Ass
