#include "core/SkinFile.h"

#include "core/TextDecoding.h"
#include "core/TextFile.h"

#include <QFile>
#include <QFileInfo>

namespace SkinFile {

namespace {

const QString CrLf = QStringLiteral("\r\n");

bool isHeader(const QString &line) { return line.startsWith(QLatin1Char('[')); }

bool isMultiLineKey(const QString &key)
{
    return key == QLatin1String("Text") || key == QLatin1String("Hint");
}

QString sectionName(const QString &header)
{
    const qsizetype close = header.indexOf(QLatin1Char(']'));
    return close < 0 ? QString() : header.mid(1, close - 1);
}

} // namespace

std::optional<QString> Section::value(const QString &key) const
{
    for (qsizetype i = entries.size() - 1; i >= 0; --i)
        if (entries[i].key == key)
            return entries[i].value;
    return std::nullopt;
}

const QStringList &keysOf(Kind kind)
{
    static const QStringList button{"Left", "Top", "Width", "Height", "Text", "Hint", "Visible",
                                    "Transparent", "Border", "TextPos", "Flat", "GlyphUp",
                                    "GlyphDown", "GlyphDisable", "GlyphOver"};
    static const QStringList slider{"Left", "Top", "Width", "Height", "Hint", "Visible",
                                    "ImageRuler", "ImageThumb"};
    static const QStringList label{"Left", "Top", "Width", "Height", "Hint", "Visible",
                                   "FontName", "FontColor", "FontSize", "FontShadowSize",
                                   "FontShadowColor", "FontShadowPos"};
    static const QStringList border{"Left", "Top", "Width", "Height", "Hint", "Visible"};
    switch (kind) {
    case Kind::Button: return button;
    case Kind::Slider: return slider;
    case Kind::Label: return label;
    case Kind::Border: break;
    }
    return border;
}

bool takesKey(Kind kind, const QString &key) { return keysOf(kind).contains(key); }

bool isBitmapKey(const QString &key)
{
    return key.startsWith(QLatin1String("Glyph")) || key.startsWith(QLatin1String("Image"));
}

QString bitmapFileName(const QString &element, const QString &key)
{
    return element + QLatin1Char('_') + key + QStringLiteral(".bmp");
}

QList<Section> parse(const QStringList &fileLines)
{
    // A NUL has no place in a skin's texts, and saved it would make the file read as binary
    // (or as UTF-16) the next time.
    QStringList lines = fileLines;
    for (QString &line : lines)
        line.remove(QChar(0));
    QList<Section> sections;
    Section *current = nullptr;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (isHeader(line)) {
            sections.append(Section{sectionName(line), {}});
            current = &sections.last();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!current || eq < 0)
            continue;
        Entry entry{line.left(eq), line.mid(eq + 1)};
        if (isMultiLineKey(entry.key)) {
            // Lines without "=" continue the text; a header never does, or it would
            // swallow the next element's section.
            while (i + 1 < lines.size() && !lines[i + 1].contains(QLatin1Char('='))
                   && !isHeader(lines[i + 1])) {
                ++i;
                if (!lines[i].isEmpty())
                    entry.value += CrLf + lines[i];
            }
        }
        entry.value.truncate(MaxValueLength);
        current->entries.append(entry);
    }
    return sections;
}

QStringList compose(const QList<Section> &sections)
{
    QStringList out{QStringLiteral("Version=1"), QStringLiteral("Autor=")};
    for (const Section &section : sections) {
        out << QLatin1Char('[') + section.name + QLatin1Char(']');
        for (const Entry &entry : section.entries) {
            QStringList parts = entry.value.split(QLatin1Char('\n'));
            for (QString &part : parts)
                if (part.endsWith(QLatin1Char('\r')))
                    part.chop(1);
            out << entry.key + QLatin1Char('=') + parts.takeFirst();
            // Empty continuation lines would be dropped on reading anyway.
            for (const QString &part : parts)
                if (!part.isEmpty())
                    out << part;
        }
    }
    return out;
}

bool read(const QString &path, QList<Section> *sections, QString *error)
{
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, reason);
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("plik nie istnieje"));
    if (!info.isFile())
        return fail(QStringLiteral("to nie jest zwykły plik"));
    if (info.size() > MaxFileBytes)
        return fail(QStringLiteral("plik jest za duży na opis skórki"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (bytes.size() > MaxFileBytes)
        return fail(QStringLiteral("plik jest za duży na opis skórki"));
    *sections = parse(splitTextLines(decodeSubtitleText(bytes).text));
    return true;
}

bool write(const QString &path, const QList<Section> &sections, QString *error)
{
    return TextFile::writeLines(path, compose(sections), error);
}

std::optional<int> number(const QString &value)
{
    bool ok = false;
    const int n = value.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return n;
}

bool flag(const QString &value) { return value != QLatin1String("0"); }

QString flagText(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

quint32 colorValue(int red, int green, int blue)
{
    return quint32(red & 0xff) | quint32(green & 0xff) << 8 | quint32(blue & 0xff) << 16;
}

int redOf(quint32 value) { return int(value & 0xff); }
int greenOf(quint32 value) { return int(value >> 8 & 0xff); }
int blueOf(quint32 value) { return int(value >> 16 & 0xff); }

} // namespace SkinFile
