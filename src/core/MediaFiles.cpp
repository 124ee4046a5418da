#include "core/MediaFiles.h"

#include <QDir>
#include <QFileInfo>

namespace MediaFiles {

namespace {
QString upperExtension(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot).toUpper();
}
} // namespace

Kind classify(const QString &path)
{
    const QString ext = upperExtension(path);
    if (ext == QLatin1String(".CDA"))
        return Kind::AudioCdTrack;
    static const QStringList audio{".WAV", ".MP3", ".M3U", ".WMA", ".MID"};
    return audio.contains(ext) ? Kind::Audio : Kind::Video;
}

bool isSubtitle(const QString &path)
{
    static const QStringList subtitles{".TXT", ".SUB", ".SRT", ".SSA", ".SMI", ".ASS", ".VTT"};
    return subtitles.contains(upperExtension(path));
}

std::optional<QString> nextPartName(const QString &path)
{
    // Only the file name's own dot counts, not one in a folder name.
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= nameStart)
        return std::nullopt;
    const QChar c = path.at(dot - 1);
    if (c < QLatin1Char('0') || c > QLatin1Char('9'))
        return std::nullopt;
    const int d = c.digitValue();
    QString next = path;
    next.replace(dot - 1, 1, QString::number(d + 1));
    return next;
}

QString subtitleCandidate(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? name : name.left(dot);
    return info.dir().filePath(base + QStringLiteral(".txt"));
}

} // namespace MediaFiles
