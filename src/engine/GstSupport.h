#pragma once

// Process-wide GStreamer setup and the choice of output elements. Kept apart from the
// engine so that the choice can be read (and tested) without building a pipeline.

#include "engine/GstRefs.h"

#include <QString>

#include <vector>

namespace GstSupport {

// Initialises GStreamer once per process; false when it cannot be used at all.
bool ensureInitialized();

// Factory name of the video output: $BRIVARA_VIDEOSINK, else the X11 image sink on an X11
// display, a sink that draws nothing on display-less Qt platforms, else automatic choice.
QString videoSinkFactory();

// Factory name of the audio output: $BRIVARA_AUDIOSINK, else automatic choice when the
// machine has an audio output device, else a silent sink that still keeps real time.
QString audioSinkFactory();

// The audio output every pipeline plays into (films and discs alike): the chosen factory,
// else the one audioSinkFactory() names. A silent sink is made to keep real time.
gst::ElementRef makeAudioOutput(const QString &chosen = {});

// A silent sink made to keep real time (as a sound card does); any other sink as it is.
gst::ElementRef keepRealTime(gst::ElementRef sink);

// True when the device monitor lists at least one audio output (asked once per process).
bool hasAudioOutputDevice();

// Makes an element by factory name; a null handle when the factory is unknown.
gst::ElementRef makeElement(const QString &factory, const char *name = nullptr);

// Reads an unsigned counter out of a sink's "stats" structure; -1 when there is none.
qint64 sinkStatistic(GstElement *sink, const char *field);

// Every element inside a bin, at any depth (the bin itself not included).
std::vector<gst::ElementRef> elementsOf(GstElement *bin);

// The element that really draws the picture: the element itself or, for a bin, the first
// child that implements the video overlay interface (else the first sink in it).
gst::ElementRef renderingSink(GstElement *sink);

} // namespace GstSupport
