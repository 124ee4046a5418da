#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

// How the player's state reads to the desktop's media controls (MPRIS): the properties of
// the player interface worked out from the panel's state, which of them changed, and the
// way back from what a client sets (volume, rate, position) to the panel's levels.
// Values are plain Qt types; the track id is an object path held as text.
namespace MprisState {

inline constexpr const char *NoTrack = "/org/mpris/MediaPlayer2/TrackList/NoTrack";
inline constexpr const char *TrackIdKey = "mpris:trackid";

struct Snapshot
{
    int playState = 0;      // the panel's PlayState (0 none .. 4 built)
    bool cd = false;        // the medium is an audio disc track
    QString file;           // the medium's name: a path, or DRIVE/TrackNN.cda
    qint64 durationMs = 0;
    int mediumCount = 0;    // media opened so far: names the track id
    QString cdTitle;        // the track's CD-Text title, when the disc has one
    int volumeLevel = 0;    // -5..5
    bool muted = false;
    int speedLevel = 0;     // -5..5
    bool canGoNext = false;
    bool canGoPrevious = false;
};

// "Playing", "Paused" or "Stopped".
QString playbackStatus(int playState);
// The object path of the current medium; NoTrack when nothing is loaded.
QString trackId(const Snapshot &s);
// mpris:trackid, mpris:length (microseconds), xesam:url, xesam:title; for a disc track
// also xesam:trackNumber and xesam:album.
QVariantMap metadata(const Snapshot &s);
// Every property of the player interface except Position, which is read when asked.
QVariantMap properties(const Snapshot &s);
// The names whose values differ (or that one side lacks), in the order of `after`.
QStringList changed(const QVariantMap &before, const QVariantMap &after);

// The volume as a linear factor 0..1: the level's attenuation as an amplitude (level 5 is
// 1.0), 0 while muted.
double volume(int level, bool muted);
struct VolumeChoice
{
    bool mute = false;
    int level = 0;
};
// The level whose factor is nearest; 0 (or less) mutes and keeps the level.
VolumeChoice volumeChoice(double volume, int currentLevel);
// The speed level whose rate is nearest (rates 0.1 .. 2.0).
int speedLevel(double rate);
double minimumRate();
double maximumRate();

// Where a relative seek lands: never before the start; nullopt when it passes the end
// (the client then means the next medium).
std::optional<qint64> seekTarget(qint64 positionUs, qint64 offsetUs, qint64 durationUs);
// Whether the position moved other than by playing on since the last look: a seek by the
// panel, a key or the slider, which clients hear of through the Seeked signal.
bool jumped(qint64 lastMs, qint64 nowMs, qint64 elapsedMs, double rate, bool playing);

// The local file a client's address names (file:// addresses, or an absolute path);
// nullopt for anything else.
std::optional<QString> localPath(const QString &uri);

} // namespace MprisState
