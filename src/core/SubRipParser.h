#pragma once

#include "core/SubtitleLine.h"

#include <QStringList>
#include <QStringView>
#include <optional>

// SubRip (".srt") entries: a counter line, a time line, then the text lines up to the next
// entry. An entry is recognised by its time line, so that no text line is ever mistaken
// for a counter ("Oh!", "No.", "42") and counters of any length work.
namespace SubRip {

// The start of a time line "hh:mm:ss,mmm --> hh:mm:ss,mmm" in whole seconds. Tolerates "."
// (or ":") before the milliseconds, missing milliseconds, hours of one digit or more than
// two, spaces around the fields and anything after the stop time (position hints).
std::optional<qint64> startSeconds(QStringView line);

// Both times of such a line, in milliseconds.
struct Times
{
    qint64 startMs;
    qint64 stopMs;
};
std::optional<Times> times(QStringView line);

// A line of digits only (spaces around allowed): the entry counter.
bool isCounter(QStringView line);

// The entries in file order. A counter directly before a line with "-->" belongs to that
// time line; a time line without its counter still starts an entry. A time line after a
// counter that cannot be read drops its own entry (with its text) and nothing else. Every
// other line that is not blank is text of the entry above it, joined with "|" and cut to
// 255 characters; blank lines never become display lines.
SubtitleList parse(const QStringList &lines);

} // namespace SubRip
