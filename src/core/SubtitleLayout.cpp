#include "core/SubtitleLayout.h"

#include <QtMath>
#include <cmath>

namespace SubtitleLayout {

namespace {
constexpr QChar LineBreak = u'|';
constexpr QChar ItalicMark = u'\\';
constexpr int SecondPartMax = 255;
} // namespace

Lines split(const QString &text)
{
    Lines lines;
    lines.text[0] = text;
    const qsizetype first = text.indexOf(LineBreak);
    if (first < 0)
        return lines;
    lines.count = 2;
    lines.text[0] = text.left(first);
    const QString rest = text.mid(first + 1, SecondPartMax);
    const qsizetype second = rest.indexOf(LineBreak);
    if (second < 0) {
        lines.text[1] = rest;
        return lines;
    }
    lines.count = 3;
    lines.text[1] = rest.left(second);
    lines.text[2] = rest.mid(second + 1);
    return lines;
}

int splitPoint(const QString &line)
{
    const int length = int(line.size());
    // Only the middle counts for punctuation: a comma in the first nine or the last six
    // characters would leave a stub of a line.
    if (length >= 16) {
        const QString middle = line.mid(9, length - 15);
        for (const QLatin1StringView mark : {QLatin1StringView("..."), QLatin1StringView(","), QLatin1StringView(".")}) {
            const qsizetype at = middle.indexOf(mark);
            if (at >= 0)
                return int(at) + 10 + int(mark.size());
        }
    }
    const int third = length / 3;
    const qsizetype space = line.indexOf(u' ', qMax(third, 1) - 1);
    if (space >= 0)
        return int(space) + 2;
    return third;
}

void splitWide(Lines &lines, int maxWidth, const Measure &measure)
{
    for (int pass = 0; pass < 2 && lines.count < 3; ++pass) {
        const int first = measure(lines.text[0]);
        const int second = measure(lines.text[1]);
        if (first <= maxWidth && second <= maxWidth)
            continue;
        if (first >= second) {
            const int at = splitPoint(lines.text[0]);
            if (at <= 0)
                continue;
            lines.text[2] = lines.text[1];
            lines.text[1] = lines.text[0].mid(at - 1);
            lines.text[0] = lines.text[0].left(at - 1);
        } else {
            const int at = splitPoint(lines.text[1]);
            if (at <= 0)
                continue;
            lines.text[2] = lines.text[1].mid(at - 1);
            lines.text[1] = lines.text[1].left(at - 1);
        }
        ++lines.count;
    }
}

std::array<qsizetype, 3> lineStarts(const QString &text, const Lines &lines)
{
    // Lines 1 and 2 never hold a "|": one right after them is the separator they were
    // split at, and a piece broken off a line follows it directly.
    std::array<qsizetype, 3> starts{};
    qsizetype at = 0;
    for (int k = 0; k < 3; ++k) {
        starts[size_t(k)] = std::min(at, text.size());
        at += lines.text[size_t(k)].size();
        if (k < 2 && at < text.size() && text[at] == LineBreak)
            ++at;
    }
    return starts;
}

bool isItalic(const QString &line) { return line.startsWith(ItalicMark); }

QString visibleText(const QString &line) { return isItalic(line) ? line.mid(1) : line; }

int automaticHeight(double fontVol, bool fullScreen, int displayHeight, int pictureHeight)
{
    const double height = fullScreen ? fontVol / 100.0 * displayHeight / 1.5 : fontVol / 100.0 * pictureHeight;
    return qMax(0, int(std::trunc(height)));
}

int floorHeight(int heightPx, double dpi, double chosenPoints)
{
    if (dpi <= 0)
        dpi = 96;
    const int points = qRound(heightPx * 72.0 / dpi);
    if (points < chosenPoints / 2)
        heightPx = int(std::trunc(chosenPoints / 2));
    return qMax(1, heightPx);
}

int maxWidth(int videoClientWidth, double fWidth)
{
    return videoClientWidth * int(std::trunc(fWidth + 1)) / 100;
}

Shrunk shrinkToFit(const Lines &lines, int points, int maxWidth, std::optional<int> displayWidth,
                   const MeasureAt &measure)
{
    Shrunk result;
    result.points = qMax(1, points);
    auto tooWide = [&](int width) {
        return width > maxWidth || (displayWidth && width > *displayWidth);
    };
    for (const QString &line : lines.text) {
        if (line.isEmpty())
            continue;
        int width = measure(line, result.points);
        while (result.points > 1 && tooWide(width))
            width = measure(line, --result.points);
    }
    for (const QString &line : lines.text)
        if (!line.isEmpty())
            result.width = qMax(result.width, measure(line, result.points));
    return result;
}

int windowTop(const QRect &videoFrame, int height, int captionHeight, double napisBottom,
              SubtitleMarkup::Place where, int clientTop)
{
    const double room = videoFrame.height() - height - captionHeight;
    switch (where) {
    case SubtitleMarkup::Place::Top:
        return videoFrame.top() + clientTop + qRound(napisBottom * room / 100.0);
    case SubtitleMarkup::Place::Middle:
        return videoFrame.top() + (videoFrame.height() - height) / 2;
    case SubtitleMarkup::Place::Bottom:
        break;
    }
    return qRound(videoFrame.top() + videoFrame.height() - height - napisBottom * room / 100.0);
}

Placement place(const QRect &videoFrame, int videoClientWidth, bool opaque, int textWidth,
                int outline, int height, double napisBottom, SubtitleMarkup::Place where, int clientTop)
{
    Placement p;
    int left = 0;
    int width = 0;
    if (opaque) {
        left = videoFrame.left() + 4;
        width = videoClientWidth;
        p.boxOffset = width / 2 - textWidth / 2;
    } else {
        // The outline reaches `outline` pixels past the widest line's advance (and the
        // letters start one pixel in): without the allowance its right rim would be cut.
        width = textWidth + qMax(0, outline) + 1;
        left = videoFrame.left() + videoFrame.width() / 2 - width / 2;
    }
    const int top = where == SubtitleMarkup::Place::Bottom
                        ? videoFrame.top() + videoFrame.height() - height
                              - qRound(napisBottom * (videoFrame.height() - height) / 100.0)
                        : windowTop(videoFrame, height, 0, napisBottom, where, clientTop);
    p.geometry = QRect(left, top, qMax(1, width), qMax(1, height));
    return p;
}

std::optional<double> dragPercent(const QRect &videoFrame, int height, int captionHeight, int newTop)
{
    const int room = videoFrame.height() - height - captionHeight;
    if (room <= 0)
        return std::nullopt;
    const double percent = (videoFrame.top() + videoFrame.height() - (height + newTop)) * 100.0 / room;
    if (percent >= 0 && percent < 100)
        return percent;
    return std::nullopt;
}

} // namespace SubtitleLayout
