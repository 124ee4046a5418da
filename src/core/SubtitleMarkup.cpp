#include "core/SubtitleMarkup.h"

#include <algorithm>
#include <optional>

namespace SubtitleMarkup {

namespace {

bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

std::optional<quint32> hexValue(QStringView text)
{
    if (text.isEmpty() || text.size() > 8)
        return std::nullopt;
    quint32 value = 0;
    for (QChar c : text) {
        const int digit = isDigit(c) ? c.unicode() - u'0'
                          : (c >= u'a' && c <= u'f') ? c.unicode() - u'a' + 10
                          : (c >= u'A' && c <= u'F') ? c.unicode() - u'A' + 10
                                                     : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + quint32(digit);
    }
    return value;
}

// ASS and the frame-brace codes write colours blue first.
quint32 fromBgr(quint32 bgr) { return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF); }

// A colour as HTML and SAMI write it: "#ffff00", "#ff0", "ffff00", or a name ("red").
bool htmlColour(QStringView text, quint32 *rgb)
{
    text = text.trimmed();
    static const std::pair<const char *, quint32> names[] = {
        {"white", 0xFFFFFF}, {"black", 0x000000}, {"red", 0xFF0000},     {"lime", 0x00FF00},   {"green", 0x008000},
        {"blue", 0x0000FF},  {"yellow", 0xFFFF00}, {"cyan", 0x00FFFF},   {"aqua", 0x00FFFF},   {"magenta", 0xFF00FF},
        {"fuchsia", 0xFF00FF}, {"silver", 0xC0C0C0}, {"gray", 0x808080}, {"grey", 0x808080},   {"maroon", 0x800000},
        {"olive", 0x808000}, {"navy", 0x000080},  {"purple", 0x800080},  {"teal", 0x008080},   {"orange", 0xFFA500},
    };
    for (const auto &[name, value] : names)
        if (text.compare(QLatin1StringView(name), Qt::CaseInsensitive) == 0) {
            *rgb = value;
            return true;
        }
    const bool hash = text.startsWith(u'#');
    const QStringView digits = hash ? text.sliced(1) : text;
    const auto value = hexValue(digits);
    if (!value)
        return false;
    if (digits.size() == 6) {
        *rgb = *value;
        return true;
    }
    if (hash && digits.size() == 3) {
        const quint32 r = (*value >> 8) & 0xF, g = (*value >> 4) & 0xF, b = *value & 0xF;
        *rgb = (r * 17) << 16 | (g * 17) << 8 | b * 17;
        return true;
    }
    return false;
}

struct Entity
{
    const char *name;
    char16_t value;
};

const Entity Entities[] = {
    {"nbsp", 0x00A0},  {"amp", u'&'},       {"lt", u'<'},        {"gt", u'>'},        {"quot", u'"'},
    {"apos", u'\''},   {"hellip", 0x2026},  {"ndash", 0x2013},   {"mdash", 0x2014},   {"lsquo", 0x2018},
    {"rsquo", 0x2019}, {"ldquo", 0x201C},   {"rdquo", 0x201D},   {"bdquo", 0x201E},   {"laquo", 0x00AB},
    {"raquo", 0x00BB}, {"copy", 0x00A9},    {"reg", 0x00AE},     {"deg", 0x00B0},     {"iexcl", 0x00A1},
    {"iquest", 0x00BF}, {"shy", 0x00AD},    {"aacute", 0x00E1},  {"eacute", 0x00E9},  {"iacute", 0x00ED},
    {"oacute", 0x00F3}, {"uacute", 0x00FA}, {"ntilde", 0x00F1},  {"ccedil", 0x00E7},  {"auml", 0x00E4},
    {"ouml", 0x00F6},  {"uuml", 0x00FC},    {"szlig", 0x00DF},   {"agrave", 0x00E0},  {"egrave", 0x00E8},
};

// The entity at `at` (an "&"): what it stands for and how long it is written.
std::optional<std::pair<QString, qsizetype>> entityAt(QStringView text, qsizetype at, bool markupToo)
{
    const qsizetype semicolon = text.indexOf(u';', at + 1);
    if (semicolon < 0 || semicolon - at > 10 || semicolon == at + 1)
        return std::nullopt;
    const QStringView body = text.sliced(at + 1, semicolon - at - 1);
    const qsizetype length = semicolon - at + 1;
    if (body.startsWith(u'#')) {
        std::optional<quint32> code;
        if (body.size() > 2 && (body[1] == u'x' || body[1] == u'X')) {
            code = hexValue(body.sliced(2));
        } else {
            bool ok = false;
            const uint value = body.sliced(1).toUInt(&ok);
            if (ok && isDigit(body[1]))
                code = value;
        }
        if (!code || *code == 0 || *code > 0x10FFFF || (*code >= 0xD800 && *code <= 0xDFFF))
            return std::nullopt;
        if (!markupToo && (*code == u'<' || *code == u'>' || *code == u'&'))
            return std::nullopt;
        const char32_t ucs4 = *code;
        return std::pair{QString::fromUcs4(&ucs4, 1), length};
    }
    for (const Entity &e : Entities) {
        if (body != QLatin1StringView(e.name))
            continue;
        if (!markupToo && (e.value == u'<' || e.value == u'>' || e.value == u'&'))
            return std::nullopt;
        return std::pair{QString(QChar(e.value)), length};
    }
    return std::nullopt;
}

// Styles switched on and off by one kind of markup.
struct Switches
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::optional<quint32> rgb;
};

class Parser
{
public:
    explicit Parser(QStringView text) : m_in(text) {}

    Styled run()
    {
        for (m_at = 0; m_at < m_in.size();) {
            const QChar c = m_in[m_at];
            if ((c == u'<' && htmlTag()) || (c == u'{' && (assBlock() || braceCode())) || (c == u'&' && entity()))
                continue;
            if (c == u'|')
                m_line = {};
            put(QString(c), c == u'|' ? Style{} : current());
            ++m_at;
        }
        return m_out;
    }

private:
    Style current() const
    {
        Style s;
        s.bold = m_bold > 0 || m_ass.bold || m_line.bold || m_all.bold;
        s.italic = m_italic > 0 || m_ass.italic || m_line.italic || m_all.italic;
        s.underline = m_underline > 0 || m_ass.underline || m_line.underline || m_all.underline;
        std::optional<quint32> rgb;
        for (auto it = m_fonts.crbegin(); it != m_fonts.crend() && !rgb; ++it)
            rgb = *it;
        for (const Switches *from : {&m_ass, &m_line, &m_all})
            if (!rgb)
                rgb = from->rgb;
        if (rgb) {
            s.coloured = true;
            s.rgb = *rgb;
        }
        return s;
    }

    void put(const QString &text, const Style &style)
    {
        m_out.text += text;
        for (qsizetype i = 0; i < text.size(); ++i)
            m_out.styles.append(style);
    }

    // <name attributes> or </name>; false (and nothing read) when the "<" starts no tag.
    bool htmlTag()
    {
        qsizetype i = m_at + 1;
        const bool closing = i < m_in.size() && m_in[i] == u'/';
        if (closing)
            ++i;
        if (i >= m_in.size() || !isAsciiLetter(m_in[i]))
            return false;
        const qsizetype nameStart = i;
        while (i < m_in.size() && (isAsciiLetter(m_in[i]) || isDigit(m_in[i])))
            ++i;
        const QString name = m_in.sliced(nameStart, i - nameStart).toString().toLower();
        if (i < m_in.size() && m_in[i] != u'>' && m_in[i] != u'/' && !m_in[i].isSpace())
            return false;
        const qsizetype close = m_in.indexOf(u'>', i);
        const qsizetype nextOpen = m_in.indexOf(u'<', i);
        if (close < 0 || (nextOpen >= 0 && nextOpen < close))
            return false;
        const QStringView attributes = m_in.sliced(i, close - i);
        m_at = close + 1;

        const int step = closing ? -1 : 1;
        const auto count = [step](int &depth) { depth = std::max(0, depth + step); };
        if (name == u"i" || name == u"em")
            count(m_italic);
        else if (name == u"b" || name == u"strong")
            count(m_bold);
        else if (name == u"u")
            count(m_underline);
        else if (name == u"br" && !closing) {
            m_line = {};
            put(QStringLiteral("|"), Style{});
        }
        else if (name == u"font" && closing && !m_fonts.isEmpty())
            m_fonts.removeLast();
        else if (name == u"font" && !closing)
            m_fonts.append(fontColour(attributes));
        return true;
    }

    static std::optional<quint32> fontColour(QStringView attributes)
    {
        const qsizetype at = attributes.indexOf(QLatin1StringView("color"), 0, Qt::CaseInsensitive);
        if (at < 0)
            return std::nullopt;
        qsizetype i = at + 5;
        while (i < attributes.size() && (attributes[i].isSpace() || attributes[i] == u'='))
            ++i;
        QChar quote;
        if (i < attributes.size() && (attributes[i] == u'"' || attributes[i] == u'\''))
            quote = attributes[i++];
        qsizetype end = i;
        while (end < attributes.size() && attributes[end] != quote && !(quote.isNull() && attributes[end].isSpace()))
            ++end;
        quint32 rgb = 0;
        if (htmlColour(attributes.sliced(i, end - i), &rgb))
            return rgb;
        return std::nullopt;
    }

    // {\tag\tag...}: the ASS override block; false when "{" opens none.
    bool assBlock()
    {
        if (m_at + 1 >= m_in.size() || m_in[m_at + 1] != u'\\')
            return false;
        const qsizetype close = m_in.indexOf(u'}', m_at + 1);
        if (close < 0)
            return false;
        const QStringView block = m_in.sliced(m_at + 1, close - m_at - 1);
        m_at = close + 1;
        for (QStringView tag : block.split(u'\\', Qt::SkipEmptyParts))
            assTag(tag.trimmed());
        return true;
    }

    void assTag(QStringView tag)
    {
        const auto numberAfter = [&tag](qsizetype from) -> std::optional<int> {
            qsizetype end = from;
            while (end < tag.size() && isDigit(tag[end]))
                ++end;
            if (end != tag.size())
                return std::nullopt; // another tag that begins with the same letters
            return end == from ? 0 : tag.sliced(from, end - from).toInt();
        };
        const QChar first = tag.isEmpty() ? QChar() : tag[0];
        if (tag.startsWith(QLatin1StringView("an"))) {
            if (const auto n = numberAfter(2); n && *n >= 1 && *n <= 9)
                m_out.place = *n >= 7 ? Place::Top : *n >= 4 ? Place::Middle : Place::Bottom;
        } else if (first == u'a') {
            if (const auto n = numberAfter(1); n && *n >= 1 && *n <= 11)
                m_out.place = *n >= 9 ? Place::Middle : *n >= 5 ? Place::Top : Place::Bottom;
        } else if (first == u'i' || first == u'u' || first == u'b') {
            const auto n = numberAfter(1);
            if (!n)
                return;
            bool &flag = first == u'i' ? m_ass.italic : first == u'u' ? m_ass.underline : m_ass.bold;
            flag = first == u'b' ? (*n == 1 || *n >= 600) : *n != 0;
        } else if (tag == u"r") {
            m_ass = {};
        } else if (tag.startsWith(QLatin1StringView("c")) || tag.startsWith(QLatin1StringView("1c"))) {
            QStringView value = tag.sliced(first == u'c' ? 1 : 2);
            if (value.isEmpty()) {
                m_ass.rgb.reset();
                return;
            }
            if (!value.startsWith(QLatin1StringView("&H"), Qt::CaseInsensitive))
                return; // \clip and the like
            value = value.sliced(2);
            if (value.endsWith(u'&'))
                value.chop(1);
            if (const auto bgr = hexValue(value))
                m_ass.rgb = fromBgr(*bgr & 0xFFFFFF);
        }
    }

    // {y:i}, {C:$0000FF}, {f:Arial}...: a frame-brace control code; false when "{" opens none.
    bool braceCode()
    {
        if (m_at + 2 >= m_in.size() || !isAsciiLetter(m_in[m_at + 1]) || m_in[m_at + 2] != u':')
            return false;
        const qsizetype close = m_in.indexOf(u'}', m_at + 3);
        if (close < 0)
            return false;
        const QChar code = m_in[m_at + 1];
        const QStringView value = m_in.sliced(m_at + 3, close - m_at - 3).trimmed();
        m_at = close + 1;
        Switches &scope = code.isUpper() ? m_all : m_line;
        const QChar kind = code.toLower();
        if (kind == u'y') {
            for (QChar c : value) {
                const QChar v = c.toLower();
                if (v == u'i')
                    scope.italic = true;
                else if (v == u'b')
                    scope.bold = true;
                else if (v == u'u')
                    scope.underline = true;
            }
        } else if (kind == u'c' && value.startsWith(u'$')) {
            if (const auto bgr = hexValue(value.sliced(1)))
                scope.rgb = fromBgr(*bgr & 0xFFFFFF);
        }
        return true;
    }

    bool entity()
    {
        const auto found = entityAt(m_in, m_at, true);
        if (!found)
            return false;
        put(found->first, current());
        m_at += found->second;
        return true;
    }

    QStringView m_in;
    qsizetype m_at = 0;
    Styled m_out;
    int m_bold = 0;
    int m_italic = 0;
    int m_underline = 0;
    QList<std::optional<quint32>> m_fonts;
    Switches m_ass;
    Switches m_line;
    Switches m_all;
};

} // namespace

Styled parse(const QString &text)
{
    return Parser(text).run();
}

bool showsText(const QString &text)
{
    const QString shown = parse(text).text;
    for (QChar c : shown)
        if (!c.isSpace() && c != u'|')
            return true;
    return false;
}

QList<Run> runs(const Styled &styled, qsizetype from, qsizetype length)
{
    QList<Run> out;
    from = std::clamp<qsizetype>(from, 0, styled.text.size());
    const qsizetype to = std::clamp<qsizetype>(from + std::max<qsizetype>(length, 0), from, styled.text.size());
    for (qsizetype i = from; i < to; ++i) {
        const Style &style = styled.styles[i];
        if (out.isEmpty() || !(out.last().style == style))
            out.append(Run{QString(), style});
        out.last().text += styled.text[i];
    }
    return out;
}

QString decodeEntities(QStringView text, bool markupToo)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] == u'&') {
            if (const auto found = entityAt(text, i, markupToo)) {
                out += found->first;
                i += found->second;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

} // namespace SubtitleMarkup
