#include "engine/GstPlaybin.h"

#include "engine/GstElementCatalog.h"
#include "engine/GstSupport.h"

#include <atomic>
#include <vector>

namespace GstPlaybin {

namespace {

std::atomic<int> s_alive{0};

void onFinalized(gpointer, GObject *)
{
    --s_alive;
}

bool hasProperty(GstElement *element, const char *name)
{
    return element && g_object_class_find_property(G_OBJECT_GET_CLASS(element), name);
}

// Puts the elements into a new bin, linked in order, with ghost pads at the open ends.
gst::ElementRef makeChain(const char *name, const std::vector<gst::ElementRef> &elements)
{
    for (const gst::ElementRef &e : elements)
        if (!e)
            return {};
    auto bin = gst::sink(gst_bin_new(name));
    GstElement *previous = nullptr;
    for (const gst::ElementRef &e : elements) {
        gst_bin_add(GST_BIN(bin.get()), e.get());
        if (previous && !gst_element_link(previous, e.get())) {
            qWarning("Cannot link %s to %s", GST_ELEMENT_NAME(previous), GST_ELEMENT_NAME(e.get()));
            return {};
        }
        previous = e.get();
    }
    auto sinkPad = gst::PadRef::adopt(gst_element_get_static_pad(elements.front().get(), "sink"));
    auto srcPad = gst::PadRef::adopt(gst_element_get_static_pad(elements.back().get(), "src"));
    if (sinkPad)
        gst_element_add_pad(bin.get(), gst_ghost_pad_new("sink", sinkPad.get()));
    if (srcPad)
        gst_element_add_pad(bin.get(), gst_ghost_pad_new("src", srcPad.get()));
    return bin;
}

// converter ! ours [! converter ! extra ! converter]: the extra element gets converters on
// both sides, so it accepts whatever comes and hands on what the output takes. When it cannot
// be linked the chain is made again without it.
gst::ElementRef filterChain(const char *name, const char *converter, const char *oursFactory,
                            const MediaEngine::Preset &extra, gst::ElementRef *ours, gst::ElementRef *extraOut,
                            QStringList *dropped)
{
    const QByteArray convertName = QByteArray(oursFactory) + "-convert";
    for (const bool withExtra : {true, false}) {
        if (withExtra && extra.element.isEmpty())
            continue;
        gst::ElementRef own = gst::make(oursFactory, oursFactory);
        std::vector<gst::ElementRef> elements{gst::make(converter, convertName.constData()), own};
        gst::ElementRef made;
        if (withExtra) {
            made = GstElementCatalog::make(extra);
            if (!made) {
                qWarning("Filter %s is not available", qPrintable(extra.element));
                continue;
            }
            elements.push_back(gst::make(converter));
            elements.push_back(made);
            elements.push_back(gst::make(converter));
        }
        if (auto bin = makeChain(name, elements)) {
            *ours = own;
            *extraOut = made;
            return bin;
        }
        if (withExtra)
            dropped->append(extra.element);
    }
    return {};
}

gst::ElementRef makeVideoSink()
{
    gst::ElementRef sink = GstSupport::makeElement(GstSupport::videoSinkFactory(), "videosink");
    if (!sink)
        sink = gst::make("autovideosink", "videosink");
    // The window's rectangle decides the proportions, as the player computes them; the sink
    // fills it. Events over the picture belong to the video window, and repainting on
    // expose is done by the engine.
    if (hasProperty(sink.get(), "force-aspect-ratio"))
        g_object_set(sink.get(), "force-aspect-ratio", FALSE, nullptr);
    if (hasProperty(sink.get(), "handle-expose"))
        g_object_set(sink.get(), "handle-expose", FALSE, nullptr);
    if (hasProperty(sink.get(), "handle-events"))
        g_object_set(sink.get(), "handle-events", FALSE, nullptr);
    return sink;
}

} // namespace

Parts build(const MediaEngine::Preset &videoFilter, const MediaEngine::Preset &audioFilter,
            const QString &audioOutput)
{
    Parts parts;
    if (!GstSupport::ensureInitialized())
        return parts;
    auto pipeline = gst::make("playbin");
    if (!pipeline)
        return parts;
    ++s_alive;
    g_object_weak_ref(G_OBJECT(pipeline.get()), onFinalized, nullptr);

    // Picture controls for every film. Converting first lets them accept whatever the
    // decoder delivers; a converter passes buffers through when no change is needed.
    parts.videoFilter = filterChain("video-filters", "videoconvert", "videobalance", videoFilter, &parts.balance,
                                    &parts.extraVideo, &parts.dropped);
    auto audioFilters = filterChain("audio-filters", "audioconvert", "audiopanorama", audioFilter, &parts.panorama,
                                    &parts.extraAudio, &parts.dropped);
    if (parts.panorama) // plain attenuation of one side, as a balance control does
        gst_util_set_object_arg(G_OBJECT(parts.panorama.get()), "method", "simple");

    // The X11 sink draws pictures only at the size it is given: scale to the window before it.
    parts.videoSink = makeVideoSink();
    auto scale = gst::make("videoscale", "videosink-scale");
    if (scale)
        g_object_set(scale.get(), "add-borders", FALSE, nullptr);
    parts.videoOutput =
        makeChain("video-output", {gst::make("videoconvert", "videosink-convert"), scale, parts.videoSink});

    if (!audioOutput.isEmpty()) {
        parts.audioOutput = GstElementCatalog::make(MediaEngine::Preset(audioOutput), "audiosink");
        if (!parts.audioOutput)
            qWarning("Audio output %s is not there; the default output plays", qPrintable(audioOutput));
    }
    auto audioSink = parts.audioOutput ? GstSupport::keepRealTime(parts.audioOutput) : GstSupport::makeAudioOutput();
    // Subtitle tracks of the film come to the player as text: with a text sink of our own,
    // playbin links no overlay, so the picture stays untouched and the player's subtitle
    // window draws them. Not synchronised: a cue arrives as soon as it is demuxed, before
    // its time, and waits in the subtitle list; nor does it take part in prerolling.
    parts.textSink = gst::make("fakesink", "textsink");
    if (parts.textSink)
        g_object_set(parts.textSink.get(), "sync", FALSE, "async", FALSE, "signal-handoffs", TRUE, nullptr);
    if (!parts.videoFilter || !audioFilters || !parts.videoOutput || !audioSink || !parts.textSink) {
        qWarning("The media pipeline could not be built: a GStreamer element is missing");
        return {};
    }
    g_object_set(pipeline.get(), "video-filter", parts.videoFilter.get(), "audio-filter", audioFilters.get(),
                 "video-sink", parts.videoOutput.get(), "audio-sink", audioSink.get(), "text-sink",
                 parts.textSink.get(), nullptr);

    // Our videobalance replaces playbin's own; text streams go to our text sink (never into
    // the picture); conversion and scaling for the sink are in our output bin.
    g_object_get(pipeline.get(), "flags", &parts.flags, nullptr);
    parts.flags = (parts.flags & ~FlagSoftColorbalance) | FlagText | FlagNativeVideo;
    g_object_set(pipeline.get(), "flags", parts.flags, nullptr);

    parts.pipeline = std::move(pipeline);
    return parts;
}

int alive()
{
    return s_alive.load();
}

} // namespace GstPlaybin
