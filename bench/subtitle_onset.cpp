// How close to the file's time a subtitle appears while a film plays: the default timing
// (the 400 ms tick, whole seconds) against exact timing, on the same film and file.
//
//   build/bench_subtitle_onset FILM [ENTRIES]      (bench/subtitle_onset.sh makes FILM)
//
// A SubRip file of ENTRIES (default 200) entries is written beside a link to FILM, one in
// each second from the second second on, each starting at a pseudo-random millisecond of
// its second and lasting 700 ms. The real player (real engine, default settings, IQ Text
// on) plays the film twice: with the default timing, then with "Dokładny czas napisów"
// ticked. Each time the subtitle window appears, the engine's position is read; the onset
// error is that position less the entry's start in the file. Printed per run: entries
// shown, median and 95th percentile of the absolute error, the earliest and the latest.
#include "engine/GstMediaEngine.h"
#include "engine/GstSupport.h"
#include "platform/Power.h"
#include "platform/ScreenSaver.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/settings/TForm4.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Onsets : QObject
{
    Player *player;
    QHash<QString, qint64> startOf;
    std::vector<qint64> errors;
    QSet<QString> seen;

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        const QString text = player->form3()->text();
        if (!startOf.contains(text) || seen.contains(text))
            return false;
        seen.insert(text);
        errors.push_back(player->form2()->engine().position() / 10000 - startOf.value(text));
        return false;
    }
};

QString srtTime(qint64 ms)
{
    return QStringLiteral("%1:%2:%3,%4")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

void run(const QString &film, const QHash<QString, qint64> &starts, qint64 endMs, bool exact, const char *label)
{
    Player::Services services;
    services.engine = std::make_unique<GstMediaEngine>();
    services.dialogs = std::make_unique<QtDialogs>();
    services.screenSaver = std::make_unique<DBusScreenSaver>();
    Player player(std::move(services));
    player.start({});
    player.form4()->DokladnyCzas->setChecked(exact);
    Onsets onsets;
    onsets.player = &player;
    onsets.startOf = starts;
    player.form3()->installEventFilter(&onsets);
    TForm1 *panel = player.form1();
    panel->OpenMovieFileName = film;
    panel->OpenGivenFile = true;
    panel->ButtonOpenClick();
    QElapsedTimer guard;
    guard.start();
    while (player.form2()->engine().position() / 10000 < endMs && guard.elapsed() < endMs * 2 + 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    player.form3()->removeEventFilter(&onsets);
    panel->close();

    std::vector<qint64> abs;
    for (qint64 e : onsets.errors)
        abs.push_back(std::llabs(e));
    std::sort(abs.begin(), abs.end());
    if (abs.empty()) {
        std::printf("%-16s no subtitle was shown\n", label);
        return;
    }
    const auto [lo, hi] = std::minmax_element(onsets.errors.begin(), onsets.errors.end());
    std::printf("%-16s shown %3zu of %d   |error| median %4lld ms   p95 %4lld ms   earliest %+5lld ms   latest %+5lld ms\n",
                label, abs.size(), int(starts.size()), (long long)abs[abs.size() / 2],
                (long long)abs[std::min(abs.size() - 1, abs.size() * 95 / 100)], (long long)*lo, (long long)*hi);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILM [ENTRIES]\n", argv[0]);
        return 2;
    }
    GstSupport::ensureInitialized();
    const QString source = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const int entries = argc > 2 ? qMax(10, atoi(argv[2])) : 200;
    QTemporaryDir dir;
    const QString film = dir.filePath(QStringLiteral("onset.") + QFileInfo(source).suffix());
    QFile::link(source, film);

    QHash<QString, qint64> starts;
    QByteArray srt;
    quint32 seed = 12345;
    for (int i = 0; i < entries; ++i) {
        seed = seed * 1103515245u + 12345u;
        const qint64 start = qint64(i + 1) * 1000 + (seed >> 16) % 1000;
        const QString text = QStringLiteral("Napis %1").arg(i + 1);
        starts.insert(text, start);
        srt += QStringLiteral("%1\n%2 --> %3\n%4\n\n").arg(i + 1).arg(srtTime(start), srtTime(start + 700), text).toUtf8();
    }
    QFile file(dir.filePath(QStringLiteral("onset.srt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(srt) != srt.size())
        return 1;
    file.close();

    const qint64 endMs = qint64(entries + 1) * 1000 + 500;
    std::printf("subtitle onset over %d entries of %s\n", entries, qPrintable(source));
    run(film, starts, endMs, false, "default timing");
    run(film, starts, endMs, true, "exact timing");
    return 0;
}
