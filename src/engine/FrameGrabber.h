#pragma once

// Keeps the newest decoded picture that passes one pad, before any scaling to the window,
// so that a snapshot has the picture's own size whatever the sink does afterwards.

#include "engine/GstRefs.h"

#include <QImage>

#include <mutex>

class FrameGrabber
{
public:
    FrameGrabber() = default;
    FrameGrabber(const FrameGrabber &) = delete;
    FrameGrabber &operator=(const FrameGrabber &) = delete;
    ~FrameGrabber() { detach(); }

    void attach(GstPad *pad);
    void detach();

    // The newest picture as 24-bit RGB at its native size; null when none has passed yet.
    QImage grab() const;

private:
    static GstPadProbeReturn onBuffer(GstPad *pad, GstPadProbeInfo *info, gpointer self);

    mutable std::mutex m_mutex;
    gst::BufferRef m_buffer;
    gst::CapsRef m_caps;
    gst::PadRef m_pad;
    gulong m_probe = 0;
};
