#pragma once

#include "core/SubtitleLine.h"

#include <QStringList>
#include <optional>

// When a subtitle is shown and for how long: matching the subtitle clock against the
// list, and IQ Text, which gives a text the time its reader needs and queues texts that
// come too fast.
namespace SubtitleTiming {

// The clock as "hh:mm:ss" (two digits each, hours with all their digits past 99), the
// form the list's keys have, whatever the locale.
QString clockText(qint64 seconds);

// Seconds of an "hh:mm:ss" key (two or three hour digits), or nullopt.
std::optional<qint64> keySeconds(const QString &key);

// The time from one key to the next in hundred-millionths of a day (one unit is 0.864 ms),
// truncated; negative when the next entry starts earlier. Keys are "hh:mm:ss" with two or
// three hour digits; anything else is unreadable and gives nullopt. Computed exactly, so a
// whole number of units (27 s = 31250) is not lost to rounding.
std::optional<qint64> gapToNext(const QString &key, const QString &nextKey);

struct Match
{
    int row;         // 1-based row of the matched entry (the lowest row from the bottom)
    QString text;    // the text of the FIRST entry with that key
    qint64 gapToNext;
    bool show;       // false when that row is the one shown last (the marker)
};

// Scans from the last entry up for the first key equal to the clock text. `marker` is the
// row shown last (999999 = none). The next row of the last entry is itself: gap 0. Rows
// whose key is unreadable are passed over: they neither match nor serve as a next row.
// The caller sets the marker to `row` when it shows the text.
std::optional<Match> match(const SubtitleList &list, const QString &clock, int marker);

} // namespace SubtitleTiming

// The reading queue and display time of IQ Text, one per subtitle window.
class IQText
{
public:
    struct Settings
    {
        bool on = true;       // IQNapisow
        int readingMs = 4000; // IQTime: milliseconds per 100 "weighted" characters
        int maxReadingMs = 5500; // the slider's maximum, also a cap
        int fixedMs = 4000;   // NapisyCzas x 1000, used when IQ Text is off
    };

    struct Decision
    {
        bool queued = false;  // the text waits: nothing is drawn now
        int displayMs = 0;    // otherwise: how long the text stays
    };

    // The display-time step of showing a text. `onScreen` says whether the clear timer is
    // running. A text from the queue is still counted in it while its time is computed;
    // call takeNext() after show.
    Decision decide(const QString &text, bool fromQueue, qint64 gapToNext, bool onScreen,
                    const Settings &settings);

    // The clear timer fired: the first waiting text, if any (removed from the queue).
    std::optional<QString> takeNext();
    // The first waiting text without removing it.
    std::optional<QString> peekNext() const;
    void clear();
    const QStringList &queue() const { return m_queue; }
    qint64 storedGap() const { return m_gap; }

private:
    QStringList m_queue;
    qint64 m_gap = 0;
};
