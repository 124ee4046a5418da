#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

// Language files: plain text lines that give components of four windows a caption or a
// hint, plus the message, popup-menu and key-description tables. One entry a line:
//   first character = kind ("C" caption, "H" hint; anything else for sections and tables),
//   then the name up to the first "=", then the value (further "=" belong to it).
// "#" starts a comment; lines without "=" are skipped; a value ending with "," goes on
// with the next line (the comma becomes CR LF).
namespace LanguageFile {

enum class Window { Panel, PlayList, Filters, Setup };

struct ComponentText
{
    Window window = Window::Panel;
    QString name;       // matched case-insensitively against the window's components
    bool hint = false;  // false: caption (a memo's whole text)
    QString value;
};

// Everything one file says, in the order it said it.
struct Texts
{
    QString language;                 // "LANGUAGE" entry; kept, shown nowhere
    QMap<int, QString> messages;      // Msg00..Msg31
    QMap<int, QString> menu;          // Mnu01..Mnu27: the video window's popup items
    QMap<int, QString> keys;          // Key00 (column title), Key01..Key42
    std::optional<QString> transparent; // FTransparent: first subtitle background choice
    std::optional<QString> opaque;      // FOpaque: the second
    QList<ComponentText> components;

    // The entries addressed to one window, in file order.
    QList<ComponentText> componentsOf(Window window) const;
};

inline constexpr int MenuItems = 27;
inline constexpr int KeyRows = 42;

// Reads the entries of a file's lines. Unlike the loader this format was made for, an
// entry on the file's very last line is applied too: translators' files often end
// without an empty line.
Texts parse(const QStringList &lines);

// Language files are a few kilobytes; anything past this is not one and is not read.
inline constexpr qint64 MaxBytes = 1024 * 1024;

// A file's lines, decoded as subtitle files are (byte-order mark, UTF-8, the detector,
// then Windows-1250), so legacy translations keep their letters. Nothing when the file is
// missing, unreadable, not a plain file or larger than MaxBytes.
std::optional<QStringList> readLines(const QString &path);

// The built-in English template, the same text that ships as "LANG/English.lng".
QStringList englishTemplate();

} // namespace LanguageFile
