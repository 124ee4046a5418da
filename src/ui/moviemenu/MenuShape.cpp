#include "ui/moviemenu/MenuShape.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

QRegion MenuShape::region(const QList<Line> &lines, const QSize &size, int outline)
{
    if (size.isEmpty())
        return {};
    QPainterPath path;
    for (const Line &line : lines)
        path.addText(line.at.x(), line.at.y() + QFontMetrics(line.font).ascent(), line.font, line.text);
    if (path.isEmpty())
        return {};
    QImage letters(size, QImage::Format_ARGB32_Premultiplied);
    letters.fill(Qt::transparent);
    {
        QPainter p(&letters);
        // Hard edges: a region has no half pixels.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillPath(path, Qt::black);
    }
    QImage shape = letters;
    {
        QPainter p(&shape);
        // The letters are painted one pixel right of and below their shape: the copy at
        // (1, 1) is always there, also for the thinnest outline.
        for (int dx = 1; dx <= qMax(1, outline - 1); ++dx)
            for (int dy = 1; dy <= qMax(1, outline); ++dy)
                p.drawImage(dx, dy, letters);
    }
    return QRegion(QBitmap::fromImage(shape.createAlphaMask()));
}
