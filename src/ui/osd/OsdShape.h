#pragma once

#include <QPainterPath>
#include <QRegion>
#include <QSize>

// The outlined-letter shape of the on-screen display: the text outline at (1, 0), united
// with copies shifted by (dx, dy) for dx, dy = 1..outline, so the letters thicken to the
// right and downwards. One path is filled once; the copies are blits of that picture.
namespace OsdShape {

// `text` is the outline of the letters with its top-left at (0, 0); the result is clipped
// to `size`.
QRegion region(const QPainterPath &text, const QSize &size, int outline);

} // namespace OsdShape
