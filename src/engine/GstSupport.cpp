#include "engine/GstSupport.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <gst/video/videooverlay.h>

#include <mutex>

namespace GstSupport {

bool ensureInitialized()
{
    static const bool ok = [] {
        gst::ErrorPtr error;
        GError *raw = nullptr;
        const bool initialised = gst_init_check(nullptr, nullptr, &raw);
        error.reset(raw);
        if (!initialised)
            qWarning("GStreamer could not be initialised: %s", error ? error->message : "unknown error");
        return initialised;
    }();
    return ok;
}

QString videoSinkFactory()
{
    const QString forced = qEnvironmentVariable("BRIVARA_VIDEOSINK");
    if (!forced.isEmpty())
        return forced;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
        return QStringLiteral("ximagesink");
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return QStringLiteral("fakevideosink");
    return QStringLiteral("autovideosink");
}

QString audioSinkFactory()
{
    const QString forced = qEnvironmentVariable("BRIVARA_AUDIOSINK");
    if (!forced.isEmpty())
        return forced;
    return hasAudioOutputDevice() ? QStringLiteral("autoaudiosink") : QStringLiteral("fakeaudiosink");
}

gst::ElementRef makeAudioOutput(const QString &chosen)
{
    gst::ElementRef sink = makeElement(chosen, "audiosink");
    if (!sink && !chosen.isEmpty())
        qWarning("Audio output %s is not available", qPrintable(chosen));
    if (!sink)
        sink = makeElement(audioSinkFactory(), "audiosink");
    return keepRealTime(std::move(sink));
}

gst::ElementRef keepRealTime(gst::ElementRef sink)
{
    GstElementFactory *factory = sink ? gst_element_get_factory(sink.get()) : nullptr;
    if (factory && g_str_equal(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory)), "fakeaudiosink"))
        g_object_set(sink.get(), "sync", TRUE, nullptr); // real time without a sound card
    return sink;
}

bool hasAudioOutputDevice()
{
    static const bool found = [] {
        if (!ensureInitialized())
            return false;
        auto monitor = gst::Ref<GstDeviceMonitor>::adopt(gst_device_monitor_new());
        gst_device_monitor_add_filter(monitor.get(), "Audio/Sink", nullptr);
        // Probing without start() lists the devices present now, which is all we need.
        GList *devices = gst_device_monitor_get_devices(monitor.get());
        const bool any = devices != nullptr;
        g_list_free_full(devices, gst_object_unref);
        return any;
    }();
    return found;
}

gst::ElementRef makeElement(const QString &factory, const char *name)
{
    if (factory.isEmpty())
        return {};
    return gst::make(factory.toUtf8().constData(), name);
}

qint64 sinkStatistic(GstElement *sink, const char *field)
{
    if (!sink || !g_object_class_find_property(G_OBJECT_GET_CLASS(sink), "stats"))
        return -1;
    GstStructure *raw = nullptr;
    g_object_get(sink, "stats", &raw, nullptr);
    const gst::StructurePtr stats(raw);
    guint64 value = 0;
    if (!stats || !gst_structure_get_uint64(stats.get(), field, &value))
        return -1;
    return qint64(value);
}

std::vector<gst::ElementRef> elementsOf(GstElement *bin)
{
    std::vector<gst::ElementRef> found;
    if (!bin || !GST_IS_BIN(bin))
        return found;
    gst::IteratorPtr it(gst_bin_iterate_recurse(GST_BIN(bin)));
    GValue item = G_VALUE_INIT;
    for (bool done = false; !done;) {
        switch (gst_iterator_next(it.get(), &item)) {
        case GST_ITERATOR_OK:
            found.push_back(gst::ElementRef::share(GST_ELEMENT(g_value_get_object(&item))));
            g_value_reset(&item);
            break;
        case GST_ITERATOR_RESYNC: // the bin changed under us: start over
            gst_iterator_resync(it.get());
            found.clear();
            break;
        default:
            done = true;
            break;
        }
    }
    g_value_unset(&item);
    return found;
}

gst::ElementRef renderingSink(GstElement *sink)
{
    if (!sink)
        return {};
    if (!GST_IS_BIN(sink) || GST_IS_VIDEO_OVERLAY(sink))
        return gst::ElementRef::share(sink);
    gst::ElementRef firstSink;
    for (const gst::ElementRef &element : elementsOf(sink)) {
        if (GST_IS_VIDEO_OVERLAY(element.get()))
            return element;
        if (!firstSink && GST_OBJECT_FLAG_IS_SET(element.get(), GST_ELEMENT_FLAG_SINK))
            firstSink = element;
    }
    return firstSink;
}

} // namespace GstSupport
