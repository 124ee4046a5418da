// Time to build the control panel's shape from a skin background of 640 x 200 with a
// ragged edge (a toothed outline, round holes and a notched bottom), two ways:
//   runs: one rectangle per run of kept pixels, identical rows merged into bands, handed
//         to the region in its sorted form (what the panel uses);
//   mask: Qt's colour mask (QImage::createMaskFromColor) to a QBitmap to a QRegion.
// Prints the median of each, the ratio runs / mask, and whether the two shapes agree.
//
//   build/bench_skin_shape [ROUNDS]    (QT_QPA_PLATFORM=offscreen works)

#include "ui/skins/SkinShape.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

QImage raggedBackground()
{
    QImage image(640, 200, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    QLinearGradient g(0, 0, 0, 200);
    g.setColorAt(0, QColor(90, 96, 110));
    g.setColorAt(1, QColor(30, 32, 40));
    p.setBrush(g);
    QPolygonF outline;
    for (int x = 0; x <= 640; x += 8)
        outline << QPointF(x, 10 + 8 * std::sin(x / 23.0) + (x / 8 % 2) * 6);
    outline << QPointF(640, 170);
    for (int x = 640; x >= 0; x -= 16)
        outline << QPointF(x, 185 + (x / 16 % 3) * 5);
    p.drawPolygon(outline);
    p.setBrush(QColor(255, 0, 255));
    for (int i = 0; i < 12; ++i)
        p.drawEllipse(QPointF(40 + i * 50, 100 + (i % 3) * 20), 9 + i % 4, 9 + i % 4);
    p.end();
    return image;
}

template <class F> double medianMs(int rounds, F &&build)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QRegion r = build();
        times.push_back(timer.nsecsElapsed() / 1e6);
        if (r.isEmpty())
            std::puts("empty shape?");
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 101;
    const QImage image = raggedBackground();
    const double runs = medianMs(rounds, [&] { return SkinShape::fromRuns(image); });
    const double mask = medianMs(rounds, [&] { return SkinShape::fromMask(image); });
    const QRegion a = SkinShape::fromRuns(image);
    std::printf("skin shape of a ragged 640x200 background, median of %d rounds\n", rounds);
    std::printf("  runs  %8.3f ms  (%d rectangles)\n", runs, a.rectCount());
    std::printf("  mask  %8.3f ms\n", mask);
    std::printf("  ratio runs / mask = %.2f; shapes %s\n", runs / mask,
                a.xored(SkinShape::fromMask(image)).isEmpty() ? "agree" : "DIFFER");
    return 0;
}
