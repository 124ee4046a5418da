#pragma once

#include "core/SubtitleLine.h"

#include <QString>
#include <QStringList>
#include <optional>

// The six line formats a subtitle file may be written in. The numbers are the format codes
// the rest of the program knows them by.
enum class SubtitleFormat {
    TimeColon = 0,           // hh:mm:ss:text (also h:mm:ss:text)
    TenthsBracket = 1,       // [start][stop]text, tenths of a second
    FrameBrace = 2,          // {start}{stop}text, frames
    MinuteSecondBracket = 3, // [mm:ss]text
    Sami = 4,                // <SYNC Start=ms>text, chosen by the ".smi" extension
    SubRip = 5,              // counter, "hh:mm:ss,mmm --> ...", text lines; ".srt" extension
};

struct ParsedSubtitles
{
    SubtitleFormat format = SubtitleFormat::TimeColon;
    // The file's lines after the short (or, for SubRip, empty) ones are dropped, as the raw
    // list shows them; the time-colon pass also pads "h:" hours and drops a closing "00:00" line.
    QStringList rawLines;
    SubtitleList entries;
    // False when no line was left to tell the format by: nothing usable in the file.
    bool detected = false;
};

// Turns a subtitle file's lines into the subtitle list. Only the extension of `fileName`
// matters (".srt" and ".smi" choose their formats; any other file is told by its first
// line). `frameRate` is the film's frames per second, used by the frame-brace format only;
// 0 (or anything not positive) makes those lines unusable. Lines that do not parse are
// dropped one by one; no input makes this fail.
ParsedSubtitles parseSubtitles(const QStringList &lines, const QString &fileName, double frameRate);

namespace SubtitleParsing {

// The lines worth parsing: ".srt" drops empty lines, every other file lines shorter than
// three characters.
QStringList usableLines(const QStringList &lines, bool subRip);

// The format told by the first usable line (the extension decides for ".smi", and ".srt"
// keeps SubRip unless the line starts with "{" or "[").
SubtitleFormat detectFormat(const QString &firstLine, const QString &upperExtension);

// At most 255 characters, never ending in half a surrogate pair.
QString cutText(const QString &text);

// The list's key for a start time: "hh:mm:ss", each field at least two digits, hours with
// all their digits past 99.
QString keyForSeconds(qint64 seconds);

// A whole, non-negative number written in ASCII digits, spaces around it allowed; nullopt
// for anything else, or past the range of a 32-bit integer.
std::optional<qint64> wholeNumber(QStringView text);

// Time-colon lines: the key is the first eight characters and the text starts at the
// tenth; nothing is checked. Pads "h:mm:ss" lines in `lines` and drops a last line that
// starts with "00:00" (a closing marker some editors write).
SubtitleList parseTimeColon(QStringList *lines);

// SAMI writes no stop times: each entry lasts until the next SYNC of the file's `lines`.
void setSamiStops(const QStringList &lines, SubtitleList *entries);

// One line of the bracket, brace or SAMI formats; nullopt when it does not parse.
std::optional<SubtitleLine> parseLine(const QString &line, SubtitleFormat format, double frameRate);

} // namespace SubtitleParsing
