#pragma once

#include <QRect>
#include <QString>
#include <QtGlobal>

struct DisplayMode;

// The arithmetic of full screen that needs no window: where the window and the progress
// strip go, what the strip's pointer position seeks to, what the OSD says on entry.
namespace FullScreenGeometry {

// The window's outer rectangle that puts its client area exactly over `screen`, the frame
// lying outside it.
QRect windowOver(const QRect &screen, int sideBorder, int captionHeight);

// The strip shows while the pointer is this close to the bottom edge; a panoramic set
// (picture stretched by the set) hides the lowest lines, so the strip sits higher.
int progressMargin(bool panorama);
// The strip's rectangle at the bottom of `screen`, 15 pixels high.
QRect progressStrip(const QRect &screen, bool panorama);
// Whether a pointer at this screen height shows the strip.
bool pointerAtBottom(int pointerY, const QRect &screen, bool panorama);

// The media time in ms that a press at x on the strip seeks to. The step per pixel is
// worked first in whole milliseconds, as the strip always did; a strip too narrow to have
// an inside, or a press on its border, stays within 0..maximum.
qint64 progressSeekMs(int maximum, int stripWidth, int x);

// "FULLSCREEN ON (1024x768x32 60Hz)".
QString enteredText(const DisplayMode &mode);

} // namespace FullScreenGeometry
