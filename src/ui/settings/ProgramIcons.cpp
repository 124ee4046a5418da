#include "ui/settings/ProgramIcons.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>

namespace ProgramIcons {
namespace {

enum class Shape { Film, Play, Disc };

struct Design
{
    Shape shape;
    QColor colour;
};

// Three shapes in turn, each in its own colour, so neighbouring indexes look different.
const Design kDesigns[Count] = {
    {Shape::Film, QColor(40, 110, 200)},  {Shape::Play, QColor(235, 130, 20)},
    {Shape::Disc, QColor(170, 175, 185)}, {Shape::Film, QColor(40, 160, 70)},
    {Shape::Play, QColor(205, 40, 40)},   {Shape::Disc, QColor(215, 170, 40)},
    {Shape::Play, QColor(120, 60, 180)},
};

// A film frame: a dark strip with sprocket holes down both sides and a coloured picture.
void drawFilm(QPainter &p, qreal s, const QColor &colour)
{
    const QRectF strip(s * 0.12, s * 0.04, s * 0.76, s * 0.92);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(35, 35, 40));
    p.drawRoundedRect(strip, s * 0.06, s * 0.06);
    p.setBrush(Qt::white);
    const qreal hole = s * 0.08;
    for (int i = 0; i < 5; ++i) {
        const qreal y = s * 0.09 + i * s * 0.18;
        p.drawRect(QRectF(s * 0.16, y, hole, hole));
        p.drawRect(QRectF(s * 0.76, y, hole, hole));
    }
    p.setBrush(colour);
    p.drawRect(QRectF(s * 0.30, s * 0.14, s * 0.40, s * 0.72));
    p.setBrush(colour.lighter(160));
    p.drawEllipse(QRectF(s * 0.36, s * 0.22, s * 0.12, s * 0.12)); // a sun over the scene
}

// A play triangle on a rounded square.
void drawPlay(QPainter &p, qreal s, const QColor &colour)
{
    p.setPen(QPen(colour.darker(150), qMax(1.0, s / 32)));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88), s * 0.18, s * 0.18);
    QPainterPath triangle;
    triangle.moveTo(s * 0.36, s * 0.26);
    triangle.lineTo(s * 0.76, s * 0.50);
    triangle.lineTo(s * 0.36, s * 0.74);
    triangle.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(triangle);
}

// A disc with a shine and a hole in the middle.
void drawDisc(QPainter &p, qreal s, const QColor &colour)
{
    const QPointF centre(s / 2, s / 2);
    QRadialGradient shine(centre, s * 0.46, QPointF(s * 0.35, s * 0.35));
    shine.setColorAt(0, colour.lighter(150));
    shine.setColorAt(1, colour.darker(120));
    p.setPen(QPen(colour.darker(170), qMax(1.0, s / 32)));
    p.setBrush(shine);
    p.drawEllipse(centre, s * 0.45, s * 0.45);
    p.setPen(QPen(colour.darker(140), qMax(1.0, s / 32)));
    p.setBrush(QColor(230, 230, 235));
    p.drawEllipse(centre, s * 0.15, s * 0.15);
    p.setBrush(Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.drawEllipse(centre, s * 0.06, s * 0.06);
}

} // namespace

QImage image(int index, int size)
{
    const int n = qBound(0, index, Count - 1);
    const int side = qMax(1, size);
    QImage out(side, side, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    const Design &d = kDesigns[n];
    switch (d.shape) {
    case Shape::Film: drawFilm(p, side, d.colour); break;
    case Shape::Play: drawPlay(p, side, d.colour); break;
    case Shape::Disc: drawDisc(p, side, d.colour); break;
    }
    p.end();
    return out;
}

QByteArray png(int index, int size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image(index, size).save(&buffer, "PNG");
    return bytes;
}

} // namespace ProgramIcons
