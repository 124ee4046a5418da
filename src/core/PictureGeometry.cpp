#include "core/PictureGeometry.h"

#include <algorithm>
#include <cmath>

namespace PictureGeometry {

int roundEven(double value)
{
    // nearbyint follows the current rounding mode; the program never changes it from
    // to-nearest, which breaks ties toward the even neighbour.
    return int(std::nearbyint(value));
}

FrameMetrics FrameMetrics::measure(QSize outer, QSize client)
{
    FrameMetrics m;
    m.sideBorder = (outer.width() - client.width()) / 2;
    m.captionHeight = outer.height() - client.height() - m.sideBorder;
    return m;
}

int FrameMetrics::pictureHeight(int outerHeight, int strip) const
{
    return outerHeight - captionHeight - sideBorder - strip;
}

int effectiveHeight(VideoRect video, Aspect aspect)
{
    return aspect == Aspect::Native ? video.height : aspectHeight(video.width, aspect);
}

int widthForHeight(int pictureHeight, VideoRect video, Aspect aspect)
{
    const int e = effectiveHeight(video, aspect);
    if (!video.valid() || e <= 0)
        return 0;
    return roundEven(double(pictureHeight) * video.width / e);
}

std::optional<ZoomStep> zoomIn(const ZoomRect &current, int stepPercent, int screenWidth)
{
    const double w = current.width + current.width * double(stepPercent) / 100.0;
    if (w >= screenWidth)
        return std::nullopt;
    return ZoomStep{w, current.height + current.height * double(stepPercent) / 100.0};
}

std::optional<ZoomStep> zoomOut(const ZoomRect &current, int stepPercent)
{
    const double w = current.width - current.width * double(stepPercent) / 100.0;
    if (w < MinZoomWidth)
        return std::nullopt;
    return ZoomStep{w, current.height - current.height * double(stepPercent) / 100.0};
}

std::optional<ZoomRect> panScan(QSize target, VideoRect video, bool on, int percent, int subtitleLift)
{
    if (!video.valid() || target.width() <= 0 || target.height() <= 0)
        return std::nullopt;
    const int W = target.width();
    ZoomRect r;
    r.height = roundEven(double(W) / video.width * video.height);
    r.top = (target.height() - r.height) / 2;
    r.width = W;
    if (on) {
        const double p = percent / 100.0;
        r.top = roundEven(r.top - r.height * p / 2);
        // Keyboard steps can drive the percentage to -100 or below; a picture of no size
        // would vanish for good, so it keeps at least one pixel each way.
        r.height = std::max(1, roundEven(r.height + r.height * p));
        r.width = std::max(1, roundEven(W + W * p));
        r.left = -((r.width - W) / 2);
    }
    r.top -= subtitleLift;
    return r;
}

int aspectHeight(int width, Aspect aspect)
{
    switch (aspect) {
    case Aspect::Wide16x9:
        return roundEven(width * 9.0 / 16.0);
    case Aspect::Tv4x3:
        return roundEven(width * 3.0 / 4.0);
    case Aspect::Native:
        break;
    }
    return 0;
}

int heightUp(int height)
{
    return roundEven(height * 1.01);
}

int heightDown(int height)
{
    return std::max(MinStretchHeight, roundEven(height * 0.99));
}

int centredTop(int targetHeight, int height)
{
    return (targetHeight - height) / 2;
}

} // namespace PictureGeometry
