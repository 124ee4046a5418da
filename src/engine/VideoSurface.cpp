#include "engine/VideoSurface.h"

#include <utility>

VideoSurface::VideoSurface(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("VideoSurface"));
    setAttribute(Qt::WA_NativeWindow);
    // A native child must not turn the whole parent chain into native windows.
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    setAttribute(Qt::WA_PaintOnScreen);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    // Clicks and keys belong to the video window, not to the picture.
    setFocusPolicy(Qt::NoFocus);
}

VideoSurface::~VideoSurface()
{
    m_onExpose = nullptr;
    if (auto handler = std::exchange(m_onDestroy, nullptr))
        handler();
}

void VideoSurface::paintEvent(QPaintEvent *)
{
    if (m_onExpose)
        m_onExpose();
}

void VideoSurface::resizeEvent(QResizeEvent *)
{
    if (m_onExpose)
        m_onExpose();
}
