#include "core/PanelGeometry.h"

namespace PanelGeometry {

namespace {
// Corner-exclusive rectangles (left, top, right, bottom) as the panel's shape was drawn.
QRect fromEdges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// Pascal-style div: truncation toward zero, also for negative sizes.
int half(int v) { return v / 2; }
} // namespace

QList<QRect> unskinnedCutouts()
{
    return {fromEdges(42, 67, 456, 75), fromEdges(0, 67, 3, 75), fromEdges(490, 67, 500, 75)};
}

QList<QRect> unskinnedRegion(const QSize &client)
{
    QList<QRect> pieces{QRect(QPoint(0, 0), client)};
    for (const QRect &cut : unskinnedCutouts()) {
        QList<QRect> next;
        for (const QRect &r : pieces) {
            const QRect hit = r.intersected(cut);
            if (hit.isEmpty()) {
                next << r;
                continue;
            }
            // Split r around the hole into up to four bands.
            if (hit.top() > r.top())
                next << QRect(r.left(), r.top(), r.width(), hit.top() - r.top());
            if (hit.bottom() < r.bottom())
                next << QRect(r.left(), hit.bottom() + 1, r.width(), r.bottom() - hit.bottom());
            if (hit.left() > r.left())
                next << QRect(r.left(), hit.top(), hit.left() - r.left(), hit.height());
            if (hit.right() < r.right())
                next << QRect(hit.right() + 1, hit.top(), r.right() - hit.right(), hit.height());
        }
        pieces = next;
    }
    return pieces;
}

QPoint videoAbovePanel(const QRect &panelFrame, const QSize &videoFrame)
{
    return {panelFrame.left() + half(panelFrame.width()) - half(videoFrame.width()),
            panelFrame.top() - videoFrame.height()};
}

QPoint panelBelowVideo(const QRect &videoFrame, const QSize &panelFrame)
{
    return {videoFrame.left() + half(videoFrame.width()) - half(panelFrame.width()),
            videoFrame.top() + videoFrame.height()};
}

QPoint dragged(const QPoint &windowPos, const QPoint &pressPos, const QPoint &currentPos)
{
    return windowPos + (currentPos - pressPos);
}

} // namespace PanelGeometry
