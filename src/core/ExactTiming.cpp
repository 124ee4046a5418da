#include "core/ExactTiming.h"

#include <algorithm>

namespace ExactTiming {

namespace {

// Without a stop, an entry counts as on screen for the second of its key, as it does for
// the tick.
constexpr qint64 NoStopWindowMs = 1000;

} // namespace

std::optional<Span> span(const SubtitleLine &line)
{
    const auto seconds = SubtitleTiming::keySeconds(line.start);
    if (!seconds)
        return std::nullopt;
    const qint64 keyMs = *seconds * 1000;
    const bool refined = line.startMs >= keyMs && line.startMs < keyMs + 1000;
    const qint64 start = refined ? line.startMs : keyMs;
    qint64 stop = -1;
    if (line.startMs >= 0 && line.stopMs > line.startMs)
        stop = line.stopMs + (start - line.startMs);
    return Span{start, stop};
}

Step step(const SubtitleList &list, qint64 clockMs, int shownRow)
{
    Step out;
    qsizetype active = -1;
    Span activeSpan{-1, -1};
    qint64 nextStart = -1;
    QList<Span> spans(list.size(), Span{-1, -1});
    for (qsizetype i = 0; i < list.size(); ++i) {
        const auto s = span(list.at(i));
        if (!s)
            continue;
        spans[i] = *s;
        if (s->startMs > clockMs) {
            if (nextStart < 0 || s->startMs < nextStart)
                nextStart = s->startMs;
            continue;
        }
        const qint64 end = s->stopMs >= 0 ? s->stopMs : s->startMs + NoStopWindowMs;
        if (clockMs < end && (active < 0 || s->startMs > activeSpan.startMs)) {
            active = i;
            activeSpan = *s;
        }
    }
    if (nextStart >= 0)
        out.nextStartInMs = nextStart - clockMs;
    if (active < 0 || int(active) + 1 == shownRow)
        return out;

    out.row = int(active) + 1;
    out.text = list.at(active).text;
    out.startMs = activeSpan.startMs;
    out.fileDurationMs = activeSpan.stopMs >= 0 ? activeSpan.stopMs - activeSpan.startMs : -1;
    qint64 following = -1;
    for (const Span &s : std::as_const(spans))
        if (s.startMs > activeSpan.startMs && (following < 0 || s.startMs < following))
            following = s.startMs;
    out.gapMs = following >= 0 ? following - activeSpan.startMs : -1;
    return out;
}

qint64 displayMs(qsizetype textLength, qint64 fileDurationMs, qint64 gapMs, const IQText::Settings &settings)
{
    if (!settings.on)
        return fileDurationMs > 0 ? fileDurationMs : settings.fixedMs;
    // The reading time IQ Text gives a text of this length, as for untimed files.
    const qint64 reading = std::max<qint64>((textLength + textLength / 2) * settings.readingMs / 100, 800);
    qint64 d = std::max(reading, fileDurationMs);
    // No next entry (the last one): the slider's maximum caps the reading time, as it
    // caps the last entry of an untimed file.
    d = gapMs > 0 ? std::min(d, gapMs) : std::min<qint64>(d, settings.maxReadingMs);
    return std::max(d, fileDurationMs);
}

} // namespace ExactTiming
