#include "ui/subtitles/SubtitleShape.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <climits>
#include <utility>
#include <vector>

namespace {

using Runs = std::vector<std::pair<int, int>>; // [begin, end) on one row

// Rows that repeat the row above are merged into one band, as QRegion keeps them; its
// rectangles must be sorted by top, then left, share a band's top and height, and never
// touch sideways, which maximal runs guarantee.
class BandBuilder
{
public:
    void row(int y, const Runs &runs)
    {
        if (y > 0 && runs == m_runs)
            return;
        flush(y);
        m_runs = runs;
        m_top = y;
    }
    QRegion finish(int height)
    {
        flush(height);
        QRegion region;
        if (!m_rects.empty())
            region.setRects(m_rects.data(), int(m_rects.size()));
        return region;
    }

private:
    void flush(int bottom)
    {
        for (const auto &[begin, end] : m_runs)
            m_rects.emplace_back(begin, m_top, end - begin, bottom - m_top);
        m_runs.clear();
    }

    Runs m_runs;
    int m_top = 0;
    std::vector<QRect> m_rects;
};

} // namespace

QPainterPath SubtitleShape::linePath(const QString &text, const QFont &font, QPointF topLeft)
{
    QPainterPath path;
    if (!text.isEmpty())
        path.addText(topLeft.x(), topLeft.y() + QFontMetricsF(font).ascent(), font, text);
    return path;
}

QRegion SubtitleShape::outlineRegion(const QList<QPainterPath> &paths, const QSize &size, int outline)
{
    if (size.isEmpty())
        return {};
    outline = qMax(0, outline);
    const int width = size.width();
    const int height = size.height();

    // The raster engine fills 32-bit pixels fastest (several times faster than 8-bit alpha).
    QImage letters(size, QImage::Format_ARGB32_Premultiplied);
    letters.fill(0);
    {
        QPainter p(&letters);
        // A region has no half pixels: hard edges.
        p.setRenderHint(QPainter::Antialiasing, false);
        for (const QPainterPath &path : paths)
            if (!path.isEmpty())
                p.fillPath(path, Qt::black);
    }

    // Thickening to the right: a pixel is set when one of the `outline` pixels to its left
    // (or itself) is.
    std::vector<uchar> wide(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(letters.constScanLine(y));
        uchar *out = wide.data() + size_t(y) * size_t(width);
        int last = INT_MIN / 2;
        for (int x = 0; x < width; ++x) {
            if (in[x])
                last = x;
            out[x] = x - last <= outline;
        }
    }

    // Thickening downwards, row by row, straight into runs and bands.
    std::vector<int> lastSet(size_t(width), INT_MIN / 2);
    BandBuilder bands;
    Runs runs;
    for (int y = 0; y < height; ++y) {
        const uchar *row = wide.data() + size_t(y) * size_t(width);
        runs.clear();
        int begin = -1;
        for (int x = 0; x < width; ++x) {
            if (row[x])
                lastSet[size_t(x)] = y;
            const bool on = y - lastSet[size_t(x)] <= outline;
            if (on && begin < 0) {
                begin = x;
            } else if (!on && begin >= 0) {
                runs.emplace_back(begin, x);
                begin = -1;
            }
        }
        if (begin >= 0)
            runs.emplace_back(begin, width);
        bands.row(y, runs);
    }
    return bands.finish(height);
}
