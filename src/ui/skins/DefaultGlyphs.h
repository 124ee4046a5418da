#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The pictures of the designed panel, drawn at start instead of shipped as bitmaps.
// Glyph backgrounds use the bottom-left pixel's colour, which the button treats as
// transparent.
namespace DefaultGlyphs {

// The glyph of a panel or playlist button by its object name; null when it has none.
QImage forControl(const QString &name);

// The same glyph as a disabled button shows it: the ink turned light grey.
QImage disabled(const QImage &glyph);

// The panel's background picture.
QImage panelBackground(const QSize &size);

} // namespace DefaultGlyphs
