#pragma once

#include <QRect>
#include <functional>

// Where the on-screen display goes and how large its letters may be.
namespace OsdLayout {

// The letters end this far inside the window's right edge.
constexpr int Spare = 5;
// Room above and below the letters.
constexpr int ExtraHeight = 20;

// Shrinks the font one step at a time while the text (plus the spare pixels) is wider
// than the video window's client area or, in full screen, than the display. Never
// goes below 1: a text that fits nowhere is shown at the smallest size.
int fittedFontSize(int size, const std::function<int(int size)> &textWidthAt, int clientWidth,
                   bool fullScreen, int displayWidth);

// Left edge: 5 pixels inside the video window's left or right edge, `textWidth` being
// the width the text was measured at.
int left(const QRect &videoFrame, int textWidth, bool atLeft);

// Top edge: just under the video window's caption; 80 pixels lower on a wide-screen
// display in full screen, where the picture starts further down.
int top(const QRect &videoFrame, int videoClientHeight, bool panorama, bool fullScreen);

} // namespace OsdLayout
