#pragma once

#include <QList>
#include <QString>

// One audio disc drive as the disc device drives it: the disc's table of contents and its
// sound. Positions are frames (1/75 s) inside a track. The real drive reads a device or a
// disc image (engine); window tests use a fake.
class CdDrive
{
public:
    enum class Mode { NotReady, Stopped, Playing };

    struct Track
    {
        int number = 0;
        qint64 frames = 0;
        QString title;      // from the disc's CD-Text; empty when it carries none
    };

    // What reached the audio output since the last play or seek (for checks from outside).
    struct Sound
    {
        qint64 buffers = 0;
        double pitchHz = 0;   // from the left channel's rising zero crossings
        double level = 0;     // RMS of the left channel, 0..1
    };

    virtual ~CdDrive() = default;

    // Reads the disc in `drive` (a device path or a .cue file); false when there is none.
    virtual bool load(const QString &drive) = 0;
    // Stops and lets the drive go.
    virtual void unload() = 0;
    // Asked again every time: a disc may be taken out (an image moved away) at any moment.
    virtual bool mediaPresent() = 0;
    virtual QList<Track> tracks() const = 0;
    virtual qint64 discFrames() const = 0;

    // Sound: one track at a time, from a frame inside it.
    virtual bool play(int track, qint64 fromFrame) = 0;
    virtual void pause() = 0;
    // Goes on where it was paused or stopped.
    virtual void resume() = 0;
    // Ends the sound; the position goes back to the track's start.
    virtual void stop() = 0;
    virtual Mode mode() = 0;
    virtual int currentTrack() const = 0;        // 0 before anything was played
    virtual qint64 position() = 0;               // frames into the current track

    // Opens or closes the tray where the drive has a motorised one; false when it has none
    // (an image's tray is only pretended).
    virtual bool setTrayOpen(bool open) = 0;

    // Hundredths of a decibel, -10000 (silence) to 0, as films are turned.
    virtual void setVolume(int hundredthsDb) = 0;

    virtual Sound sound() const { return {}; }
};
