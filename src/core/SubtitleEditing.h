#pragma once

#include "core/SubtitleLine.h"

#include <QByteArray>
#include <QStringList>

// The edits of the subtitle editor on the subtitle list, which playback reads directly:
// moving every start time, inserting and deleting entries, and writing the list out as a
// time-colon file. Rows are 0-based entry indexes.
namespace SubtitleEditing {

// The first entry whose start is not an "hh:mm:ss" time (an inserted line's empty key,
// a mistyped cell), or -1 when every start is one.
int firstInvalidRow(const SubtitleList &list);

// Moves every start by `seconds` (earlier when negative); a start that would fall before
// 00:00:00 stops there. All or nothing: when an entry's start is not a time, nothing
// moves and that entry's row is returned; -1 when the list was moved.
int shiftAll(SubtitleList &list, qint64 seconds);

// The seconds that make entry `row` start at `filmSeconds`: the synchronisation's shift.
// Nullopt when that entry's start is not a time.
std::optional<qint64> syncShift(const SubtitleList &list, int row, qint64 filmSeconds);

// An empty entry (no start, no text) before `row`; past the end it is appended.
void insertLine(SubtitleList &list, int row);
// Removes entry `row`, but never the last one left. False when nothing was removed.
bool deleteLine(SubtitleList &list, int row);

// The list as time-colon lines, "hh:mm:ss:text". A last entry within the first minute is
// followed by an empty closing line, since the reader takes a last line starting "00:00"
// for such a marker and would otherwise drop the entry.
QStringList timeColonLines(const SubtitleList &list);

struct EncodedFile
{
    QByteArray bytes;
    QString encoding; // what the bytes are in, as a codec name
};
// The bytes of a saved subtitle file, CR LF after every line: in `readEncoding` (the
// encoding the list's file was read in) when that can hold every character, otherwise,
// and when there is none, UTF-8 with a byte-order mark. Unicode encodings carry their mark.
EncodedFile encodeLines(const QStringList &lines, const QString &readEncoding);

} // namespace SubtitleEditing
