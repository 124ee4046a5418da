#pragma once

#include "core/PlaylistEntry.h"

#include <QList>
#include <QString>
#include <QStringList>

// Playlist files: the program's own ".zdl" (seven lines per entry, one per cell), and the
// ".m3u"/".m3u8" and ".pls" lists other players write. Reading never changes the file;
// writing replaces it atomically.
namespace PlaylistFiles {

enum class Format { Zdl, M3u, Pls };

// By extension: ".m3u"/".m3u8" and ".pls"; anything else is read and written as ".zdl".
Format formatOf(const QString &fileName);

// What a list file says about one entry; the other cells come from the disk.
struct Item
{
    QString path;
    QString time;       // duration text, "" when the file gives none
    QString resolution; // picture size text
};

struct ReadResult
{
    bool ok = false;
    QString error; // names the file and the reason
    QList<Item> items;
};

// Larger than this is not a playlist (100,000 entries of a .zdl are well under it).
inline constexpr qint64 MaxBytes = 256LL * 1024 * 1024;

// Decodes like a subtitle file (UTF-8, else the legacy code page it was written in). A file
// that is missing, a folder, unreadable, too large or binary is an error.
ReadResult read(const QString &fileName);

// The parsers behind read(), on decoded lines. Relative paths of m3u and pls lists are
// taken from `folder`, the list's own.
QList<Item> parseZdl(const QStringList &lines);
QList<Item> parseM3u(const QStringList &lines, const QString &folder);
QList<Item> parsePls(const QStringList &lines, const QString &folder);

// A row whose cells hold a line break (a file name may) cannot be stored one cell a line
// without breaking every entry after it; such rows are left out of the files.
bool storable(const PlaylistEntry::Row &row);

// Lines of a .zdl (7 per row) and of an extended m3u list (UTF-8).
QStringList zdlLines(const QList<PlaylistEntry::Row> &rows);
QStringList m3uLines(const QList<PlaylistEntry::Row> &rows);

// Writes the rows in the format the name's extension says; false with a message on failure.
// `skipped` receives the number of rows that could not be stored.
bool write(const QString &fileName, const QList<PlaylistEntry::Row> &rows, QString *error,
           int *skipped = nullptr);

// The listing for printing: number, name, size, time (cut or padded to 4, 80, 8, 8
// characters), then the resolution, "|" between them.
QStringList printLines(const QList<PlaylistEntry::Row> &rows);

} // namespace PlaylistFiles
