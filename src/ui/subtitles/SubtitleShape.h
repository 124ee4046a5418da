#pragma once

#include <QList>
#include <QPainterPath>
#include <QRegion>
#include <QSize>

class QFont;

// The shape of an outlined subtitle: its letters thickened by the outline width to the
// right and downwards, as one region. Each line's text path is filled once into a
// coverage mask; the thickening is a sliding window over that mask, so the cost does not
// grow with the outline width and no path is built twice.
namespace SubtitleShape {

// The outline of `text` in `font` with the top of its character cell at `topLeft`.
QPainterPath linePath(const QString &text, const QFont &font, QPointF topLeft);

// The union of the paths, each shifted by every (dx, dy) with 0 <= dx, dy <= outline,
// clipped to `size`. Pixels count when their centre lies inside a path.
QRegion outlineRegion(const QList<QPainterPath> &paths, const QSize &size, int outline);

} // namespace SubtitleShape
