#include "core/Transport.h"

namespace Transport {

qint64 skipTarget(qint64 current, int stepSeconds, bool forward)
{
    const qint64 step = qint64(stepSeconds) * UnitsPerSecond;
    const qint64 target = forward ? current + step : current - step;
    return target < 0 ? 0 : target;
}

qint64 skipPercent(qint64 target, qint64 durationMs)
{
    if (durationMs <= 0)
        return 0;
    return (target * 100) / (durationMs * UnitsPerMs);
}

QString skipText(const QString &prefix, const QString &stepText, qint64 percent)
{
    return prefix + stepText + QStringLiteral(" s (") + QString::number(percent) + QStringLiteral("%)");
}

int sliderValue(int x, int width, int maximum)
{
    const int track = width - 24;
    if (track <= 0 || maximum <= 0)
        return 0;
    const qint64 value = qint64(x - 12) * maximum / track;
    return int(qBound<qint64>(0, value, qint64(maximum)));
}

qint64 subtitleClockMs(qint64 positionMs, int shiftMinutes, int txtShiftSeconds, int shiftSeconds)
{
    const qint64 ms = positionMs + qint64(shiftMinutes) * 60000 + qint64(txtShiftSeconds) * 1000
                      + qint64(shiftSeconds) * 1000;
    return ms < 0 ? 0 : ms;
}

qint64 subtitleClockSeconds(qint64 positionMs, int shiftMinutes, int txtShiftSeconds,
                            int shiftSeconds)
{
    return subtitleClockMs(positionMs, shiftMinutes, txtShiftSeconds, shiftSeconds) / 1000;
}

bool AntiFreeze::tick(int framesDrawn, bool playing, qint64 position)
{
    bool nudge = false;
    if (framesDrawn == m_lastFrames && playing) {
        if (m_freezeCount > 7 && position > 100000) {
            nudge = true;
            m_freezeCount = -3;
        }
        ++m_freezeCount;
    } else {
        m_freezeCount = 0;
    }
    m_lastFrames = framesDrawn;
    return nudge;
}

} // namespace Transport
