// Dragging the position slider across a long film: every mouse move seeks, and the
// engine's seek waits for the new picture before the interface goes on.
//
//   build/bench_slider_drag FILM [MOVES]       (bench/slider_drag.sh makes a 2-hour FILM)
//
// Brivara: the real player (real engine, ximagesink unless BRIVARA_VIDEOSINK says otherwise)
// plays FILM; MOVES left-button moves are sent to SliderPos from its left end to its right end,
// each through the panel's own mouse handling, and each move's time on the interface thread
// is taken. Peer, in the same run: a bare playbin on the same film and the same video sink,
// seeking to the same positions with the same flags (flushing, accurate) and waiting for
// the same preroll. Prints both medians, the 90th percentile and the worst move, the ratio,
// and how many moves took longer than one frame of a 60 Hz pointer (16.7 ms), during which
// the interface stands still.

#include "core/CdDrive.h"
#include "engine/GstMediaEngine.h"
#include "engine/GstSupport.h"
#include "platform/Power.h"
#include "platform/ScreenSaver.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QSlider>
#include <QThread>
#include <gst/gst.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double PointerFrameMs = 1000.0 / 60.0;

struct Figures
{
    double median = 0, p90 = 0, worst = 0;
    int overFrame = 0;
};

Figures summarise(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    Figures f;
    f.median = ms[ms.size() / 2];
    f.p90 = ms[ms.size() * 9 / 10];
    f.worst = ms.back();
    f.overFrame = int(std::count_if(ms.begin(), ms.end(), [](double v) { return v > PointerFrameMs; }));
    return f;
}

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

std::vector<double> dragThroughThePanel(const QString &film, int moves, std::vector<qint64> *targetsMs)
{
    Player::Services services;
    services.engine = std::make_unique<GstMediaEngine>();
    services.dialogs = std::make_unique<QtDialogs>();
    services.screenSaver = std::make_unique<DBusScreenSaver>();
    Player player(std::move(services));
    player.start({film});
    settle(1500);
    TForm1 *panel = player.form1();
    QSlider *slider = panel->SliderPos;
    if (panel->DurationMs <= 0) {
        std::fprintf(stderr, "the film did not open: %s\n", qPrintable(film));
        return {};
    }
    std::vector<double> times;
    const int width = slider->width();
    for (int i = 0; i < moves; ++i) {
        const QPointF at(double(i) * (width - 1) / (moves - 1), slider->height() / 2.0);
        QMouseEvent move(QEvent::MouseMove, at, slider->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QElapsedTimer t;
        t.start();
        QApplication::sendEvent(slider, &move);
        times.push_back(t.nsecsElapsed() / 1e6);
        targetsMs->push_back(slider->value());
        // What the event loop does between two pointer moves: pictures, timers.
        QCoreApplication::processEvents();
    }
    panel->close();
    return times;
}

std::vector<double> dragABarePlaybin(const QString &film, const std::vector<qint64> &targetsMs)
{
    GstElement *playbin = gst_element_factory_make("playbin", nullptr);
    const QByteArray uri = QUrl::fromLocalFile(film).toEncoded();
    g_object_set(playbin, "uri", uri.constData(), nullptr);
    const QByteArray sinkName = GstSupport::videoSinkFactory().toUtf8();
    g_object_set(playbin, "video-sink", gst_element_factory_make(sinkName.constData(), nullptr), nullptr);
    g_object_set(playbin, "audio-sink", gst_element_factory_make("fakesink", nullptr), nullptr);
    gst_element_set_state(playbin, GST_STATE_PLAYING);
    gst_element_get_state(playbin, nullptr, nullptr, 5 * GST_SECOND);
    QThread::msleep(1500);
    std::vector<double> times;
    for (qint64 ms : targetsMs) {
        QElapsedTimer t;
        t.start();
        gst_element_seek(playbin, 1.0, GST_FORMAT_TIME, GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                         GST_SEEK_TYPE_SET, ms * GST_MSECOND, GST_SEEK_TYPE_NONE, GST_CLOCK_TIME_NONE);
        gst_element_get_state(playbin, nullptr, nullptr, 3 * GST_SECOND);
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    gst_element_set_state(playbin, GST_STATE_NULL);
    gst_object_unref(playbin);
    return times;
}

void print(const char *who, const Figures &f, int moves)
{
    std::printf("%-22s median %7.2f ms   p90 %7.2f ms   worst %7.2f ms   moves over %.1f ms: %d of %d\n", who,
                f.median, f.p90, f.worst, PointerFrameMs, f.overFrame, moves);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILM [MOVES]\n", argv[0]);
        return 2;
    }
    GstSupport::ensureInitialized();
    const QString film = QString::fromLocal8Bit(argv[1]);
    const int moves = argc > 2 ? qMax(10, atoi(argv[2])) : 200;

    std::vector<qint64> targets;
    const std::vector<double> panel = dragThroughThePanel(film, moves, &targets);
    if (panel.empty())
        return 1;
    const std::vector<double> peer = dragABarePlaybin(film, targets);

    const Figures b = summarise(panel), p = summarise(peer);
    std::printf("slider drag over %s, %d moves from start to end\n", qPrintable(film), moves);
    print("brivara (SliderPos)", b, moves);
    print("bare playbin seek", p, moves);
    std::printf("ratio brivara / playbin (median): %.2f\n", b.median / p.median);
    return 0;
}
