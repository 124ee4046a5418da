// The playlist's disk search timed in process, and the generator of its folder tree.
//
//   bench_media_search ROOT [RUNS]
//       walks ROOT RUNS times (default 7) with the default extension list (video and audio,
//       subfolders on) and prints: files found, folders scanned, and the median walk in ms,
//       without and with looking at each found file's size (as the search does for the list).
//   bench_media_search --generate ROOT FILES FOLDERS
//       makes FOLDERS folders (nested three deep) holding FILES empty files in all, one in
//       three of them with a media extension (upper and lower case mixed), the rest not.
#include "core/MediaSearch.h"
#include "core/PlaylistEntry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QStringList Extensions{"ASF", "AVI", "MPEG", "MPE", "MPG", "MOV", "WMV", "DAT", "DIVX", "IFO", "M2V", "OGM",
                             "VOB", "QT",  "M2P", "WAV", "MPA", "MP3", "MID", "M3U", "WMA", "OGG", "CDA"};
const char *const Others[] = {"txt", "jpg", "srt", "nfo", "png", "doc"};

int generate(const QString &root, int files, int folders)
{
    std::vector<QString> dirs;
    for (int i = 0; i < folders; ++i) {
        // Ten top folders, each with subfolders holding deeper ones: a tree, not a flat list.
        const QString path = QStringLiteral("%1/d%2/e%3/f%4").arg(root).arg(i % 10).arg(i / 10 % 20).arg(i);
        if (!QDir().mkpath(path))
            return 1;
        dirs.push_back(path);
    }
    for (int i = 0; i < files; ++i) {
        QString ext = i % 3 == 0 ? Extensions.at(i / 3 % Extensions.size()) : QString::fromLatin1(Others[i % 6]);
        if (i % 2)
            ext = ext.toLower();
        QFile f(QStringLiteral("%1/file%2.%3").arg(dirs[size_t(i % folders)]).arg(i).arg(ext));
        if (!f.open(QIODevice::WriteOnly))
            return 1;
    }
    return 0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 5 && QByteArray(argv[1]) == "--generate")
        return generate(QString::fromLocal8Bit(argv[2]), atoi(argv[3]), atoi(argv[4]));
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_media_search ROOT [RUNS] | --generate ROOT FILES FOLDERS\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 7;
    MediaSearch::Options options;
    options.extensions = Extensions;
    const std::atomic<bool> stop{false};

    std::vector<double> walk, sized;
    int found = 0, folders = 0;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        found = 0;
        t.start();
        folders = MediaSearch::run(root, options, stop, [&](const QString &) { ++found; });
        walk.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        MediaSearch::run(root, options, stop, [&](const QString &path) {
            std::optional<double> size;
            PlaylistEntry::fromDisk(path, QStringLiteral("Brak"), &size);
        });
        sized.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("found %d folders %d walk_ms %.2f with_sizes_ms %.2f\n", found, folders, median(walk), median(sized));
    return 0;
}
