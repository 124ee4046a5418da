// The playlist's own work on a long list, timed in process.
//
//   bench_playlist_ops FOLDER ENTRIES [RUNS]
//       makes ENTRIES files of different sizes in FOLDER, a .zdl list of them, and prints the
//       median ms (of RUNS, default 7) of: reading the list into the model (with every size
//       taken from the disk), sorting by size, sorting by name, and saving the list.
//       It also leaves FOLDER/list.zdl and FOLDER/keys.txt (size|name lines) for the peers.
#include "core/PlaylistFiles.h"
#include "core/PlaylistModel.h"
#include "core/TextFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(int runs, const std::function<void()> &setup, const std::function<void()> &work)
{
    std::vector<double> v;
    for (int r = 0; r < runs; ++r) {
        setup();
        QElapsedTimer t;
        t.start();
        work();
        v.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_playlist_ops FOLDER ENTRIES [RUNS]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int entries = atoi(argv[2]);
    const int runs = argc > 3 ? std::max(1, atoi(argv[3])) : 7;
    QDir().mkpath(folder + "/films");

    QList<PlaylistEntry::Row> rows;
    QStringList keys;
    for (int i = 0; i < entries; ++i) {
        // Scrambled names and sizes, so that neither sort starts from sorted input.
        const int k = int((i * 7919LL) % entries);
        const QString path = QStringLiteral("%1/films/Film %2 %3.avi").arg(folder).arg(k % 97).arg(k);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.resize(qint64(k % 5000) * 1024);
        f.close();
        PlaylistEntry::Row row = PlaylistEntry::fromDisk(path, QStringLiteral("Brak"));
        row[PlaylistEntry::Number] = QString::number(i + 1);
        row[PlaylistEntry::Time] = QStringLiteral("01:30:00");
        row[PlaylistEntry::Resolution] = QStringLiteral("640x480/25");
        keys << row[PlaylistEntry::Size] + QLatin1Char('|') + row[PlaylistEntry::Name];
        rows.append(row);
    }
    const QString list = folder + "/list.zdl";
    if (!PlaylistFiles::write(list, rows, nullptr) || !TextFile::writeLines(folder + "/keys.txt", keys))
        return 1;

    PlaylistModel model;
    const double read = medianMs(runs, [&] { model.clear(); }, [&] {
        const PlaylistFiles::ReadResult r = PlaylistFiles::read(list);
        QList<PlaylistEntry::Row> loaded;
        loaded.reserve(r.items.size());
        for (const PlaylistFiles::Item &item : r.items) {
            PlaylistEntry::Row row = PlaylistEntry::fromDisk(item.path, QStringLiteral("Brak"));
            row[PlaylistEntry::Time] = item.time;
            row[PlaylistEntry::Resolution] = item.resolution;
            loaded.append(std::move(row));
        }
        model.appendAll(loaded);
    });
    auto reload = [&] {
        model.clear();
        model.appendAll(rows);
    };
    const double bySize = medianMs(runs, reload, [&] { model.sortByColumn(PlaylistEntry::Size); });
    const double byName = medianMs(runs, reload, [&] { model.sortByColumn(PlaylistEntry::Name); });
    const QString out = folder + "/saved.zdl";
    const double save = medianMs(runs, [] {}, [&] { PlaylistFiles::write(out, rows, nullptr); });
    std::printf("entries %d read_ms %.2f sort_size_ms %.2f sort_name_ms %.2f save_ms %.2f\n", model.entryCount(), read,
                bySize, byName, save);
    return 0;
}
