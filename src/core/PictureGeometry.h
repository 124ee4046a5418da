#pragma once

#include <QSize>
#include <optional>

// The arithmetic of sizing and placing the picture, free of windows and engines so that
// every rounding can be checked by itself. Rounding is to nearest with halves to even;
// halving is integer division toward zero; percentages are worked in double precision.
namespace PictureGeometry {

// The picture's own size as the opened medium reports it.
struct VideoRect
{
    int width = 0;
    int height = 0;
    bool valid() const { return width > 0 && height > 0; }
};

// The picture as placed: in a window (0, 0, width, height) and the base of the next zoom
// step; in full screen wherever pan-scan put it, possibly with negative offsets.
struct ZoomRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ZoomRect &) const = default;
};

// What the window manager adds around a client area.
struct FrameMetrics
{
    int sideBorder = 0;
    int captionHeight = 0;

    static FrameMetrics measure(QSize outer, QSize client);
    // The picture's height inside a window of the given outer height, less the subtitle strip.
    int pictureHeight(int outerHeight, int strip = 0) const;
};

enum class Aspect { Native, Wide16x9, Tv4x3 };

int roundEven(double value);

// The height the picture is shown at for its width under the chosen aspect.
int effectiveHeight(VideoRect video, Aspect aspect);
// The resize hook: the width that keeps the proportions for a picture height; 0 when the
// picture has no size to keep.
int widthForHeight(int pictureHeight, VideoRect video, Aspect aspect);

// One zoom step in a window, unrounded; none when the step would pass the limit.
struct ZoomStep
{
    double width = 0;
    double height = 0;
};
inline constexpr int MinZoomWidth = 200;
std::optional<ZoomStep> zoomIn(const ZoomRect &current, int stepPercent, int screenWidth);
std::optional<ZoomStep> zoomOut(const ZoomRect &current, int stepPercent);

// The full-screen placement: letterboxed to the target's width, enlarged by percent when
// pan-scan is on (edges cut evenly), lifted for subtitles under the picture. None without
// a picture size or a target.
std::optional<ZoomRect> panScan(QSize target, VideoRect video, bool on, int percent, int subtitleLift);

// The picture height for a forced aspect of the given picture width (0 for Native:
// the native shape depends on the picture, not on the width).
int aspectHeight(int width, Aspect aspect);
// Vertical stretch in full screen: one percent a step; never below MinStretchHeight.
inline constexpr int MinStretchHeight = 100;
int heightUp(int height);
int heightDown(int height);
// The top that centres a height in the target.
int centredTop(int targetHeight, int height);

} // namespace PictureGeometry
