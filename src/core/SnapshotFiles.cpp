#include "core/SnapshotFiles.h"

#include <QDir>
#include <QFileInfo>

namespace SnapshotFiles {

QString firstFreeName(const QString &folder)
{
    const QDir dir(folder);
    for (int n = 1;; ++n) {
        const QString path = dir.filePath(QStringLiteral("snapshot%1.bmp").arg(n));
        // A dangling link or a folder of that name is taken as well: never overwrite.
        if (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink())
            return path;
    }
}

QString osdText(Mark markBefore, bool captured)
{
    if (markBefore == NotArmed)
        return QStringLiteral("SnapShot ON");
    return captured ? QStringLiteral("SnapShot Ready") : QStringLiteral("SnapShot Error!");
}

} // namespace SnapshotFiles
