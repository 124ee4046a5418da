#pragma once

#include "core/SubtitleMarkup.h"

#include <QRect>
#include <QString>
#include <array>
#include <functional>
#include <optional>

// The arithmetic of one subtitle on screen: its display lines, where they break, how large
// the letters are, and where the window goes. Widths come from a measuring function so the
// rules can be checked without fonts.
namespace SubtitleLayout {

// Width in pixels of a line as it would be drawn.
using Measure = std::function<int(const QString &line)>;
// Width of a line at a given font size in points.
using MeasureAt = std::function<int(const QString &line, int points)>;

// Up to three display lines; `count` says how many are in use (lines past it are empty,
// except that a window kept at three lines may have empty ones inside the count).
struct Lines
{
    std::array<QString, 3> text;
    int count = 1;

    bool operator==(const Lines &) const = default;
};

// Lines are separated by "|"; the third line keeps any further "|", and the part after
// the first "|" is cut to 255 characters.
Lines split(const QString &text);

// Where a too-wide line breaks: the 1-based index of the first character of its second
// part, 0 when it cannot break. Punctuation in the middle of the line is preferred
// ("...", then ",", then "."), else the first space from a third of the way in.
int splitPoint(const QString &line);

// Breaks the wider of lines 1 and 2 while either is wider than `maxWidth`, at most twice,
// never beyond three lines.
void splitWide(Lines &lines, int maxWidth, const Measure &measure);

// Where each display line of `lines` begins in `text`, the text they were split from
// (splitting and breaking only cut it, or drop a "|" between two lines).
std::array<qsizetype, 3> lineStarts(const QString &text, const Lines &lines);

// A line that starts with "\" is italic; the mark itself is not drawn.
bool isItalic(const QString &line);
QString visibleText(const QString &line);

// The automatic letter height in pixels: `fontVol` percent of the display height in full
// screen, else of the picture height.
int automaticHeight(double fontVol, bool fullScreen, int displayHeight, int pictureHeight);
// A height whose size in points (at `dpi`) is below half the chosen size gives way to half
// the chosen size, taken as pixels.
int floorHeight(int heightPx, double dpi, double chosenPoints);

// The widest a subtitle may be: `fWidth` percent of the video window's client width (99 %
// gives all of it).
int maxWidth(int videoClientWidth, double fWidth);

struct Shrunk
{
    int points = 0;  // the final size
    int width = 0;   // the widest line at that size
};
// Lowers the size one point at a time while a line is wider than `maxWidth` (or than
// `displayWidth`, when given, in full screen). Lines are fitted one after the other, each
// starting from the size the one before needed. Never below 1 point.
Shrunk shrinkToFit(const Lines &lines, int points, int maxWidth, std::optional<int> displayWidth,
                   const MeasureAt &measure);

// How far in a line of `lineWidth` starts when the widest is `width`: centred.
inline int lineOffset(int width, int lineWidth) { return (width - lineWidth) / 2; }
// The top of line k (0-based) for the outline and for the letters.
inline int outlineTop(int k, int charHeight) { return k * (charHeight + 2); }
inline int textTop(int k, int charHeight) { return k == 2 ? 2 * charHeight + 6 : k * (charHeight + 2) + 1; }
// Line k's letters sit one pixel right of its outline's left edge.
constexpr int TextIndent = 1;

// The window's height for `count` lines.
inline int windowHeight(int count, int charHeight) { return count * charHeight + 12; }

struct Placement
{
    QRect geometry;    // on the screen
    int boxOffset = 0; // where the text box starts inside the window
};

// Where the window goes. Transparent kinds are as wide as the text plus its outline and
// centred over the video window; the opaque strip spans the video window's client width
// from its left edge + 4, the text box centred in it. `napisBottom` is the height above
// the video window's bottom in percent of the room left; a subtitle marked for the top
// keeps that distance below the top of the picture (`clientTop` is where it starts in the
// video window), one marked for the middle is centred.
Placement place(const QRect &videoFrame, int videoClientWidth, bool opaque, int textWidth,
                int outline, int height, double napisBottom,
                SubtitleMarkup::Place where = SubtitleMarkup::Place::Bottom, int clientTop = 0);

// The top of a window of `height` over the video window, as `place` puts it and as the
// window is kept while the video window moves (`captionHeight` is not room to use).
int windowTop(const QRect &videoFrame, int height, int captionHeight, double napisBottom,
              SubtitleMarkup::Place where, int clientTop);

// Dragging the window to `newTop`: the new distance from the bottom in percent, or nothing
// when that would put the window out of the video window (only 0 <= percent < 100 counts).
std::optional<double> dragPercent(const QRect &videoFrame, int height, int captionHeight, int newTop);

} // namespace SubtitleLayout
