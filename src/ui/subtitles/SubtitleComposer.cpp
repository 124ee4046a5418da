#include "ui/subtitles/SubtitleComposer.h"

#include "core/SubtitleLayout.h"
#include "ui/subtitles/SubtitleShape.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>

namespace L = SubtitleLayout;

namespace {

int pointsToPixels(int points, double dpi) { return qMax(1, qRound(points * dpi / 72.0)); }

int characterHeight(const QFont &font, double dpi)
{
    if (font.pixelSize() > 0)
        return font.pixelSize();
    return qMax(1, qRound(font.pointSizeF() * dpi / 72.0));
}

int widthOf(const QString &line, const QFont &font)
{
    return line.isEmpty() ? 0 : QFontMetrics(font).horizontalAdvance(line);
}

// The font a run of marked-up text is drawn in: the line's own, leaning and heavier as the
// markup says. Underlines are drawn into the letters' path, not by the font.
QFont runFont(const QFont &line, const SubtitleMarkup::Style &style)
{
    QFont f = line;
    if (style.italic)
        f.setItalic(true);
    if (style.bold)
        f.setWeight(QFont::Black); // the letters are bold already
    return f;
}

// The pieces of one display line from `left`, `top` (the top of its character cell), and
// the path of all its letters.
QList<SubtitleComposition::Piece> drawPieces(const QList<SubtitleMarkup::Run> &runs, const QFont &lineFont,
                                             QPointF topLeft)
{
    QList<SubtitleComposition::Piece> pieces;
    const qreal baseline = topLeft.y() + QFontMetricsF(lineFont).ascent();
    qreal x = topLeft.x();
    for (const SubtitleMarkup::Run &run : runs) {
        SubtitleComposition::Piece piece;
        piece.text = run.text;
        piece.font = runFont(lineFont, run.style);
        if (run.style.coloured)
            piece.colour = QColor::fromRgb(QRgb(0xFF000000u | run.style.rgb));
        const QFontMetricsF metrics(piece.font);
        const qreal advance = metrics.horizontalAdvance(run.text);
        piece.letters = SubtitleShape::linePath(run.text, piece.font, QPointF(x, topLeft.y()));
        // Overlapping contours (a slanted letter over its neighbour, an underline through a
        // descender) must add up, not cut holes.
        piece.letters.setFillRule(Qt::WindingFill);
        if (run.style.underline) {
            const qreal thickness = qMax<qreal>(1, metrics.lineWidth());
            piece.letters.addRect(QRectF(x, baseline + metrics.underlinePos(), advance, thickness));
        }
        x += advance;
        pieces << piece;
    }
    return pieces;
}

} // namespace

SubtitleComposition SubtitleComposer::compose(const QString &text, const QFont &windowFont,
                                              const SubtitleStyle &style, const SubtitleStage &stage)
{
    const double dpi = stage.dpi > 0 ? stage.dpi : 96;
    SubtitleComposition c;
    // Lines are split, broken and measured as they are drawn: without their markup.
    const SubtitleMarkup::Styled styled = SubtitleMarkup::parse(text);
    c.place = styled.place;
    L::Lines lines = L::split(styled.text);

    // Bold always; the stored style is for the preferences' sample only.
    QFont font = windowFont;
    font.setBold(true);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    int charHeight = characterHeight(font, dpi);
    if (style.autoHeight) {
        charHeight = L::automaticHeight(style.fontVol, stage.fullScreen, stage.display.height(),
                                        stage.pictureHeight);
        charHeight = L::floorHeight(charHeight, dpi, style.fontPoints);
        font.setPixelSize(charHeight);
    }

    const int maxWidth = L::maxWidth(stage.videoClientWidth, style.widthPercent);
    if (style.splitWide)
        L::splitWide(lines, maxWidth, [&](const QString &line) { return widthOf(line, font); });
    if (style.kind == SubtitleStyle::Opaque || style.underPicture)
        lines.count = 3;

    int textWidth = 0;
    if (style.shrinkWide) {
        const int startPoints = qMax(1, qRound(charHeight * 72.0 / dpi));
        auto fontAt = [&](int points) {
            if (points == startPoints)
                return font;
            QFont smaller = font;
            smaller.setPixelSize(pointsToPixels(points, dpi));
            return smaller;
        };
        const L::Shrunk shrunk = L::shrinkToFit(
            lines, startPoints, maxWidth,
            stage.fullScreen ? std::optional<int>(stage.display.width()) : std::nullopt,
            [&](const QString &line, int points) { return widthOf(line, fontAt(points)); });
        if (shrunk.points != startPoints) {
            font = fontAt(shrunk.points);
            charHeight = font.pixelSize();
        }
        textWidth = shrunk.width;
    } else {
        for (const QString &line : lines.text)
            textWidth = qMax(textWidth, widthOf(line, font));
    }

    c.count = lines.count;
    c.charHeight = charHeight;
    c.textWidth = textWidth;
    const L::Placement placement =
        L::place(stage.videoFrame, stage.videoClientWidth, style.kind == SubtitleStyle::Opaque, textWidth,
                 style.outline, L::windowHeight(lines.count, charHeight), style.napisBottom, styled.place,
                 stage.videoClientTop);
    c.geometry = placement.geometry;
    c.boxOffset = placement.boxOffset;

    QFont italic = font;
    italic.setItalic(true);
    QList<QPainterPath> paths;
    const std::array<qsizetype, 3> starts = L::lineStarts(styled.text, lines);
    for (int k = 0; k < 3; ++k) {
        const QString &stored = lines.text[size_t(k)];
        if (stored.isEmpty())
            continue;
        SubtitleComposition::Line line;
        line.text = L::visibleText(stored);
        line.font = L::isItalic(stored) ? italic : font;
        const int left = c.boxOffset + L::lineOffset(textWidth, widthOf(stored, font));
        const int top = L::outlineTop(k, charHeight);
        line.at = QPoint(left + L::TextIndent, L::textTop(k, charHeight));
        const qsizetype from = starts[size_t(k)] + (stored.size() - line.text.size());
        line.pieces = drawPieces(SubtitleMarkup::runs(styled, from, line.text.size()), line.font, QPointF(left, top));
        // The letters are filled from the same paths rather than drawn as text: hinted
        // glyphs may sit a fraction of a pixel off the unhinted outline and peek out of it.
        const QPoint shift = line.at - QPoint(left, top);
        line.letters.setFillRule(Qt::WindingFill);
        for (SubtitleComposition::Piece &piece : line.pieces) {
            paths << piece.letters;
            piece.letters.translate(shift);
            line.letters.addPath(piece.letters);
        }
        c.lines << line;
    }
    c.outline = SubtitleShape::outlineRegion(paths, c.geometry.size(), style.outline);
    return c;
}
