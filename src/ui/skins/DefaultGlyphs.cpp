#include "ui/skins/DefaultGlyphs.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace DefaultGlyphs {

namespace {

// Magenta never appears in a glyph, so it is safe as the transparent key.
const QColor Key(255, 0, 255);
const QColor Ink(20, 20, 20);

using Draw = std::function<void(QPainter &, const QRectF &)>;

QImage paint(QSize size, const Draw &draw)
{
    // One spare column on the left and row at the bottom keep the bottom-left pixel, which
    // names the transparent colour, free of ink whatever the shape.
    QImage image(size + QSize(1, 1), QImage::Format_RGB32);
    image.fill(Key);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    draw(p, QRectF(QPointF(1, 0), QSizeF(size)));
    return image;
}

QPolygonF triangle(const QRectF &r, bool right)
{
    if (right)
        return QPolygonF{r.topLeft(), QPointF(r.right(), r.center().y()), r.bottomLeft()};
    return QPolygonF{r.topRight(), QPointF(r.left(), r.center().y()), r.bottomRight()};
}

void text(QPainter &p, const QRectF &r, const QString &s, int px)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(px);
    f.setBold(true);
    // Smoothed edges would blend with the key colour and show as a fringe.
    f.setStyleStrategy(QFont::NoAntialias);
    p.setFont(f);
    p.setPen(Ink);
    p.drawText(r, Qt::AlignCenter, s);
}

const QHash<QString, std::pair<QSize, Draw>> &table()
{
    static const QHash<QString, std::pair<QSize, Draw>> glyphs{
        {"BPlay", {{12, 12}, [](QPainter &p, const QRectF &r) { p.drawPolygon(triangle(r.adjusted(2, 1, -1, -1), true)); }}},
        {"BPause", {{12, 12}, [](QPainter &p, const QRectF &r) {
             p.drawRect(QRectF(r.left() + 2, r.top() + 1, 3, 10));
             p.drawRect(QRectF(r.left() + 7, r.top() + 1, 3, 10));
         }}},
        {"BStop", {{12, 12}, [](QPainter &p, const QRectF &r) { p.drawRect(r.adjusted(2, 2, -2, -2)); }}},
        {"BBack", {{16, 10}, [](QPainter &p, const QRectF &r) {
             p.drawPolygon(triangle(QRectF(r.left(), r.top(), 8, 10), false));
             p.drawPolygon(triangle(QRectF(r.left() + 8, r.top(), 8, 10), false));
         }}},
        {"BStep", {{16, 10}, [](QPainter &p, const QRectF &r) {
             p.drawPolygon(triangle(QRectF(r.left(), r.top(), 8, 10), true));
             p.drawPolygon(triangle(QRectF(r.left() + 8, r.top(), 8, 10), true));
         }}},
        {"BNext", {{8, 5}, [](QPainter &p, const QRectF &r) {
             p.drawPolygon(QPolygonF{r.bottomLeft(), QPointF(r.center().x(), r.top()), r.bottomRight()});
         }}},
        {"BPrev", {{8, 5}, [](QPainter &p, const QRectF &r) {
             p.drawPolygon(QPolygonF{r.topLeft(), QPointF(r.center().x(), r.bottom()), r.topRight()});
         }}},
        {"ButtonVolume", {{14, 12}, [](QPainter &p, const QRectF &r) {
             p.drawRect(QRectF(r.left() + 1, r.top() + 4, 3, 4));
             p.drawPolygon(QPolygonF{QPointF(r.left() + 4, r.top() + 4), QPointF(r.left() + 8, r.top()),
                                     QPointF(r.left() + 8, r.bottom()), QPointF(r.left() + 4, r.top() + 8)});
             p.setPen(QPen(Ink, 1));
             p.drawLine(QPointF(r.left() + 10, r.top() + 3), QPointF(r.left() + 10, r.top() + 9));
             p.drawLine(QPointF(r.left() + 12, r.top() + 1), QPointF(r.left() + 12, r.top() + 11));
         }}},
        {"ButtonPlayList", {{10, 10}, [](QPainter &p, const QRectF &r) {
             for (int i = 0; i < 3; ++i)
                 p.drawRect(QRectF(r.left(), r.top() + 1 + i * 3, 10, 2));
         }}},
        {"ButtonSetup", {{10, 10}, [](QPainter &p, const QRectF &r) {
             p.drawEllipse(r.adjusted(1, 1, -1, -1));
             p.setBrush(Key);
             p.drawEllipse(r.adjusted(3.5, 3.5, -3.5, -3.5));
         }}},
        {"BRepeat", {{12, 12}, [](QPainter &p, const QRectF &r) {
             p.setPen(QPen(Ink, 2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(r.adjusted(2, 2, -2, -2), 30 * 16, 300 * 16);
         }}},
        {"ButtonOpen", {{12, 11}, [](QPainter &p, const QRectF &r) {
             p.drawPolygon(QPolygonF{QPointF(r.center().x(), r.top()), QPointF(r.right(), r.top() + 6),
                                     QPointF(r.left(), r.top() + 6)});
             p.drawRect(QRectF(r.left(), r.bottom() - 3, r.width(), 3));
         }}},
        {"ButtonOpenTXT", {{30, 12}, [](QPainter &p, const QRectF &r) { text(p, r, "TXT", 10); }}},
        {"NapisyCheck", {{9, 9}, [](QPainter &p, const QRectF &r) { text(p, r, "T", 9); }}},
        {"ButtonDown", {{10, 10}, [](QPainter &p, const QRectF &r) { p.drawRect(QRectF(r.left() + 1, r.top() + 4, 8, 2)); }}},
        {"ButtonUp", {{10, 10}, [](QPainter &p, const QRectF &r) {
             p.drawRect(QRectF(r.left() + 1, r.top() + 4, 8, 2));
             p.drawRect(QRectF(r.left() + 4, r.top() + 1, 2, 8));
         }}},
        {"ButtonPanScan", {{14, 10}, [](QPainter &p, const QRectF &r) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(Qt::NoBrush);
             p.drawRect(r.adjusted(0.5, 2.5, -0.5, -2.5));
             p.drawRect(r.adjusted(3.5, 0.5, -3.5, -0.5));
         }}},
        {"ButtonFullScreen", {{14, 10}, [](QPainter &p, const QRectF &r) {
             p.setPen(QPen(Ink, 2));
             p.setBrush(Qt::NoBrush);
             p.drawRect(r.adjusted(1, 1, -1, -1));
         }}},
        {"CaptionSzpilka", {{7, 7}, [](QPainter &p, const QRectF &r) { p.drawEllipse(r.adjusted(1, 1, -1, -1)); }}},
        {"CaptionMin", {{7, 7}, [](QPainter &p, const QRectF &r) { p.drawRect(QRectF(r.left(), r.bottom() - 2, 7, 2)); }}},
        {"FullScreenResize", {{8, 7}, [](QPainter &p, const QRectF &r) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(Qt::NoBrush);
             p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
             p.drawLine(QPointF(r.left(), r.top() + 1.5), QPointF(r.right(), r.top() + 1.5));
         }}},
        {"CaptionClose", {{7, 7}, [](QPainter &p, const QRectF &r) {
             p.setPen(QPen(Ink, 1.5));
             p.drawLine(r.topLeft() + QPointF(0.5, 0.5), r.bottomRight() - QPointF(0.5, 0.5));
             p.drawLine(r.topRight() + QPointF(-0.5, 0.5), r.bottomLeft() + QPointF(0.5, -0.5));
         }}},
        {"BFunction", {{8, 5}, [](QPainter &p, const QRectF &r) { p.drawRect(r.adjusted(0, 1, 0, -1)); }}},
    };
    return glyphs;
}

} // namespace

QImage forControl(const QString &name)
{
    const auto it = table().constFind(name);
    if (it == table().constEnd())
        return {};
    return paint(it->first, it->second);
}

QImage disabled(const QImage &glyph)
{
    if (glyph.isNull())
        return {};
    QImage out = glyph.convertToFormat(QImage::Format_RGB32);
    const QRgb key = Key.rgb();
    const QRgb grey = QColor(150, 150, 150).rgb();
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (line[x] != key)
                line[x] = grey;
    }
    return out;
}

QImage panelBackground(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0.0, QColor(214, 218, 226));
    g.setColorAt(1.0, QColor(160, 166, 178));
    p.fillRect(image.rect(), g);
    p.setPen(QColor(245, 247, 250));
    p.drawLine(0, 0, size.width() - 1, 0);
    p.drawLine(0, 0, 0, size.height() - 1);
    p.setPen(QColor(90, 94, 104));
    p.drawLine(size.width() - 1, 0, size.width() - 1, size.height() - 1);
    p.drawLine(0, size.height() - 1, size.width() - 1, size.height() - 1);
    return image;
}

} // namespace DefaultGlyphs
