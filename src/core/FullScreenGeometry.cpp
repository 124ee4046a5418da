#include "core/FullScreenGeometry.h"

#include "core/DisplayMode.h"

#include <QtGlobal>

namespace FullScreenGeometry {

namespace {
constexpr int StripHeight = 15;
constexpr int StripBorder = 2; // the bar's frame on each side
} // namespace

QRect windowOver(const QRect &screen, int sideBorder, int captionHeight)
{
    return QRect(screen.left() - sideBorder, screen.top() - captionHeight,
                 screen.width() + 2 * sideBorder, screen.height() + captionHeight + sideBorder);
}

int progressMargin(bool panorama) { return panorama ? 80 : 15; }

QRect progressStrip(const QRect &screen, bool panorama)
{
    return QRect(screen.left(), screen.top() + screen.height() - progressMargin(panorama),
                 screen.width(), StripHeight);
}

bool pointerAtBottom(int pointerY, const QRect &screen, bool panorama)
{
    return pointerY > screen.top() + screen.height() - progressMargin(panorama);
}

qint64 progressSeekMs(int maximum, int stripWidth, int x)
{
    const int inside = stripWidth - 2 * StripBorder;
    if (inside <= 0 || maximum <= 0)
        return 0;
    const qint64 perPixel = maximum / inside;
    return qBound<qint64>(0, perPixel * (x - StripBorder), qint64(maximum));
}

QString enteredText(const DisplayMode &mode)
{
    return QStringLiteral("FULLSCREEN ON (%1x%2x%3 %4Hz)")
        .arg(mode.width)
        .arg(mode.height)
        .arg(mode.bits)
        .arg(mode.hz);
}

} // namespace FullScreenGeometry
