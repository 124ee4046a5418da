#pragma once

#include "core/CdDrive.h"

#include <QStringList>

// An audio disc in memory for tests of the disc device and the windows: the test sets the
// disc's tracks, takes the disc out and puts it back, and lets time pass; the fake records
// what was asked of it.
class FakeCdDrive : public CdDrive
{
public:
    // --- scripting --------------------------------------------------------------------
    // Track lengths in seconds, numbered from 1; titles are optional.
    void setDisc(const QList<int> &seconds, const QStringList &titles = {})
    {
        m_disc.clear();
        for (int i = 0; i < seconds.size(); ++i)
            m_disc << Track{i + 1, qint64(seconds[i]) * 75, titles.value(i)};
    }
    void setPresent(bool present) { m_present = present; if (!present) m_playing = false; }
    // Time passes while playing; at the end of the track the sound stops there.
    void advance(qint64 seconds)
    {
        if (!m_playing)
            return;
        m_position = qMin(m_position + seconds * 75, trackFrames(m_track));
        if (m_position == trackFrames(m_track))
            m_playing = false;
    }

    // --- what was asked ---------------------------------------------------------------
    QString loadedDrive;
    QStringList calls;     // "play 2 750", "pause", "resume", "stop", "tray open", ...
    int volume = 0;

    // --- CdDrive ----------------------------------------------------------------------
    bool load(const QString &drive) override
    {
        loadedDrive = drive;
        m_tracks = m_present ? m_disc : QList<Track>{};
        m_track = 0;
        m_playing = false;
        return !m_tracks.isEmpty();
    }
    void unload() override { calls << QStringLiteral("unload"); m_tracks.clear(); m_playing = false; }
    bool mediaPresent() override { return m_present && !m_trayOpen; }
    QList<Track> tracks() const override { return m_tracks; }
    qint64 discFrames() const override
    {
        qint64 sum = 0;
        for (const Track &t : m_tracks)
            sum += t.frames;
        return sum;
    }
    bool play(int track, qint64 fromFrame) override
    {
        calls << QStringLiteral("play %1 %2").arg(track).arg(fromFrame);
        if (!mediaPresent() || trackFrames(track) == 0)
            return false;
        m_track = track;
        m_position = fromFrame;
        m_playing = fromFrame < trackFrames(track);
        return true;
    }
    void pause() override { calls << QStringLiteral("pause"); m_playing = false; }
    void resume() override { calls << QStringLiteral("resume"); m_playing = mediaPresent() && m_track > 0; }
    void stop() override { calls << QStringLiteral("stop"); m_playing = false; m_position = 0; }
    void setVolume(int hundredthsDb) override { volume = hundredthsDb; }
    Mode mode() override
    {
        if (m_tracks.isEmpty() || !mediaPresent())
            return Mode::NotReady;
        return m_playing ? Mode::Playing : Mode::Stopped;
    }
    int currentTrack() const override { return m_track; }
    qint64 position() override { return m_position; }
    bool setTrayOpen(bool open) override
    {
        calls << (open ? QStringLiteral("tray open") : QStringLiteral("tray closed"));
        m_trayOpen = open;
        if (open)
            m_playing = false;
        return true;
    }

private:
    qint64 trackFrames(int track) const
    {
        for (const Track &t : m_tracks)
            if (t.number == track)
                return t.frames;
        return 0;
    }

    QList<Track> m_disc;
    QList<Track> m_tracks;
    bool m_present = true;
    bool m_trayOpen = false;
    bool m_playing = false;
    int m_track = 0;
    qint64 m_position = 0;
};
