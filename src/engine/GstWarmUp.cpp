#include "engine/GstWarmUp.h"

#include "engine/GstSupport.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <gst/base/gsttypefindhelper.h>

namespace {

// What playbin builds for every film, our filter and output chains, and the usual
// decoders (one feature of a plugin loads the whole plugin).
const char *const Common[] = {"playbin", "uridecodebin", "decodebin", "filesrc", "typefind", "queue",
                              "multiqueue", "videobalance", "videoconvert", "videoscale", "audioconvert",
                              "audioresample", "audiopanorama", "volume", "avdec_mpeg4", "mpg123audiodec"};

bool load(const char *name, QStringList &loaded)
{
    GstPluginFeature *feature = gst_registry_lookup_feature(gst_registry_get(), name);
    if (!feature)
        return false;
    GstPluginFeature *ready = gst_plugin_feature_load(feature);
    gst_object_unref(feature);
    if (!ready)
        return false;
    loaded << QString::fromUtf8(name);
    gst_object_unref(ready);
    return true;
}

// The highest-ranked demuxer or parser that takes the type the file's first bytes show.
void loadDemuxerFor(const QString &path, QStringList &loaded)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray head = file.read(64 * 1024);
    if (head.isEmpty())
        return;
    GstTypeFindProbability probability = GST_TYPE_FIND_NONE;
    GstCaps *caps = gst_type_find_helper_for_data(nullptr, reinterpret_cast<const guint8 *>(head.constData()),
                                                  gsize(head.size()), &probability);
    if (!caps)
        return;
    GList *all = gst_element_factory_list_get_elements(
        GST_ELEMENT_FACTORY_TYPE_DEMUXER | GST_ELEMENT_FACTORY_TYPE_PARSER, GST_RANK_MARGINAL);
    GList *fit = gst_element_factory_list_filter(all, caps, GST_PAD_SINK, FALSE);
    fit = g_list_sort(fit, gst_plugin_feature_rank_compare_func);
    if (fit)
        load(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(fit->data)), loaded);
    gst_plugin_feature_list_free(fit);
    gst_plugin_feature_list_free(all);
    gst_caps_unref(caps);
}

} // namespace

GstWarmUp::GstWarmUp(const QString &path) : m_thread([path] { run(path); }) {}

GstWarmUp::~GstWarmUp()
{
    if (m_thread.joinable())
        m_thread.join();
}

QStringList GstWarmUp::run(const QString &path)
{
    QStringList loaded;
    if (!GstSupport::ensureInitialized())
        return loaded;
    for (const char *name : Common)
        load(name, loaded);
    const QByteArray sink = qgetenv("BRIVARA_VIDEOSINK");
    load(sink.isEmpty() ? "ximagesink" : sink.constData(), loaded);
    // Finding out whether there is a sound card probes the devices: slow, and asked once.
    load(GstSupport::audioSinkFactory().toUtf8().constData(), loaded);
    if (!path.isEmpty())
        loadDemuxerFor(path, loaded);
    return loaded;
}
