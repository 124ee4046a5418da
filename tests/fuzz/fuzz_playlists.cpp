// Fuzz entry point of the playlist files: the first byte picks the list's kind by its name
// ('0' .zdl, '1' .m3u, '2' .m3u8, '3' .pls, '4' no extension), the rest is the file. A list
// that reads is written back as a .zdl and must read back to the same entries.
#include "FuzzSupport.h"
#include "core/PlaylistFiles.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static const char *const Names[] = {"list.zdl", "list.m3u", "list.m3u8", "list.pls", "list"};
    const QString path = Fuzz::scratchFile(Fuzz::bytesOf(data + 1, size - 1), QString::fromLatin1(Names[data[0] % 5]));
    const PlaylistFiles::ReadResult read = PlaylistFiles::read(path);
    Fuzz::require(read.ok != !read.error.isEmpty());
    if (!read.ok)
        return 0;

    QList<PlaylistEntry::Row> rows;
    for (const PlaylistFiles::Item &item : read.items) {
        PlaylistEntry::Row row;
        row[PlaylistEntry::Time] = item.time;
        row[PlaylistEntry::Resolution] = item.resolution;
        row[PlaylistEntry::Path] = item.path;
        rows << row;
    }
    QList<PlaylistEntry::Row> kept;
    std::copy_if(rows.cbegin(), rows.cend(), std::back_inserter(kept), PlaylistFiles::storable);
    const QString copy = Fuzz::scratchFile({}, QStringLiteral("copy.zdl"));
    int skipped = -1;
    QString error;
    Fuzz::require(PlaylistFiles::write(copy, rows, &error, &skipped));
    Fuzz::require(skipped == rows.size() - kept.size());
    const PlaylistFiles::ReadResult again = PlaylistFiles::read(copy);
    Fuzz::require(again.ok && again.items.size() == kept.size());
    // Files are UTF-8: half a surrogate pair (from a broken UTF-16 list) is stored as "?".
    const auto stored = [](const QString &text) { return QString::fromUtf8(text.toUtf8()); };
    for (qsizetype i = 0; i < kept.size(); ++i)
        Fuzz::require(again.items[i].path == stored(kept[i][PlaylistEntry::Path])
                      && again.items[i].time == stored(kept[i][PlaylistEntry::Time])
                      && again.items[i].resolution == stored(kept[i][PlaylistEntry::Resolution]));
    return 0;
}
