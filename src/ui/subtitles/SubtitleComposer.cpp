#include "ui/subtitles/SubtitleComposer.h"

#include "core/SubtitleLayout.h"
#include "ui/subtitles/SubtitleShape.h"

#include <QFontInfo>
#include <QFontMetrics>

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

} // namespace

SubtitleComposition SubtitleComposer::compose(const QString &text, const QFont &windowFont,
                                              const SubtitleStyle &style, const SubtitleStage &stage)
{
    const double dpi = stage.dpi > 0 ? stage.dpi : 96;
    SubtitleComposition c;
    L::Lines lines = L::split(text);

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
                 style.outline, L::windowHeight(lines.count, charHeight), style.napisBottom);
    c.geometry = placement.geometry;
    c.boxOffset = placement.boxOffset;

    QFont italic = font;
    italic.setItalic(true);
    QList<QPainterPath> paths;
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
        const QPainterPath path = SubtitleShape::linePath(line.text, line.font, QPointF(left, top));
        // The letters are filled from the same path rather than drawn as text: hinted
        // glyphs may sit a fraction of a pixel off the unhinted outline and peek out of it.
        line.letters = path.translated(line.at - QPoint(left, top));
        paths << path;
        c.lines << line;
    }
    c.outline = SubtitleShape::outlineRegion(paths, c.geometry.size(), style.outline);
    return c;
}
