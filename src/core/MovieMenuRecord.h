#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

// A chapter menu as films carry it: a title and five entries (a jump to a time, or a link),
// the seconds it stays on screen and the colour of its letters.
struct MovieMenuEntry
{
    QString text;
    bool link = false;
    int seconds = 0; // the jump's time in the film
    bool operator==(const MovieMenuEntry &) const = default;
};

struct MovieMenu
{
    static constexpr int Entries = 5;
    QString title;
    std::array<MovieMenuEntry, Entries> entries{};
    int displaySeconds = 10;
    quint32 colour = 0x0000FFFF; // 0x00BBGGRR
    bool operator==(const MovieMenu &) const = default;
};

// The 252-byte record hidden in an AVI file: little-endian, strings as a length byte and
// that many characters in the legacy 8-bit code page, zeros after them.
namespace MovieMenuRecord {

constexpr int Size = 252;
constexpr int TextMax = 30;
constexpr int TimeMax = 7;
// The record starts one byte before these characters.
inline constexpr char Signature[] = "Zendor";
constexpr int SignatureLength = 6;
// Menus written by older players are in this code page.
inline constexpr char DefaultCodePage[] = "windows-1250";

// "H:mm:ss" below ten hours, as every stored menu has it. Ten hours and more do not fit
// seven characters that way; they are written as minutes and seconds ("600:05").
QString formatTime(int seconds);
// Either form; nothing for anything that is not a time.
std::optional<int> parseTime(const QString &text);

// Texts are cut to 30 characters; characters the code page cannot hold become "?".
QByteArray encode(const MovieMenu &menu, const char *codePage = DefaultCodePage);

struct Decoded
{
    std::optional<MovieMenu> menu;
    QString error; // why there is none
};
// `record` is the 252 bytes from one byte before the signature. A record whose entry time
// is not a time is no menu.
Decoded decode(const QByteArray &record, const char *codePage = DefaultCodePage);

} // namespace MovieMenuRecord
