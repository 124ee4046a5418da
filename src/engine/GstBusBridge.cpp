#include "engine/GstBusBridge.h"

#include "engine/GstRefs.h"

#include <gst/pbutils/missing-plugins.h>
#include <gst/video/videooverlay.h>

#include <algorithm>

std::shared_ptr<GstBusBridge> GstBusBridge::install(GstElement *pipeline, QObject *context, Handler handler)
{
    std::shared_ptr<GstBusBridge> bridge(new GstBusBridge);
    bridge->m_context = context;
    bridge->m_handler = std::move(handler);
    auto bus = gst::BusRef::adopt(gst_element_get_bus(pipeline));
    gst_bus_set_sync_handler(
        bus.get(), &GstBusBridge::sync, new std::shared_ptr<GstBusBridge>(bridge),
        [](gpointer data) { delete static_cast<std::shared_ptr<GstBusBridge> *>(data); });
    return bridge;
}

void GstBusBridge::detach(GstElement *pipeline)
{
    m_active = false;
    {
        std::lock_guard lock(m_mutex);
        m_context = nullptr;
    }
    auto bus = gst::BusRef::adopt(gst_element_get_bus(pipeline));
    gst_bus_set_sync_handler(bus.get(), nullptr, nullptr, nullptr);
}

// Every message is dealt with here (or handed on with a reference of its own) and dropped;
// a handler that drops a message owns it and must unref it.
GstBusSyncReply GstBusBridge::sync(GstBus *, GstMessage *message, gpointer data)
{
    (*static_cast<std::shared_ptr<GstBusBridge> *>(data))->onMessage(message);
    gst_message_unref(message);
    return GST_BUS_DROP;
}

void GstBusBridge::onMessage(GstMessage *message)
{
    if (gst_is_video_overlay_prepare_window_handle_message(message)) {
        auto *overlay = GST_VIDEO_OVERLAY(GST_MESSAGE_SRC(message));
        if (const guintptr id = m_window.load())
            gst_video_overlay_set_window_handle(overlay, id);
        // Mouse and keys over the picture belong to the video window.
        gst_video_overlay_handle_events(overlay, FALSE);
        return;
    }
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR:
        if (!m_afterLoad)
            recordLoadError(message);
        forward(message);
        break;
    case GST_MESSAGE_WARNING:
    case GST_MESSAGE_EOS:
        forward(message);
        break;
    case GST_MESSAGE_ELEMENT:
        if (gst_is_missing_plugin_message(message)) {
            const gst::GCharPtr what(gst_missing_plugin_message_get_description(message));
            const gst::GCharPtr detail(gst_missing_plugin_message_get_installer_detail(message));
            qWarning("No decoder: %s", what.get());
            const Missing missing{QString::fromUtf8(what.get()), QString::fromUtf8(detail.get())};
            std::lock_guard lock(m_mutex);
            // The same stream may be reported once per attempt to play it.
            if (std::none_of(m_missing.cbegin(), m_missing.cend(),
                             [&](const Missing &m) { return m.detail == missing.detail; }))
                m_missing << missing;
        }
        break;
    case GST_MESSAGE_STEP_DONE: {
        {
            std::lock_guard lock(m_mutex);
            m_stepDone = true;
        }
        m_stepCondition.notify_all();
        break;
    }
    default:
        break;
    }
}

void GstBusBridge::recordLoadError(GstMessage *message)
{
    GError *raw = nullptr;
    gst_message_parse_error(message, &raw, nullptr);
    const gst::ErrorPtr error(raw);
    const gst::GCharPtr source(GST_MESSAGE_SRC(message) ? gst_object_get_path_string(GST_MESSAGE_SRC(message)) : nullptr);
    std::lock_guard lock(m_mutex);
    m_errors << QString::fromUtf8(error ? error->message : "unknown error");
    m_errorSources << QString::fromUtf8(source.get());
    if (error
        && (error->domain == GST_RESOURCE_ERROR
            || (error->domain == GST_STREAM_ERROR
                && (error->code == GST_STREAM_ERROR_TYPE_NOT_FOUND || error->code == GST_STREAM_ERROR_WRONG_TYPE
                    || error->code == GST_STREAM_ERROR_CODEC_NOT_FOUND))))
        m_retryable = false;
    m_failed = true;
}

void GstBusBridge::forward(GstMessage *message)
{
    std::lock_guard lock(m_mutex);
    if (!m_context)
        return;
    const bool afterLoad = m_afterLoad;
    const auto ref = gst::MessageRef::share(message);
    const std::shared_ptr<GstBusBridge> self = shared_from_this();
    QMetaObject::invokeMethod(
        m_context,
        [self, ref, afterLoad] {
            if (self->m_active && self->m_handler)
                self->m_handler(ref.get(), afterLoad);
        },
        Qt::QueuedConnection);
}

void GstBusBridge::startLoading()
{
    std::lock_guard lock(m_mutex);
    m_errors.clear();
    m_errorSources.clear();
    m_retryable = true;
    m_missing.clear();
    m_failed = false;
    m_afterLoad = false;
}

QStringList GstBusBridge::loadErrors() const
{
    std::lock_guard lock(m_mutex);
    return m_errors;
}

QStringList GstBusBridge::loadErrorSources() const
{
    std::lock_guard lock(m_mutex);
    return m_errorSources;
}

bool GstBusBridge::errorsRetryable() const
{
    std::lock_guard lock(m_mutex);
    return m_retryable;
}

bool GstBusBridge::missingDecoder() const
{
    std::lock_guard lock(m_mutex);
    return !m_missing.isEmpty();
}

QList<GstBusBridge::Missing> GstBusBridge::missingDecoders() const
{
    std::lock_guard lock(m_mutex);
    return m_missing;
}

void GstBusBridge::expectStep()
{
    std::lock_guard lock(m_mutex);
    m_stepDone = false;
}

bool GstBusBridge::waitForStep(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_stepCondition.wait_for(lock, timeout, [this] { return m_stepDone; });
}
