#include "ui/skins/SkinShape.h"

#include <QBitmap>
#include <QList>
#include <QRect>

namespace SkinShape {

QColor transparentColour(const QImage &background)
{
    if (background.isNull())
        return {};
    return background.pixelColor(0, background.height() - 1);
}

QRegion fromRuns(const QImage &background)
{
    if (background.isNull())
        return {};
    const QImage image = background.format() == QImage::Format_RGB32 || background.format() == QImage::Format_ARGB32
                             ? background
                             : background.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const quint32 key = reinterpret_cast<const quint32 *>(image.constScanLine(h - 1))[0] & 0xffffff;

    // Bands of identical rows become one rectangle per run; the list then already has the
    // sorted, banded form a region is built from directly.
    QList<QRect> rects;
    rects.reserve(h * 2);
    qsizetype bandStart = 0;
    QList<QPair<int, int>> previous, runs;
    for (int y = 0; y < h; ++y) {
        runs.clear();
        const auto *row = reinterpret_cast<const quint32 *>(image.constScanLine(y));
        int x = 0;
        while (x < w) {
            while (x < w && (row[x] & 0xffffff) == key)
                ++x;
            const int start = x;
            while (x < w && (row[x] & 0xffffff) != key)
                ++x;
            if (x > start)
                runs.append({start, x - start});
        }
        if (y > 0 && runs == previous) {
            for (qsizetype i = bandStart; i < rects.size(); ++i)
                rects[i].setHeight(rects[i].height() + 1);
            continue;
        }
        bandStart = rects.size();
        for (const auto &run : runs)
            rects.append(QRect(run.first, y, run.second, 1));
        previous.swap(runs);
    }
    QRegion region;
    region.setRects(rects.constData(), int(rects.size()));
    return region;
}

QRegion fromMask(const QImage &background)
{
    if (background.isNull())
        return {};
    const QImage mask = background.createMaskFromColor(transparentColour(background).rgb(), Qt::MaskInColor);
    return QRegion(QBitmap::fromImage(mask));
}

} // namespace SkinShape
