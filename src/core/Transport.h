#pragma once

#include <QString>

// The arithmetic behind the transport buttons, the position slider and the watchdog.
// Positions are in 100-ns units, durations in ms, as the panel holds them.
namespace Transport {

inline constexpr qint64 UnitsPerSecond = 10000000;
inline constexpr qint64 UnitsPerMs = 10000;

// Skipping never asks for a place before the start of the film.
qint64 skipTarget(qint64 current, int stepSeconds, bool forward);

// The percentage shown with a skip: target x 100 / duration, truncated. A film of unknown
// length (0 ms) shows 0 rather than dividing by zero.
qint64 skipPercent(qint64 target, qint64 durationMs);

// "W przód o 20 s (35%)": prefix, the step as the setting shows it, the percentage.
QString skipText(const QString &prefix, const QString &stepText, qint64 percent);

// The position slider: the pointer's x inside a slider `width` wide, with 12 pixels of
// handle margin on each side, gives a value between 0 and `maximum`. Multiplying before
// dividing keeps short films seekable (dividing first made the step 0 under ~200 ms).
int sliderValue(int x, int width, int maximum);

// The subtitle clock in whole seconds: position plus the shifts, never negative.
qint64 subtitleClockSeconds(qint64 positionMs, int shiftMinutes, int txtShiftSeconds,
                            int shiftSeconds);
// The same clock in milliseconds, for exact timing.
qint64 subtitleClockMs(qint64 positionMs, int shiftMinutes, int txtShiftSeconds, int shiftSeconds);

// The AntiFreeze watchdog: once a second while playing, the frames drawn by the renderer
// are compared with the second before. From the 9th frozen second on it asks for a nudge,
// then every 11 seconds while the freeze lasts.
class AntiFreeze
{
public:
    // True when the picture should be nudged now.
    bool tick(int framesDrawn, bool playing, qint64 position);
    int freezeCount() const { return m_freezeCount; }
    void reset() { m_freezeCount = 0; }

private:
    int m_freezeCount = 0;
    int m_lastFrames = -1;
};

} // namespace Transport
