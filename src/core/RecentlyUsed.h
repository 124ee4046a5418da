#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

// The desktop's list of recently used files: the freedesktop bookmark file
// (recently-used.xbel in the user's data folder), which every program adds its files to.
// The file is shared, so what others wrote is kept as it was and a file that cannot be read
// is left alone rather than replaced.
namespace RecentlyUsed {

struct Entry
{
    QString path;       // absolute
    QString mimeType;
    QString appName;    // "Brivara"
    QString appExec;    // "'brivara %u'"
    QDateTime when;
};

// The file's text with the entry added, or brought up to date when the file is already
// listed (its times and our application's count); every other bookmark and application,
// and anything unknown, stays. Empty input starts a new file. nullopt when the input is not
// a bookmark file this can safely rewrite.
std::optional<QByteArray> withEntry(const QByteArray &existing, const Entry &entry);

// Reads, merges and replaces the file in one step (a new file is only ever renamed over the
// old one). False with a reason when nothing was written.
bool add(const QString &xbelPath, const Entry &entry, QString *error = nullptr);

// <XDG_DATA_HOME>/recently-used.xbel
QString defaultPath();

} // namespace RecentlyUsed
