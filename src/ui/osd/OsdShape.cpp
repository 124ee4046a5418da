#include "ui/osd/OsdShape.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>

QRegion OsdShape::region(const QPainterPath &text, const QSize &size, int outline)
{
    if (size.isEmpty() || text.isEmpty())
        return {};
    QImage letters(size, QImage::Format_ARGB32_Premultiplied);
    letters.fill(Qt::transparent);
    {
        QPainter p(&letters);
        // Hard edges: a region has no half pixels.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillPath(text.translated(1, 0), Qt::black);
    }
    QImage shape = letters;
    if (outline >= 1) {
        QPainter p(&shape);
        for (int dx = 1; dx <= outline; ++dx)
            for (int dy = 1; dy <= outline; ++dy)
                p.drawImage(dx, dy, letters);
    }
    return QRegion(QBitmap::fromImage(shape.createAlphaMask()));
}
