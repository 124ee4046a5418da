#include "core/PlaylistEntry.h"

#include <QFileInfo>

namespace PlaylistEntry {

QString extensionText(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    return name.mid(dot + 1, 5).toLower();
}

QString sizeText(qint64 bytes)
{
    return QString::number(double(bytes) / 1024.0 / 1024.0, 'f', 2);
}

Row fromDisk(const QString &path, const QString &missingText, std::optional<double> *sizeMiB)
{
    Row row;
    const QFileInfo info(path);
    row[Name] = info.fileName();
    row[Extension] = extensionText(path);
    row[Path] = path;
    // A folder is not a file to play; it is listed like a missing one.
    if (info.isFile()) {
        row[Size] = sizeText(info.size());
        if (sizeMiB)
            *sizeMiB = double(info.size()) / 1024.0 / 1024.0;
    } else {
        row[Size] = missingText;
        if (sizeMiB)
            sizeMiB->reset();
    }
    return row;
}

std::optional<double> sizeValue(const QString &cell)
{
    bool ok = false;
    const double value = cell.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace PlaylistEntry
