#pragma once

#include "core/SubtitleLine.h"
#include "core/SubtitleTiming.h"

#include <optional>

// Exact timing: each subtitle is shown at the millisecond its file gives and taken off at
// its stop, instead of at the whole second the key holds, found by the 400 ms tick.
namespace ExactTiming {

// An entry's times in milliseconds. The start is the key's second refined by the file's
// milliseconds while the key still holds that second; a key edited since (in the editor)
// wins, and the stop moves with it so the subtitle keeps its length. stopMs is -1 where the
// file wrote no stop.
struct Span
{
    qint64 startMs;
    qint64 stopMs;
};
std::optional<Span> span(const SubtitleLine &line);

struct Step
{
    // The entry to show now (1-based row), when there is one not shown yet.
    int row = 0;
    QString text;
    qint64 startMs = -1;
    qint64 fileDurationMs = -1; // stop - start, -1 without a stop
    qint64 gapMs = -1;          // to the next start after this one, -1 when none
    // Milliseconds of subtitle clock until the next start, -1 when none is ahead.
    qint64 nextStartInMs = -1;
};

// The entry on screen at `clockMs` is the one with the latest start at or before it, while
// the clock is before its stop (or within the second of its start, without a stop). Among
// equal starts the first in the list counts. `shownRow` is the row shown last: it is not
// handed out again. Entries with unreadable keys are passed over.
Step step(const SubtitleList &list, qint64 clockMs, int shownRow);

// How long an exactly timed subtitle stays, in ms. Without IQ Text: its own length (or
// the fixed time when the file wrote no stop). With IQ Text a text too long for its time
// gets the reading time it needs, but never more than the gap to the next entry allows
// (for the last entry, than the reading slider's maximum), and never less than the file's
// own duration.
qint64 displayMs(qsizetype textLength, qint64 fileDurationMs, qint64 gapMs, const IQText::Settings &settings);

} // namespace ExactTiming
