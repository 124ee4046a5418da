/* A GStreamer tracer that prints, once per process, the wall-clock time at which the first
 * buffer is pushed into a video sink:
 *     first-frame <nanoseconds since the epoch> cpu <processor time of the process, ns>
 * Loaded through GST_PLUGIN_PATH and enabled with GST_TRACERS=firstframe, it measures any
 * GStreamer program the same way, whatever its own code does. */

#define PACKAGE "brivara-bench"
#include <gst/gst.h>

#include <stdio.h>
#include <string.h>
#include <time.h>

typedef struct
{
    GstTracer parent;
    gint reported;
} FirstFrameTracer;

typedef struct
{
    GstTracerClass parent_class;
} FirstFrameTracerClass;

G_DEFINE_TYPE(FirstFrameTracer, first_frame_tracer, GST_TYPE_TRACER)

static gboolean is_video_sink(GstObject *object)
{
    if (!object || !GST_IS_ELEMENT(object) || !GST_OBJECT_FLAG_IS_SET(object, GST_ELEMENT_FLAG_SINK))
        return FALSE;
    const gchar *klass =
        gst_element_class_get_metadata(GST_ELEMENT_GET_CLASS(object), GST_ELEMENT_METADATA_KLASS);
    return klass && strstr(klass, "Sink") && strstr(klass, "Video");
}

static void on_push(GObject *self, GstClockTime ts, GstPad *pad, gpointer data)
{
    FirstFrameTracer *tracer = (FirstFrameTracer *)self;
    (void)ts;
    (void)data;
    if (g_atomic_int_get(&tracer->reported))
        return;
    GstPad *peer = gst_pad_get_peer(pad);
    if (!peer)
        return;
    GstObject *parent = gst_pad_get_parent(peer);
    if (is_video_sink(parent) && g_atomic_int_compare_and_exchange(&tracer->reported, 0, 1)) {
        struct timespec now, cpu;
        clock_gettime(CLOCK_REALTIME, &now);
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
        fprintf(stderr, "first-frame %lld cpu %lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec,
                (long long)cpu.tv_sec * 1000000000LL + cpu.tv_nsec);
        fflush(stderr);
    }
    if (parent)
        gst_object_unref(parent);
    gst_object_unref(peer);
}

static void first_frame_tracer_class_init(FirstFrameTracerClass *klass)
{
    (void)klass;
}

static void first_frame_tracer_init(FirstFrameTracer *self)
{
    gst_tracing_register_hook(GST_TRACER(self), "pad-push-pre", G_CALLBACK(on_push));
    gst_tracing_register_hook(GST_TRACER(self), "pad-push-list-pre", G_CALLBACK(on_push));
}

static gboolean plugin_init(GstPlugin *plugin)
{
    return gst_tracer_register(plugin, "firstframe", first_frame_tracer_get_type());
}

GST_PLUGIN_DEFINE(GST_VERSION_MAJOR, GST_VERSION_MINOR, firstframe,
                  "Reports when the first picture reaches a video sink", plugin_init, "1.0", "LGPL",
                  "brivara-bench", "local")
