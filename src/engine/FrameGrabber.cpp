#include "engine/FrameGrabber.h"

#include <gst/video/video.h>

void FrameGrabber::attach(GstPad *pad)
{
    detach();
    if (!pad)
        return;
    m_pad = gst::PadRef::share(pad);
    m_probe = gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, &FrameGrabber::onBuffer, this, nullptr);
}

void FrameGrabber::detach()
{
    if (m_pad && m_probe)
        gst_pad_remove_probe(m_pad.get(), m_probe);
    m_probe = 0;
    m_pad.reset();
    std::lock_guard lock(m_mutex);
    m_buffer.reset();
    m_caps.reset();
}

GstPadProbeReturn FrameGrabber::onBuffer(GstPad *pad, GstPadProbeInfo *info, gpointer self)
{
    auto *grabber = static_cast<FrameGrabber *>(self);
    auto buffer = gst::BufferRef::share(GST_PAD_PROBE_INFO_BUFFER(info));
    auto caps = gst::CapsRef::adopt(gst_pad_get_current_caps(pad));
    std::lock_guard lock(grabber->m_mutex);
    grabber->m_buffer = std::move(buffer);
    grabber->m_caps = std::move(caps);
    return GST_PAD_PROBE_OK;
}

QImage FrameGrabber::grab() const
{
    gst::BufferRef buffer;
    gst::CapsRef caps;
    {
        std::lock_guard lock(m_mutex);
        buffer = m_buffer;
        caps = m_caps;
    }
    GstVideoInfo in;
    if (!buffer || !caps || !gst_video_info_from_caps(&in, caps.get()))
        return {};
    const int width = GST_VIDEO_INFO_WIDTH(&in);
    const int height = GST_VIDEO_INFO_HEIGHT(&in);
    if (width <= 0 || height <= 0)
        return {};

    QImage image(width, height, QImage::Format_RGB888);
    if (image.isNull())
        return {};

    GstVideoInfo out;
    gst_video_info_set_format(&out, GST_VIDEO_FORMAT_RGB, guint(width), guint(height));
    // Same frame rate and pixel shape: only the colour format changes, never the size.
    GST_VIDEO_INFO_FPS_N(&out) = GST_VIDEO_INFO_FPS_N(&in);
    GST_VIDEO_INFO_FPS_D(&out) = GST_VIDEO_INFO_FPS_D(&in);
    GST_VIDEO_INFO_PAR_N(&out) = GST_VIDEO_INFO_PAR_N(&in);
    GST_VIDEO_INFO_PAR_D(&out) = GST_VIDEO_INFO_PAR_D(&in);
    // Write straight into the image: tell the converter the image's own row length.
    out.stride[0] = int(image.bytesPerLine());
    out.size = gsize(image.sizeInBytes());

    GstVideoFrame source;
    if (!gst_video_frame_map(&source, &in, buffer.get(), GST_MAP_READ))
        return {};
    auto target = gst::BufferRef::adopt(
        gst_buffer_new_wrapped_full(GstMemoryFlags(0), image.bits(), out.size, 0, out.size, nullptr, nullptr));
    GstVideoFrame dest;
    const bool mapped = gst_video_frame_map(&dest, &out, target.get(), GST_MAP_WRITE);
    if (mapped) {
        GstVideoConverter *converter = gst_video_converter_new(&in, &out, nullptr);
        if (converter) {
            gst_video_converter_frame(converter, &source, &dest);
            gst_video_converter_free(converter);
        }
        gst_video_frame_unmap(&dest);
        if (!converter)
            image = QImage();
    } else {
        image = QImage();
    }
    gst_video_frame_unmap(&source);
    return image;
}
