#include "core/OsdLayout.h"

namespace OsdLayout {

int fittedFontSize(int size, const std::function<int(int)> &textWidthAt, int clientWidth,
                   bool fullScreen, int displayWidth)
{
    auto tooWide = [&](int s) {
        const int needed = textWidthAt(s) + Spare;
        return clientWidth < needed || (fullScreen && needed > displayWidth);
    };
    while (size > 1 && tooWide(size))
        --size;
    return qMax(1, size);
}

int left(const QRect &videoFrame, int textWidth, bool atLeft)
{
    return atLeft ? videoFrame.left() + 5 : videoFrame.left() + videoFrame.width() - textWidth - 10;
}

int top(const QRect &videoFrame, int videoClientHeight, bool panorama, bool fullScreen)
{
    const int caption = videoFrame.height() - videoClientHeight - 4;
    return videoFrame.top() + caption + (panorama && fullScreen ? 80 : 0);
}

} // namespace OsdLayout
