#include "core/PlaylistFiles.h"

#include "core/TextDecoding.h"
#include "core/TextFile.h"
#include "core/TimeText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QSaveFile>
#include <QUrl>

#include <algorithm>

namespace PlaylistFiles {

using namespace PlaylistEntry;

namespace {

QString failure(const QString &fileName, const QString &reason)
{
    return QStringLiteral("Nie można wczytać PlayListy \"%1\": %2").arg(fileName, reason);
}

// Text, not a program or a picture: no NUL, and control characters only by accident.
bool looksLikeText(const QString &text)
{
    qsizetype controls = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0)
            return false;
        if (u < 0x20 && u != '\t' && u != '\n' && u != '\r')
            ++controls;
    }
    return controls * 100 <= text.size();
}

// A list entry as a local path: file URLs decoded, relative paths from the list's folder.
// Other addresses stay as they are written.
QString resolvePath(QString entry, const QString &folder)
{
    entry = entry.trimmed();
    if (entry.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return QUrl(entry).toLocalFile();
    if (entry.contains(QLatin1String("://")))
        return entry;
    // Lists written on other systems separate folders with backslashes.
    if (!entry.startsWith(QLatin1Char('/')) && entry.contains(QLatin1Char('\\')) && !entry.contains(QLatin1Char('/')))
        entry.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QDir::isRelativePath(entry))
        return QDir::cleanPath(QDir(folder).filePath(entry));
    return entry;
}

// Seconds of a list entry as the time column shows them; unknown (-1) gives "".
QString durationText(const QString &seconds)
{
    bool ok = false;
    const qint64 s = seconds.trimmed().toLongLong(&ok);
    // Past a hundred thousand hours a length is not one.
    constexpr qint64 MaxSeconds = 100000LL * 3600;
    return ok && s >= 0 && s <= MaxSeconds ? TimeText::hms(s * 1000) : QString();
}

// "hh:mm:ss" (or "mm:ss") back to seconds; -1 when the cell holds none.
qint64 durationSeconds(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return -1;
    qint64 seconds = 0;
    for (const QString &part : parts) {
        bool ok = false;
        const int v = part.toInt(&ok);
        if (!ok || v < 0)
            return -1;
        seconds = seconds * 60 + v;
    }
    return seconds;
}

QString fitted(const QString &text, int width) { return text.left(width).leftJustified(width, QLatin1Char(' ')); }

} // namespace

Format formatOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("m3u") || suffix == QLatin1String("m3u8"))
        return Format::M3u;
    if (suffix == QLatin1String("pls"))
        return Format::Pls;
    return Format::Zdl;
}

ReadResult read(const QString &fileName)
{
    ReadResult result;
    const QFileInfo info(fileName);
    if (!info.exists()) {
        result.error = failure(fileName, QStringLiteral("plik nie istnieje"));
        return result;
    }
    if (!info.isFile()) {
        result.error = failure(fileName, QStringLiteral("to nie jest zwykły plik"));
        return result;
    }
    if (info.size() > MaxBytes) {
        result.error = failure(fileName, QStringLiteral("plik jest za duży na PlayListę"));
        return result;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = failure(fileName, file.errorString());
        return result;
    }
    // As large as the file said it was (a read of the whole limit would set aside 256 MiB for
    // every list), and what it grew by since, up to the limit.
    QByteArray bytes = file.read(std::min(info.size(), MaxBytes) + 1);
    if (bytes.size() > info.size() && file.error() == QFileDevice::NoError)
        bytes += file.read(MaxBytes + 1 - bytes.size());
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxBytes) {
        result.error = failure(fileName, file.error() != QFileDevice::NoError ? file.errorString()
                                                                               : QStringLiteral("plik jest za duży na PlayListę"));
        return result;
    }
    const DecodedText decoded = decodeSubtitleText(bytes);
    if (!looksLikeText(decoded.text)) {
        result.error = failure(fileName, QStringLiteral("to nie jest plik tekstowy"));
        return result;
    }
    const QStringList lines = splitTextLines(decoded.text);
    const QString folder = info.absolutePath();
    switch (formatOf(fileName)) {
    case Format::M3u: result.items = parseM3u(lines, folder); break;
    case Format::Pls: result.items = parsePls(lines, folder); break;
    case Format::Zdl: result.items = parseZdl(lines); break;
    }
    result.ok = true;
    return result;
}

QList<Item> parseZdl(const QStringList &lines)
{
    // Only the time, resolution and path of each group of 7 are read; an incomplete last
    // group is left out.
    QList<Item> items;
    items.reserve(lines.size() / ColumnCount);
    for (qsizetype i = Path; i < lines.size(); i += ColumnCount)
        items.append(Item{lines.at(i), lines.at(i - 2), lines.at(i - 1)});
    return items;
}

QList<Item> parseM3u(const QStringList &lines, const QString &folder)
{
    QList<Item> items;
    QString time;
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('#'))) {
            // "#EXTINF:seconds,title": the length of the entry that follows.
            if (line.startsWith(QLatin1String("#EXTINF:"), Qt::CaseInsensitive))
                time = durationText(line.mid(8).section(QLatin1Char(','), 0, 0));
            continue;
        }
        items.append(Item{resolvePath(line, folder), time, QString()});
        time.clear();
    }
    return items;
}

QList<Item> parsePls(const QStringList &lines, const QString &folder)
{
    // FileN= and LengthN= in any order; entries in the order of N.
    QMap<int, QString> files;
    QHash<int, QString> lengths;
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq).trimmed().toLower();
        const QString value = line.mid(eq + 1);
        bool ok = false;
        if (key.startsWith(QLatin1String("file"))) {
            const int n = key.mid(4).toInt(&ok);
            if (ok && !value.trimmed().isEmpty())
                files.insert(n, resolvePath(value, folder));
        } else if (key.startsWith(QLatin1String("length"))) {
            const int n = key.mid(6).toInt(&ok);
            if (ok)
                lengths.insert(n, durationText(value));
        }
    }
    QList<Item> items;
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        items.append(Item{it.value(), lengths.value(it.key()), QString()});
    return items;
}

bool storable(const Row &row)
{
    // A line end would break the cells apart; any other control character (a NUL from a
    // list's "%00") would make the whole file read as binary next time: such rows are not
    // stored either.
    for (const QString &cell : row)
        for (const QChar c : cell)
            if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
                return false;
    return true;
}

QStringList zdlLines(const QList<Row> &rows)
{
    QStringList lines;
    lines.reserve(rows.size() * ColumnCount);
    for (const Row &row : rows)
        if (storable(row))
            for (const QString &cell : row)
                lines.append(cell);
    return lines;
}

QStringList m3uLines(const QList<Row> &rows)
{
    QStringList lines{QStringLiteral("#EXTM3U")};
    for (const Row &row : rows) {
        if (!storable(row))
            continue;
        lines.append(QStringLiteral("#EXTINF:%1,%2").arg(durationSeconds(row[Time])).arg(row[Name]));
        lines.append(row[Path]);
    }
    return lines;
}

bool write(const QString &fileName, const QList<Row> &rows, QString *error, int *skipped)
{
    if (skipped)
        *skipped = int(std::count_if(rows.cbegin(), rows.cend(), [](const Row &r) { return !storable(r); }));
    if (formatOf(fileName) != Format::M3u)
        return TextFile::writeLines(fileName, zdlLines(rows), error);
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly)) {
        const QByteArray data = m3uLines(rows).join(QLatin1Char('\n')).toUtf8() + '\n';
        if (file.write(data) == data.size() && file.commit())
            return true;
    }
    if (error)
        *error = QStringLiteral("%1: %2").arg(fileName, file.errorString());
    return false;
}

QStringList printLines(const QList<Row> &rows)
{
    QStringList lines;
    lines.reserve(rows.size());
    for (const Row &row : rows)
        lines.append(fitted(row[Number], 4) + QLatin1Char('|') + fitted(row[Name], 80) + QLatin1Char('|')
                     + fitted(row[Size], 8) + QLatin1Char('|') + fitted(row[Time], 8) + QLatin1Char('|')
                     + row[Resolution]);
    return lines;
}

} // namespace PlaylistFiles
