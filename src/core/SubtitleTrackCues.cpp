#include "core/SubtitleTrackCues.h"

#include "core/SubtitleParser.h"

#include <algorithm>

namespace SubtitleTrackCues {

QString caption(int index, const QString &language)
{
    const QString name = QStringLiteral("Ścieżka %1").arg(index + 1);
    return language.isEmpty() ? name : name + QStringLiteral(" (") + language + QLatin1Char(')');
}

QString entryText(const QString &cueText)
{
    QStringList lines = cueText.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = line.trimmed();
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    while (!lines.isEmpty() && lines.first().isEmpty())
        lines.removeFirst();
    QString text = lines.join(QLatin1Char('|'));
    // &amp; last, so that "&amp;lt;" stays the text "&lt;".
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&apos;"), QLatin1String("'"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return SubtitleParsing::cutText(text);
}

bool insert(SubtitleList *list, qint64 startMs, qint64 stopMs, const QString &cueText)
{
    if (startMs < 0)
        return false;
    SubtitleLine line{SubtitleParsing::keyForSeconds(startMs / 1000), entryText(cueText), startMs,
                      stopMs > startMs ? stopMs : -1};
    // Some muxers write empty samples between cues to clear the screen: nothing to show.
    if (line.text.isEmpty())
        return false;
    const auto from = std::lower_bound(list->begin(), list->end(), startMs,
                                       [](const SubtitleLine &e, qint64 ms) { return e.startMs < ms; });
    const auto at = std::upper_bound(from, list->end(), startMs,
                                     [](qint64 ms, const SubtitleLine &e) { return ms < e.startMs; });
    for (auto it = from; it != at; ++it)
        if (it->text == line.text)
            return false;
    list->insert(at, line);
    return true;
}

} // namespace SubtitleTrackCues
