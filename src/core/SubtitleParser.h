#pragma once

#include "core/SubtitleLine.h"

#include <QString>
#include <QStringList>
#include <optional>

// The line formats a subtitle file may be written in. The numbers are the format codes the
// rest of the program knows them by.
enum class SubtitleFormat {
    TimeColon = 0,           // hh:mm:ss:text (also h:mm:ss:text)
    TenthsBracket = 1,       // [start][stop]text, tenths of a second
    FrameBrace = 2,          // {start}{stop}text, frames
    MinuteSecondBracket = 3, // [mm:ss]text
    Sami = 4,                // <SYNC Start=ms>text, chosen by the ".smi" extension
    SubRip = 5,              // counter, "hh:mm:ss,mmm --> ...", text lines; ".srt" extension or content
    Ass = 6,                 // "[Script Info]", "[Events]", "Dialogue:" lines (also the older SSA)
    WebVtt = 7,              // "WEBVTT", then cues of a timing line and text lines
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
    // A frame-brace file's own frame rate, from a first line such as "{1}{1}23.976"; 0 when
    // it has none (or it was not used).
    double fileFrameRate = 0;
};

// Turns a subtitle file's lines into the subtitle list. Only the extension of `fileName`
// matters besides the lines: ".smi" chooses SAMI; ASS, WebVTT and plain SubRip content
// are told by their content whatever the extension; any other file is told by its first
// subtitle line (".srt" keeps SubRip unless that line starts with "{" or "["). `frameRate`
// is the film's frames per second, used by the frame-brace format only; 0 (or anything
// not positive) makes those lines unusable. With `useFileFrameRate` a frame-brace file's
// own frame-rate line replaces it (the line is no subtitle either way). Lines that do not
// parse are dropped one by one; no input makes this fail.
ParsedSubtitles parseSubtitles(const QStringList &lines, const QString &fileName, double frameRate,
                               bool useFileFrameRate = true);

namespace SubtitleParsing {

// The lines worth parsing: ".srt" drops empty lines, every other file lines shorter than
// three characters.
QStringList usableLines(const QStringList &lines, bool subRip);

// The format told by the first usable line (the extension decides for ".smi", and ".srt"
// keeps SubRip unless the line starts with "{" or "[").
SubtitleFormat detectFormat(const QString &firstLine, const QString &upperExtension);

// Whether `line` is a subtitle line of `format` by its shape ("{12}", "[12]", "[01:05]",
// "0:01:02", a SubRip counter or time line), whatever its numbers say.
bool isSubtitleLine(const QString &line, SubtitleFormat format);

// Whether the lines are plainly SubRip: the first subtitle line is a counter followed by a
// "-->" time line (or such a time line itself).
bool plainlySubRip(const QStringList &lines);

// The rate of a frame-rate line "{1}{1}23.976" ("{0}{0}25", a decimal comma too); nullopt
// for any other line.
std::optional<double> frameRateLine(QStringView line);

// Whole seconds of `frames` at `frameRate`, truncated; a frame that lands on a whole second
// keeps it although the division in binary falls a hair short (24000 at 24000/1001 fps).
std::optional<qint64> frameSeconds(qint64 frames, double frameRate);

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

// A text with its start and stop in milliseconds, as the cue formats (ASS, WebVTT, SAMI
// read whole) carry it.
struct TimedText
{
    qint64 startMs = 0;
    qint64 stopMs = 0;
    QString text;
};

// The list's entries for cues in the given order. Cues with the same start and stop are
// shown together, as one entry of their lines; texts are cut to 255 characters.
SubtitleList entriesOf(const QList<TimedText> &cues);

// SAMI writes no stop times: each entry lasts until the next SYNC of the file's `lines`.
void setSamiStops(const QStringList &lines, SubtitleList *entries);

// One line of the bracket, brace or SAMI formats; nullopt when it does not parse.
std::optional<SubtitleLine> parseLine(const QString &line, SubtitleFormat format, double frameRate);

} // namespace SubtitleParsing
