#include "core/SamiReader.h"

#include "core/SubtitleMarkup.h"
#include "core/SubtitleParser.h"

namespace Sami {

namespace {

struct Tag
{
    QString name;     // lower case, "/p" for a closing tag
    qsizetype begin;  // the "<"
    qsizetype end;    // after the ">"
    QStringView attributes;
};

// The tag starting at `at` (a "<" followed by a name), or nullopt.
std::optional<Tag> tagAt(QStringView text, qsizetype at)
{
    qsizetype i = at + 1;
    const bool closing = i < text.size() && text[i] == u'/';
    if (closing)
        ++i;
    const qsizetype nameStart = i;
    while (i < text.size() && (text[i].isLetterOrNumber() || text[i] == u'!' || text[i] == u'-'))
        ++i;
    if (i == nameStart)
        return std::nullopt;
    const qsizetype close = text.indexOf(u'>', i);
    if (close < 0)
        return std::nullopt;
    Tag tag;
    tag.name = (closing ? QStringLiteral("/") : QString()) + text.sliced(nameStart, i - nameStart).toString().toLower();
    tag.begin = at;
    tag.end = close + 1;
    tag.attributes = text.sliced(i, close - i);
    return tag;
}

// The value of attribute `name` ("Start=1500", "Class='ENCC'"), or an empty string.
QString attribute(QStringView attributes, QLatin1StringView name)
{
    qsizetype from = 0;
    while (true) {
        const qsizetype at = attributes.indexOf(name, from, Qt::CaseInsensitive);
        if (at < 0)
            return {};
        from = at + name.size();
        if (at > 0 && attributes[at - 1].isLetterOrNumber())
            continue;
        qsizetype i = from;
        while (i < attributes.size() && attributes[i].isSpace())
            ++i;
        if (i >= attributes.size() || attributes[i] != u'=')
            continue;
        ++i;
        while (i < attributes.size() && attributes[i].isSpace())
            ++i;
        if (i < attributes.size() && (attributes[i] == u'"' || attributes[i] == u'\'')) {
            const QChar quote = attributes[i];
            const qsizetype end = attributes.indexOf(quote, i + 1);
            return attributes.sliced(i + 1, (end < 0 ? attributes.size() : end) - i - 1).toString();
        }
        qsizetype end = i;
        while (end < attributes.size() && !attributes[end].isSpace())
            ++end;
        return attributes.sliced(i, end - i).toString();
    }
}

bool keptTag(const QString &name)
{
    static const QStringList kept{"font", "/font", "i", "/i", "b", "/b", "u", "/u"};
    return kept.contains(name);
}

struct Paragraph
{
    QString language; // its class, empty when it has none
    QString text;
};

// One SYNC's content in its paragraphs, formatting kept, "<br>" as "|".
QList<Paragraph> paragraphs(QStringView content)
{
    QList<Paragraph> out{Paragraph{}};
    bool spaced = true; // runs of white space, line ends included, are one space
    for (qsizetype i = 0; i < content.size(); ++i) {
        const QChar c = content[i];
        if (c == u'<') {
            if (const auto tag = tagAt(content, i)) {
                i = tag->end - 1;
                if (tag->name == u"p") {
                    out << Paragraph{attribute(tag->attributes, QLatin1StringView("class")).toUpper(), {}};
                    spaced = true;
                } else if (tag->name == u"br") {
                    out.last().text += u'|';
                    spaced = true;
                } else if (keptTag(tag->name)) {
                    out.last().text += content.sliced(tag->begin, tag->end - tag->begin);
                }
                continue;
            }
        }
        if (c.isSpace()) {
            if (!spaced)
                out.last().text += u' ';
            spaced = true;
            continue;
        }
        out.last().text += c;
        spaced = false;
    }
    for (Paragraph &p : out) {
        p.text = SubtitleMarkup::decodeEntities(p.text, false);
        // No space around a line break, none at the ends.
        QStringList lines = p.text.split(u'|');
        for (QString &line : lines)
            line = line.trimmed();
        p.text = lines.join(u'|');
        while (p.text.startsWith(u'|'))
            p.text.remove(0, 1);
        while (p.text.endsWith(u'|'))
            p.text.chop(1);
    }
    return out;
}

} // namespace

SubtitleList read(const QStringList &lines)
{
    const QString whole = lines.join(u'\n');
    const QStringView text(whole);

    struct Sync
    {
        qint64 startMs;
        QList<Paragraph> paragraphs;
    };
    QList<Sync> syncs;
    QString language;
    qsizetype at = text.indexOf(QLatin1StringView("<sync"), 0, Qt::CaseInsensitive);
    while (at >= 0) {
        const auto tag = tagAt(text, at);
        if (!tag || tag->name != u"sync") {
            at = text.indexOf(QLatin1StringView("<sync"), at + 5, Qt::CaseInsensitive);
            continue;
        }
        // A tag left open runs to the next ">", past any "<sync" inside it.
        const qsizetype next = text.indexOf(QLatin1StringView("<sync"), tag->end, Qt::CaseInsensitive);
        qsizetype end = next < 0 ? text.size() : next;
        const qsizetype body = text.indexOf(QLatin1StringView("</body"), tag->end, Qt::CaseInsensitive);
        if (body >= 0 && body < end)
            end = body;
        const auto ms = SubtitleParsing::wholeNumber(attribute(tag->attributes, QLatin1StringView("start")));
        if (ms) {
            Sync sync{*ms, paragraphs(text.sliced(tag->end, end - tag->end))};
            for (const Paragraph &p : sync.paragraphs)
                if (language.isEmpty() && !p.language.isEmpty())
                    language = p.language;
            syncs << sync;
        }
        at = next;
    }

    SubtitleList list;
    for (const Sync &sync : syncs) {
        QStringList texts;
        for (const Paragraph &p : sync.paragraphs)
            if ((p.language.isEmpty() || p.language == language) && SubtitleMarkup::showsText(p.text))
                texts << p.text;
        if (!texts.isEmpty())
            list.append(SubtitleLine{SubtitleParsing::keyForSeconds(sync.startMs / 1000),
                                     SubtitleParsing::cutText(texts.join(u'|'))});
    }
    return list;
}

} // namespace Sami
