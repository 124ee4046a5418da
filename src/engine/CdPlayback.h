#pragma once

// The sound of one disc track: cdiocddasrc (made by name: it reads devices and disc
// images alike, where playbin's cdda:// source reads only devices) into the audio output
// films use. The pipeline lives from one play() to the next stop(); its bus is read when
// the state is asked for, so end of track and errors need no thread of their own.

#include "core/CdDrive.h"
#include "engine/GstRefs.h"

#include <QString>

#include <atomic>
#include <memory>
#include <mutex>

class CdPlayback
{
public:
    using Sound = CdDrive::Sound;

    CdPlayback();
    ~CdPlayback();

    // Plays `track` of `device` from `fromNs` into the track; false when it cannot start.
    bool play(const QString &device, int track, qint64 fromNs);
    void pause();
    void resume();
    void stop();
    // Linear gain, 0..1; kept for the pipelines to come.
    void setVolume(double gain);

    bool active() const { return bool(m_pipeline); }
    bool playing();
    // Set once the track has played to its end.
    bool ended();
    qint64 positionNs();

    Sound sound() const;

private:
    struct Meter;
    void readBus();
    bool seek(qint64 ns);

    gst::ElementRef m_pipeline;
    QString m_device;
    int m_track = 0;
    bool m_ended = false;
    bool m_wantPlaying = false;
    qint64 m_lastNs = 0;
    double m_gain = 1.0;
    std::shared_ptr<Meter> m_meter;
};
