#include "core/MprisState.h"

#include "core/CdTrackName.h"
#include "core/FunctionSlider.h"

#include <QFileInfo>
#include <QUrl>
#include <cmath>

namespace MprisState {

QString playbackStatus(int playState)
{
    switch (playState) {
    case 1: return QStringLiteral("Playing");
    case 3: return QStringLiteral("Paused");
    default: return QStringLiteral("Stopped"); // nothing loaded, stopped, or built and not started
    }
}

QString trackId(const Snapshot &s)
{
    if (s.playState == 0 || s.file.isEmpty())
        return QLatin1String(NoTrack);
    return QStringLiteral("/org/brivara/track/%1").arg(s.mediumCount);
}

QVariantMap metadata(const Snapshot &s)
{
    QVariantMap m;
    m.insert(QLatin1String(TrackIdKey), trackId(s));
    if (trackId(s) == QLatin1String(NoTrack))
        return m;
    m.insert(QStringLiteral("mpris:length"), qint64(s.durationMs) * 1000);
    // A disc track's name is a path too, and handed back through OpenUri it opens the track.
    m.insert(QStringLiteral("xesam:url"), QUrl::fromLocalFile(s.file).toString(QUrl::FullyEncoded));
    if (s.cd) {
        const int number = CdTrackName::number(s.file);
        m.insert(QStringLiteral("xesam:trackNumber"), number);
        m.insert(QStringLiteral("xesam:album"), QStringLiteral("Audio CD"));
        m.insert(QStringLiteral("xesam:title"),
                 s.cdTitle.isEmpty() ? QStringLiteral("Audio CD - ") + CdTrackName::twoDigits(number) : s.cdTitle);
    } else {
        m.insert(QStringLiteral("xesam:title"), QFileInfo(s.file).completeBaseName());
    }
    return m;
}

QVariantMap properties(const Snapshot &s)
{
    const bool loaded = s.playState != 0;
    return {
        {QStringLiteral("PlaybackStatus"), playbackStatus(s.playState)},
        {QStringLiteral("Metadata"), metadata(s)},
        {QStringLiteral("Volume"), volume(s.volumeLevel, s.muted)},
        {QStringLiteral("Rate"), FunctionSlider::rate(s.speedLevel)},
        {QStringLiteral("MinimumRate"), minimumRate()},
        {QStringLiteral("MaximumRate"), maximumRate()},
        {QStringLiteral("CanGoNext"), s.canGoNext},
        {QStringLiteral("CanGoPrevious"), s.canGoPrevious},
        {QStringLiteral("CanPlay"), loaded},
        {QStringLiteral("CanPause"), loaded},
        // A disc seeks through its own commands, which only the panel's slider speaks.
        {QStringLiteral("CanSeek"), loaded && !s.cd && s.durationMs > 0},
        {QStringLiteral("CanControl"), true},
    };
}

QStringList changed(const QVariantMap &before, const QVariantMap &after)
{
    QStringList names;
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        if (!before.contains(it.key()) || before.value(it.key()) != it.value())
            names << it.key();
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (!after.contains(it.key()))
            names << it.key();
    return names;
}

double volume(int level, bool muted)
{
    if (muted)
        return 0.0;
    // Hundredths of a dB to an amplitude factor.
    return std::pow(10.0, FunctionSlider::volume(FunctionSlider::clampLevel(level)) / 2000.0);
}

VolumeChoice volumeChoice(double wanted, int currentLevel)
{
    if (!(wanted > 0)) // also NaN
        return {true, currentLevel};
    int best = FunctionSlider::MaxLevel;
    double bestDistance = 1e9;
    for (int level = FunctionSlider::MinLevel; level <= FunctionSlider::MaxLevel; ++level) {
        const double distance = std::abs(volume(level, false) - wanted);
        if (distance < bestDistance) {
            best = level;
            bestDistance = distance;
        }
    }
    return {false, best};
}

int speedLevel(double rate)
{
    int best = 0;
    double bestDistance = 1e9;
    for (int level = FunctionSlider::MinLevel; level <= FunctionSlider::MaxLevel; ++level) {
        const double distance = std::abs(FunctionSlider::rate(level) - rate);
        if (distance < bestDistance - 1e-9) {
            best = level;
            bestDistance = distance;
        }
    }
    return best;
}

double minimumRate() { return FunctionSlider::rate(FunctionSlider::MinLevel); }
double maximumRate() { return FunctionSlider::rate(FunctionSlider::MaxLevel); }

std::optional<qint64> seekTarget(qint64 positionUs, qint64 offsetUs, qint64 durationUs)
{
    const qint64 target = qMax<qint64>(0, positionUs + offsetUs);
    if (durationUs > 0 && target > durationUs)
        return std::nullopt;
    return target;
}

bool jumped(qint64 lastMs, qint64 nowMs, qint64 elapsedMs, double rate, bool playing)
{
    const double expected = lastMs + (playing ? elapsedMs * rate : 0.0);
    // The position is read every 400 ms and the pipeline's clock wobbles: more than a
    // second off is a seek.
    return std::abs(nowMs - expected) > 1000.0;
}

std::optional<QString> localPath(const QString &uri)
{
    if (uri.startsWith(u'/'))
        return uri;
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile() || url.toLocalFile().isEmpty())
        return std::nullopt;
    return url.toLocalFile();
}

} // namespace MprisState
