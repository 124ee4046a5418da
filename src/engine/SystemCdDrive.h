#pragma once

#include "core/CdDrive.h"
#include "engine/CdPlayback.h"

// A real drive or a BIN/CUE disc image, read with libcdio and played with CdPlayback.
// An image has no tray: opening and closing it is pretended (an open tray hides the disc),
// and libcdio's eject is never called on it (it fails there and frees its handle twice).
class SystemCdDrive : public CdDrive
{
public:
    SystemCdDrive();
    ~SystemCdDrive() override;

    bool load(const QString &drive) override;
    void unload() override;
    bool mediaPresent() override;
    QList<Track> tracks() const override { return m_tracks; }
    qint64 discFrames() const override { return m_discFrames; }

    bool play(int track, qint64 fromFrame) override;
    void pause() override;
    void resume() override;
    void stop() override;
    Mode mode() override;
    int currentTrack() const override { return m_track; }
    qint64 position() override;
    bool setTrayOpen(bool open) override;

    void setVolume(int hundredthsDb) override;
    Sound sound() const override { return m_playback.sound(); }

private:
    bool readDisc();
    bool discReadable() const;
    qint64 trackFrames(int track) const;

    QString m_drive;
    bool m_image = false;
    QString m_imageData;        // the image's data file, as the .cue names it
    QList<Track> m_tracks;
    qint64 m_discFrames = 0;
    bool m_trayOpen = false;

    CdPlayback m_playback;
    int m_track = 0;
    qint64 m_resumeFrame = 0;   // where resume() starts when nothing is loaded to go on with
};
