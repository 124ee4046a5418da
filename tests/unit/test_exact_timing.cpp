#include "core/ExactTiming.h"
#include "core/SubtitleParser.h"
#include "core/SubtitleTrackCues.h"

#include <QtTest>

namespace {

struct Times
{
    qint64 start, stop;
    bool operator==(const Times &) const = default;
};

QList<Times> times(const SubtitleList &list)
{
    QList<Times> out;
    for (const SubtitleLine &e : list)
        out.append({e.startMs, e.stopMs});
    return out;
}

} // namespace

// Exact timing: the file's milliseconds kept through the load, the entry on screen at a
// given clock, and how long IQ Text keeps it.
class TestExactTiming : public QObject
{
    Q_OBJECT
private slots:
    void everyTimedFormatKeepsItsMilliseconds()
    {
        const auto parse = [](const QStringList &lines, const char *name, double fps = 25) {
            return parseSubtitles(lines, QString::fromLatin1(name), fps).entries;
        };
        QCOMPARE(times(parse({"1", "00:00:01,250 --> 00:00:02,5", "A", "", "2", "01:00:00.040 --> 01:00:01,000", "B"},
                             "a.srt")),
                 (QList<Times>{{1250, 2500}, {3600040, 3601000}}));
        // Tenths; a stop before the start is no stop.
        QCOMPARE(times(parse({"[123][150]A", "[200][100]B", "[300]C"}, "a.txt")),
                 (QList<Times>{{12300, 15000}, {20000, -1}, {30000, -1}}));
        // Frames at 25 and at the NTSC film rate (frame 2400 is 100.1 s).
        QCOMPARE(times(parse({"{250}{310}A"}, "a.sub")), (QList<Times>{{10000, 12400}}));
        QCOMPARE(times(parse({"{2400}{2424}A"}, "a.sub", 24000.0 / 1001)), (QList<Times>{{100100, 101101}}));
        // SAMI lasts until the next SYNC, also one that only clears the screen.
        QCOMPARE(times(parse({"<SYNC Start=1500><P>Hi", "<SYNC Start=2300><P>&nbsp;", "<SYNC Start=4000><P>Two",
                              "<SYNC Start=4500><P>Three"},
                             "a.smi")),
                 (QList<Times>{{1500, 2300}, {4000, 4500}, {4500, -1}}));
        // Formats without finer times leave them unknown; their keys still time them.
        QCOMPARE(times(parse({"00:01:05:Tekst"}, "a.txt")), (QList<Times>{{-1, -1}}));
        QCOMPARE(ExactTiming::span({"00:00:05", "Tekst"})->startMs, 5000);

        // A key edited by hand wins over the file's start, and the stop keeps the length.
        SubtitleLine edited = parse({"1", "00:00:01,250 --> 00:00:02,500", "A"}, "a.srt").first();
        edited.start = QStringLiteral("00:00:07");
        const auto span = ExactTiming::span(edited);
        QCOMPARE(span->startMs, 7000);
        QCOMPARE(span->stopMs, 8250);
        QVERIFY(!ExactTiming::span({"7 s", "A"}));
    }

    void theEntryOnScreenFollowsTheClock()
    {
        const SubtitleList list = {
            {"00:00:01", "One", 1250, 2500}, {"00:00:02", "Two", 2900, 4000}, {"00:00:05", "Untimed"},
            {"00:00:01", "Early duplicate", 1250, 1900}};
        // Before the first start: nothing, and the first start is 250 ms away.
        ExactTiming::Step s = ExactTiming::step(list, 1000, 0);
        QCOMPARE(s.row, 0);
        QCOMPARE(s.nextStartInMs, 250);
        // At its millisecond (not at the second of its key); of equal starts the first counts.
        s = ExactTiming::step(list, 1250, 0);
        QCOMPARE(s.row, 1);
        QCOMPARE(s.fileDurationMs, 1250);
        QCOMPARE(s.gapMs, 1650);
        QCOMPARE(s.nextStartInMs, 1650);
        // Shown once; a seek into the middle of an entry (nothing shown since) shows it.
        QCOMPARE(ExactTiming::step(list, 1400, 1).row, 0);
        QCOMPARE(ExactTiming::step(list, 3500, 0).row, 2);
        // Past its stop and before the next start: nothing is due.
        QCOMPARE(ExactTiming::step(list, 4100, 0).row, 0);
        // Without a stop the entry is due for the second of its start.
        QCOMPARE(ExactTiming::step(list, 5999, 0).row, 3);
        QCOMPARE(ExactTiming::step(list, 6000, 0).row, 0);
        QCOMPARE(ExactTiming::step(list, 5500, 0).nextStartInMs, -1);
        QCOMPARE(ExactTiming::step(list, 5500, 0).fileDurationMs, -1);
    }

    void iqTextBoundsUseTheRealStops()
    {
        IQText::Settings iq; // on, 4000: 60 ms a character, at least 800 ms
        const qsizetype forty = 40;
        // Too fast to read (1 s for 2.4 s of reading): lengthened to the reading time...
        QCOMPARE(ExactTiming::displayMs(forty, 1000, 6000, iq), 2400);
        // ...but never past the next entry's start...
        QCOMPARE(ExactTiming::displayMs(forty, 1000, 1500, iq), 1500);
        // ...and never shorter than the file's own time, also where entries overlap.
        QCOMPARE(ExactTiming::displayMs(forty, 5000, 6000, iq), 5000);
        QCOMPARE(ExactTiming::displayMs(forty, 3000, 2000, iq), 3000);
        // Short texts get IQ Text's 800 ms at least.
        QCOMPARE(ExactTiming::displayMs(4, 300, 10000, iq), 800);
        // The last entry: the slider's maximum caps the reading time, not the file's time.
        QCOMPARE(ExactTiming::displayMs(200, 1000, -1, iq), 5500);
        QCOMPARE(ExactTiming::displayMs(200, -1, -1, iq), 5500);
        QCOMPARE(ExactTiming::displayMs(40, 8000, -1, iq), 8000);
        // IQ Text off: exactly the file's time, or the fixed time without one.
        iq.on = false;
        QCOMPARE(ExactTiming::displayMs(forty, 1000, 6000, iq), 1000);
        QCOMPARE(ExactTiming::displayMs(forty, -1, 6000, iq), 4000);
    }

    void trackCuesBecomeEntriesInTimeOrder()
    {
        SubtitleList list;
        QVERIFY(SubtitleTrackCues::insert(&list, 5000, 6000, "Later"));
        QVERIFY(SubtitleTrackCues::insert(&list, 1500, 2500, "Fish &amp; chips \r\n<i>&lt;3</i>\n"));
        QVERIFY(!SubtitleTrackCues::insert(&list, 2000, 2500, " \n"));
        QVERIFY(SubtitleTrackCues::insert(&list, 1500, 1400, "Same start"));
        // Played over again after a seek back: not twice.
        QVERIFY(!SubtitleTrackCues::insert(&list, 1500, 2500, "Fish &amp; chips\n<i>&lt;3</i>"));
        QCOMPARE(list, (SubtitleList{{"00:00:01", "Fish & chips|<i><3</i>"}, {"00:00:01", "Same start"},
                                     {"00:00:05", "Later"}}));
        QCOMPARE(times(list), (QList<Times>{{1500, 2500}, {1500, -1}, {5000, 6000}}));
        QCOMPARE(SubtitleTrackCues::caption(1, "pl"), QStringLiteral("Ścieżka 2 (pl)"));
        QCOMPARE(SubtitleTrackCues::caption(0, {}), QStringLiteral("Ścieżka 1"));
    }
};

QTEST_APPLESS_MAIN(TestExactTiming)
#include "test_exact_timing.moc"
