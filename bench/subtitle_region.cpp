// Time to build the outlined shape of a three-line subtitle at outline 6, two ways:
//   per-path: every line drawn as a fresh text path at each of the (N+1)^2 offsets, each
//             path turned into a region and united with the rest (147 paths);
//   mask:     one path per line filled once into a coverage mask, thickened there, and
//             turned into a region once (what the subtitle window does).
// Prints the median of each, the ratio, and how many pixels the two shapes differ by.
// Then the whole layout of the same subtitle written plainly and with markup (italics,
// colour, underline, a top position), to show what reading the markup adds.
//
//   build/bench_subtitle_region [ROUNDS]    (QT_QPA_PLATFORM=offscreen works)

#include "ui/subtitles/SubtitleComposer.h"
#include "ui/subtitles/SubtitleShape.h"

#include <QElapsedTimer>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPolygon>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Outline = 6;

struct Line
{
    QString text;
    QFont font;
    QPointF at;
};

QRegion perPath(const std::vector<Line> &lines, const QSize &size)
{
    QRegion region;
    for (int dx = 0; dx <= Outline; ++dx)
        for (int dy = 0; dy <= Outline; ++dy)
            for (const Line &line : lines) {
                const QPainterPath path =
                    SubtitleShape::linePath(line.text, line.font, line.at + QPointF(dx, dy));
                region += QRegion(path.toFillPolygon().toPolygon(), Qt::OddEvenFill);
            }
    return region & QRegion(QRect(QPoint(0, 0), size));
}

QRegion mask(const std::vector<Line> &lines, const QSize &size)
{
    QList<QPainterPath> paths;
    for (const Line &line : lines)
        paths << SubtitleShape::linePath(line.text, line.font, line.at);
    return SubtitleShape::outlineRegion(paths, size, Outline);
}

qint64 area(const QRegion &region)
{
    qint64 pixels = 0;
    for (const QRect &r : region)
        pixels += qint64(r.width()) * r.height();
    return pixels;
}

template <class F> double medianMs(int rounds, F &&build)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        const QRegion r = build();
        times.push_back(t.nsecsElapsed() / 1e6);
        if (r.isEmpty())
            std::fprintf(stderr, "empty region\n");
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 51;

    // The window's default letters (27 pixels, bold) and a typical three-line subtitle,
    // the last line italic.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(27);
    font.setBold(true);
    QFont italic = font;
    italic.setItalic(true);
    const int charHeight = 27;
    const std::vector<Line> lines = {
        {QStringLiteral("Przecież mówiłem ci już wczoraj,"), font, QPointF(4, 0)},
        {QStringLiteral("że nie pojadę z wami nad morze"), font, QPointF(12, charHeight + 2)},
        {QStringLiteral("i nie zmienię zdania."), italic, QPointF(70, 2 * charHeight + 4)},
    };
    int widest = 0;
    for (const Line &line : lines)
        widest = qMax(widest, int(line.at.x() + QFontMetricsF(line.font).horizontalAdvance(line.text)));
    const QSize size(widest + Outline + 1, 3 * charHeight + 12);

    // Warm the glyph caches for both.
    const QRegion old = perPath(lines, size);
    const QRegion fresh = mask(lines, size);

    const double oldMs = medianMs(rounds, [&] { return perPath(lines, size); });
    const double newMs = medianMs(rounds, [&] { return mask(lines, size); });

    std::printf("three-line subtitle, outline %d, window %dx%d, font %s %dpx bold\n", Outline,
                size.width(), size.height(), qPrintable(QFontInfo(font).family()), charHeight);
    std::printf("per-path (%d paths): %8.3f ms (median of %d)\n", 3 * (Outline + 1) * (Outline + 1), oldMs, rounds);
    std::printf("mask (3 paths):      %8.3f ms (median of %d)\n", newMs, rounds);
    std::printf("ratio per-path/mask: %8.1f\n", newMs > 0 ? oldMs / newMs : 0.0);
    std::printf("shape: %lld px per-path, %lld px mask, %lld px differ\n", area(old), area(fresh),
                area(old ^ fresh));

    SubtitleStyle style;
    style.outline = Outline;
    style.autoHeight = false;
    SubtitleStage stage;
    stage.videoFrame = QRect(0, 0, 800, 500);
    stage.videoClientWidth = 800;
    stage.pictureHeight = 450;
    const QString plain = lines[0].text + "|" + lines[1].text + "|\\" + lines[2].text;
    const QString marked = QStringLiteral("{\\an8}<font color=\"#ffff00\">") + lines[0].text + "</font>|<u>"
                           + lines[1].text + "</u>|<i>" + lines[2].text + "</i>";
    SubtitleComposer::compose(plain, font, style, stage);
    SubtitleComposer::compose(marked, font, style, stage);
    const double plainMs = medianMs(rounds, [&] { return SubtitleComposer::compose(plain, font, style, stage).outline; });
    const double markedMs = medianMs(rounds, [&] { return SubtitleComposer::compose(marked, font, style, stage).outline; });
    std::printf("layout, plain text:  %8.3f ms (median of %d)\n", plainMs, rounds);
    std::printf("layout, with markup: %8.3f ms (median of %d)\n", markedMs, rounds);
    std::printf("ratio markup/plain:  %8.2f\n", plainMs > 0 ? markedMs / plainMs : 0.0);
    return 0;
}
