#pragma once

// Builds the playbin every opened file gets: our picture controls and balance in its
// filter slots, the chosen extra filters beside them, and the video and audio outputs.

#include "engine/GstRefs.h"
#include "engine/MediaEngine.h"

#include <QString>

namespace GstPlaybin {

// playbin's GstPlayFlags; the enum itself is in no installed header.
enum Flag : guint {
    FlagVideo = 0x1,
    FlagAudio = 0x2,
    FlagText = 0x4,
    FlagNativeVideo = 0x40,
    FlagSoftColorbalance = 0x400,
};

struct Parts
{
    gst::ElementRef pipeline;     // the playbin; null when it could not be built
    gst::ElementRef videoFilter;  // bin: videoconvert ! videobalance [! videoconvert ! extra ! videoconvert]
    gst::ElementRef videoOutput;  // bin: videoconvert ! videoscale ! video sink
    gst::ElementRef videoSink;    // the sink inside videoOutput (itself a bin for auto sinks)
    gst::ElementRef balance;      // videobalance, named "videobalance"
    gst::ElementRef panorama;     // audiopanorama, named "audiopanorama"
    gst::ElementRef extraVideo;   // the chosen elements in this pipeline; null when not there
    gst::ElementRef extraAudio;
    gst::ElementRef audioOutput;
    QStringList dropped;          // chosen elements that could not be linked in (their keys)
    gst::ElementRef textSink;     // fakesink handing over the chosen subtitle track's buffers
    guint flags = 0;              // the flags to load files with
};

// Extra filters and the audio output as the engine's presets; empty means none (the default
// output). One that makes no element, or cannot be linked, is left out with a warning; an
// output that makes no element gives the default one.
Parts build(const MediaEngine::Preset &videoFilter, const MediaEngine::Preset &audioFilter,
            const QString &audioOutput);

// Playbins built by this process that are not yet finalised.
int alive();

} // namespace GstPlaybin
