#pragma once

#include <QString>
#include <optional>

// Time on an audio disc: sectors ("frames", 75 a second) inside a track, written the way
// the disc device and the control panel exchange them: "mm:ss", "mm:ss:ff" and
// "TT:MM:SS:FF" (track, minute, second, frame), and the position slider's units.
namespace CdTime {

constexpr int FramesPerSecond = 75;

// "mm:ss" of whole seconds (minutes may pass 59, as a disc of 80 minutes needs).
QString mmss(qint64 seconds);
// "mm:ss:ff" of frames.
QString mmssff(qint64 frames);
// "TT:MM:SS:FF": a track and a position in it.
QString tmsf(int track, qint64 frames);

// A position as "play ... from" names it: "TT", "TT:MM", "TT:MM:SS" or "TT:MM:SS:FF".
// Empty when it is not made of such fields or one is out of range (seconds and frames
// must be below 60 and 75).
struct Position
{
    int track = 0;
    qint64 frames = 0;
};
std::optional<Position> parsePosition(const QString &text);

// Whole seconds of an "mm:ss" text (its first five characters); empty when it is not one.
std::optional<qint64> seconds(const QString &mmssText);

// The position slider counts in hundred-millionths of a day, as a time of day 00:mm:ss
// would: Trunc(seconds / 86400 x 1e8). Exact integer arithmetic, no drift at whole minutes.
int sliderUnits(qint64 seconds);
// The whole second a slider value stands for; a value made by sliderUnits gives its
// second back (rounding to the millisecond would lose it for most seconds).
qint64 secondsOfSliderUnits(int units);

// Where a skip of `step` seconds lands from `elapsed` ("mm:ss"), as "mm:ss": any step
// (60 s and more too) is added or taken in whole seconds, and the result stays inside
// the track, from its start to `trackLength` ("mm:ss"). Empty when elapsed is not a time.
std::optional<QString> skipTarget(const QString &elapsed, int step, bool forward, const QString &trackLength);

// The slider value's second as "mm:ss", kept inside the track as a skip is.
QString sliderTarget(int units, const QString &trackLength);

} // namespace CdTime
