#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The skin description file "skin.all": one section per panel element, "[" + name + "]",
// followed by key=value lines. Reading tolerates whatever a hand editor left in the file
// (lines before the first section, unknown keys, lines without "="); writing produces
// exactly what reading gives back.
namespace SkinFile {

inline constexpr char FileName[] = "skin.all";
inline constexpr char BackgroundName[] = "Background.bmp";
inline constexpr char StandardName[] = "Standard";
// The built-in skin is never overwritten by the save button: it saves under this name.
inline constexpr char StandardCopyName[] = "StandardNew";
inline constexpr int MaxValueLength = 255;
// A skin file is a few kilobytes; anything this large is not one and is not read.
inline constexpr qint64 MaxFileBytes = 4LL * 1024 * 1024;

// What kind of element a section describes decides which keys it takes.
enum class Kind { Button, Slider, Label, Border };

struct Entry
{
    QString key;
    QString value; // multi-line Text and Hint values hold "\r\n" between their lines
};

struct Section
{
    QString name;
    QList<Entry> entries;

    // The last value of the key, if the section has it.
    std::optional<QString> value(const QString &key) const;
};

// The keys a kind takes, in the order they are written. Glyph and image keys name bitmap
// files; a saver leaves out the glyph keys of empty glyphs.
const QStringList &keysOf(Kind kind);
bool takesKey(Kind kind, const QString &key);
// Keys whose value is a bitmap file name in the skin folder.
bool isBitmapKey(const QString &key);
// The file a saver writes for an element's bitmap key: "BPlay_GlyphUp.bmp".
QString bitmapFileName(const QString &element, const QString &key);

// Sections in file order. Everything before the first "[" line is ignored. A line that
// starts with "[" always opens a new section, even straight after a Text or Hint line,
// which only lines without "=" continue.
QList<Section> parse(const QStringList &lines);

// "Version=1", "Autor=", then the sections; multi-line values continue on lines of their own.
QStringList compose(const QList<Section> &sections);

// Decoded the way subtitle files are (any code page or UTF-8). False with a message that
// names the file when it is missing, not a plain file, too large or unreadable.
bool read(const QString &path, QList<Section> *sections, QString *error);
// UTF-8, atomically: a crash mid-write leaves the previous file whole.
bool write(const QString &path, const QList<Section> &sections, QString *error);

// Values as the file spells them.
std::optional<int> number(const QString &value);
// Only "0" is false.
bool flag(const QString &value);
QString flagText(bool on);

// Colours are stored as the decimal value of 0x00BBGGRR.
quint32 colorValue(int red, int green, int blue);
int redOf(quint32 value);
int greenOf(quint32 value);
int blueOf(quint32 value);

} // namespace SkinFile
