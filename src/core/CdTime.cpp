#include "core/CdTime.h"

#include <QStringList>

namespace CdTime {

namespace {
QString two(qint64 n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

qint64 clampToTrack(qint64 seconds, const QString &trackLength)
{
    if (seconds < 0)
        return 0;
    if (const auto length = CdTime::seconds(trackLength); length && seconds > *length)
        return *length;
    return seconds;
}
} // namespace

QString mmss(qint64 seconds)
{
    seconds = qMax<qint64>(0, seconds);
    return two(seconds / 60) + QLatin1Char(':') + two(seconds % 60);
}

QString mmssff(qint64 frames)
{
    frames = qMax<qint64>(0, frames);
    return mmss(frames / FramesPerSecond) + QLatin1Char(':') + two(frames % FramesPerSecond);
}

QString tmsf(int track, qint64 frames) { return two(track) + QLatin1Char(':') + mmssff(frames); }

std::optional<Position> parsePosition(const QString &text)
{
    const QStringList fields = text.trimmed().split(QLatin1Char(':'));
    if (fields.size() > 4)
        return std::nullopt;
    qint64 value[4] = {0, 0, 0, 0};
    for (int i = 0; i < fields.size(); ++i) {
        bool ok = false;
        value[i] = fields[i].toLongLong(&ok);
        if (!ok || value[i] < 0 || fields[i].size() > 3)
            return std::nullopt;
    }
    if (value[0] < 1 || value[0] > 99 || value[2] >= 60 || value[3] >= FramesPerSecond)
        return std::nullopt;
    return Position{int(value[0]), (value[1] * 60 + value[2]) * FramesPerSecond + value[3]};
}

std::optional<qint64> seconds(const QString &mmssText)
{
    const QString t = mmssText.left(5);
    if (t.size() != 5 || t.at(2) != QLatin1Char(':'))
        return std::nullopt;
    bool okM = false, okS = false;
    const int m = t.left(2).toInt(&okM);
    const int s = t.mid(3, 2).toInt(&okS);
    if (!okM || !okS || m < 0 || s < 0 || s >= 60)
        return std::nullopt;
    return qint64(m) * 60 + s;
}

int sliderUnits(qint64 seconds) { return int(qMax<qint64>(0, seconds) * 1000000 / 864); }

qint64 secondsOfSliderUnits(int units)
{
    // sliderUnits truncates by less than one unit: one unit more always reaches the second.
    return (qint64(qMax(0, units)) + 1) * 864 / 1000000;
}

std::optional<QString> skipTarget(const QString &elapsed, int step, bool forward, const QString &trackLength)
{
    const auto now = seconds(elapsed);
    if (!now)
        return std::nullopt;
    return mmss(clampToTrack(*now + (forward ? step : -step), trackLength));
}

QString sliderTarget(int units, const QString &trackLength)
{
    return mmss(clampToTrack(secondsOfSliderUnits(units), trackLength));
}

} // namespace CdTime
