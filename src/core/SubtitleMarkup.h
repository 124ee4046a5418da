#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The markup subtitle files carry inside their texts, read for drawing: SubRip and SAMI
// tags (<i>, <b>, <u>, <font color=...>, <br>), ASS override blocks ({\i1}, {\b1}, {\u1},
// {\c&HBBGGRR&}, {\an8}), frame-brace control codes ({y:i}, {c:$BBGGRR}; lower case for
// one display line, upper case for the whole subtitle) and HTML entities. The list keeps
// the text as written; only what is drawn is read here.
namespace SubtitleMarkup {

struct Style
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool coloured = false;
    quint32 rgb = 0; // 0xRRGGBB, when coloured

    bool operator==(const Style &) const = default;
};

// Where the subtitle goes over the picture.
enum class Place { Bottom, Middle, Top };

struct Styled
{
    // The text to draw: every tag gone, entities decoded, "|" between display lines and a
    // leading "\" (the italic mark of time-colon files) kept.
    QString text;
    QList<Style> styles; // one for each character of `text`
    Place place = Place::Bottom;
};

Styled parse(const QString &text);

// Whether anything but white space (a non-breaking one too) and line breaks is drawn.
bool showsText(const QString &text);

struct Run
{
    QString text;
    Style style;
};

// `length` characters of `styled.text` from `from`, in runs of one style each.
QList<Run> runs(const Styled &styled, qsizetype from, qsizetype length);

// "&nbsp;", "&amp;", "&#233;", "&#xE9;" and the other common entities, decoded; unknown
// ones stay as written. With `markupToo` false, "&lt;", "&gt;" and "&amp;" stay too.
QString decodeEntities(QStringView text, bool markupToo = true);

} // namespace SubtitleMarkup
