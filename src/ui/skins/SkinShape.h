#pragma once

#include <QImage>
#include <QRegion>

// The shape a skin's background gives the panel: every pixel of the bitmap's bottom-left
// pixel's colour is cut away, everything else belongs to the window.
namespace SkinShape {

QColor transparentColour(const QImage &background);

// Row by row, one rectangle per run of kept pixels; vertically repeated runs are merged
// by the region itself.
QRegion fromRuns(const QImage &background);
// Through Qt's colour mask and a bitmap.
QRegion fromMask(const QImage &background);

// The faster of the two (bench/skin_shape measures both).
inline QRegion of(const QImage &background) { return fromRuns(background); }

} // namespace SkinShape
