#pragma once

// Builds the playbin every opened file gets: our picture controls and balance in its
// filter slots, the chosen extra filters beside them, and the video and audio outputs.

#include "engine/GstRefs.h"

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
    gst::ElementRef videoFilter;  // bin: videoconvert [! extra ! videoconvert] ! videobalance
    gst::ElementRef videoOutput;  // bin: videoconvert ! videoscale ! video sink
    gst::ElementRef videoSink;    // the sink inside videoOutput (itself a bin for auto sinks)
    gst::ElementRef balance;      // videobalance, named "videobalance"
    gst::ElementRef panorama;     // audiopanorama, named "audiopanorama"
    gst::ElementRef textSink;     // fakesink handing over the chosen subtitle track's buffers
    guint flags = 0;              // the flags to load files with
};

// Extra filters and the audio output are element factory names; empty means none (the
// default output). A name that makes no element is left out with a warning.
Parts build(const QString &videoFilter, const QString &audioFilter, const QString &audioOutput);

// Playbins built by this process that are not yet finalised.
int alive();

} // namespace GstPlaybin
