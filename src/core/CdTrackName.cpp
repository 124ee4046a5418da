#include "core/CdTrackName.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace CdTrackName {

QString drive(const QString &trackPath)
{
    const int at = trackPath.lastIndexOf(QLatin1String("Track"), -1, Qt::CaseInsensitive);
    QString root = at < 0 ? QString() : trackPath.left(at);
    while (root.size() > 1 && root.endsWith(QLatin1Char('/')))
        root.chop(1);
    return root;
}

int number(const QString &trackPath)
{
    if (trackPath.size() < 6 || !trackPath.endsWith(QLatin1String(".cda"), Qt::CaseInsensitive))
        return 0;
    bool ok = false;
    const int n = trackPath.mid(trackPath.size() - 6, 2).toInt(&ok);
    return ok && n > 0 ? n : 0;
}

QString twoDigits(int track) { return QStringLiteral("%1").arg(track, 2, 10, QLatin1Char('0')); }

QString path(const QString &drive, int track)
{
    return drive + QStringLiteral("/Track") + twoDigits(track) + QStringLiteral(".cda");
}

QString driveOfArgument(const QString &argument)
{
    static const QRegularExpression autoplay(QStringLiteral("^cdda://([^/]+)/?$|/gvfs/cdda:host=([^/]+)/?$"));
    if (const QRegularExpressionMatch m = autoplay.match(argument); m.hasMatch())
        return QStringLiteral("/dev/") + (m.captured(1).isEmpty() ? m.captured(2) : m.captured(1));
    if (argument.startsWith(QLatin1String("/dev/")))
        return QDir::cleanPath(argument);
    if (argument.endsWith(QLatin1String(".cue"), Qt::CaseInsensitive))
        return QFileInfo(argument).absoluteFilePath();
    return {};
}

bool exists(const QString &trackPath)
{
    const QString root = drive(trackPath);
    return !root.isEmpty() && QFileInfo::exists(root);
}

} // namespace CdTrackName
