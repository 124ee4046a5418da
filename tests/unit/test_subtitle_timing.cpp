#include "core/SubtitleTiming.h"
#include "core/Transport.h"

#include <QtTest>

using namespace SubtitleTiming;

namespace {

constexpr int NoRow = 999999;

SubtitleList sampleList()
{
    return {
        {"00:00:02", "Pierwszy"},
        {"00:00:08", "Drugi"},
        {"00:00:10", "Trzeci"},
    };
}

IQText::Settings iqOn()
{
    return {};
}

// The main timer: a tick every 400 ms from `fromMs` to `toMs`, the marker kept between
// ticks as the list keeps it. Returns the rows handed over for display, in order.
QList<int> runTicks(const SubtitleList &list, qint64 fromMs, qint64 toMs, int &marker)
{
    QList<int> shown;
    for (qint64 ms = fromMs; ms <= toMs; ms += 400) {
        const auto m = match(list, clockText(Transport::subtitleClockSeconds(ms, 0, 0, 0)), marker);
        if (m && m->show) {
            shown.append(m->row);
            marker = m->row;
        }
    }
    return shown;
}

} // namespace

class TestSubtitleTiming : public QObject
{
    Q_OBJECT
private slots:
    void clockTextIsTwoDigitFieldsWithLongHours()
    {
        QCOMPARE(clockText(0), QStringLiteral("00:00:00"));
        QCOMPARE(clockText(9), QStringLiteral("00:00:09"));
        QCOMPARE(clockText(3599), QStringLiteral("00:59:59"));
        QCOMPARE(clockText(36000 + 61), QStringLiteral("10:01:01"));
        QCOMPARE(clockText(100 * 3600 + 5), QStringLiteral("100:00:05"));
        QCOMPARE(clockText(-3), QStringLiteral("00:00:00"));
    }

    void gapIsInHundredMillionthsOfADayTruncated()
    {
        QCOMPARE(gapToNext("00:00:02", "00:00:08"), 6944);
        QCOMPARE(gapToNext("00:00:00", "00:00:10"), 11574);
        QCOMPARE(gapToNext("00:59:59", "01:00:00"), 1157);
        // 27 s is exactly 31250 units: floating point would land one unit short.
        QCOMPARE(gapToNext("00:00:01", "00:00:28"), 31250);
        QCOMPARE(gapToNext("00:00:00", "00:13:03"), 906250);
        QCOMPARE(gapToNext("00:00:05", "00:00:05"), 0);
        // Out of order: negative, truncated toward zero.
        QCOMPARE(gapToNext("00:00:08", "00:00:02"), -6944);
        QCOMPARE(gapToNext("99:59:59", "100:00:00"), 1157);
    }

    void unreadableKeysGiveNoGap_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("empty") << QString();
        QTest::newRow("one-digit hour") << QStringLiteral("0:00:01");
        QTest::newRow("minutes 60") << QStringLiteral("00:60:00");
        QTest::newRow("seconds 60") << QStringLiteral("00:00:60");
        QTest::newRow("letters") << QStringLiteral("0a:00:01");
        QTest::newRow("dots") << QStringLiteral("00.00.01");
        QTest::newRow("trailing space") << QStringLiteral("00:00:01 ");
        QTest::newRow("four-digit hour") << QStringLiteral("1000:00:00");
        QTest::newRow("frame number") << QStringLiteral("{2345}");
    }
    void unreadableKeysGiveNoGap()
    {
        QFETCH(QString, key);
        QVERIFY(!gapToNext(key, "00:00:05"));
        QVERIFY(!gapToNext("00:00:05", key));
    }

    void matchGivesTheGapToTheRowBelowAndZeroForTheLast()
    {
        const SubtitleList list = sampleList();
        auto m = match(list, "00:00:02", NoRow);
        QVERIFY(m);
        QCOMPARE(m->row, 1);
        QCOMPARE(m->text, QStringLiteral("Pierwszy"));
        QCOMPARE(m->gapToNext, 6944);
        QVERIFY(m->show);

        m = match(list, "00:00:08", NoRow);
        QCOMPARE(m->row, 2);
        QCOMPARE(m->gapToNext, 2314);

        m = match(list, "00:00:10", NoRow);
        QCOMPARE(m->row, 3);
        QCOMPARE(m->gapToNext, 0);

        QVERIFY(!match(list, "00:00:05", NoRow));
        QVERIFY(!match({}, "00:00:05", NoRow));
    }

    void duplicateKeysMatchTheLowerRowAndShowTheUpperText()
    {
        const SubtitleList list = {
            {"00:00:02", "Pierwszy"},
            {"00:00:05", "Górny"},
            {"00:00:05", "Dolny"},
            {"00:00:09", "Ostatni"},
        };
        const auto m = match(list, "00:00:05", NoRow);
        QVERIFY(m);
        QCOMPARE(m->row, 3);
        QCOMPARE(m->text, QStringLiteral("Górny"));
        QCOMPARE(m->gapToNext, 4629); // to the row below the matched one
        // The marker holds the matched (lower) row, so the pair shows once.
        QVERIFY(!match(list, "00:00:05", 3)->show);
    }

    void outOfOrderEntriesMatchWithANegativeGap()
    {
        const SubtitleList list = {
            {"00:00:02", "A"},
            {"00:00:20", "B"},
            {"00:00:14", "C"},
        };
        const auto m = match(list, "00:00:20", NoRow);
        QVERIFY(m);
        QCOMPARE(m->row, 2);
        QCOMPARE(m->gapToNext, -6944);
        QCOMPARE(match(list, "00:00:14", NoRow)->row, 3);
    }

    void unreadableRowIsPassedOverAndDoesNotBecomeTheNextRow()
    {
        const SubtitleList list = {
            {"00:00:02", "A"},
            {"xx:00:04", "broken"},
            {"00:00:08", "B"},
            {"00:00:0", "broken too"},
        };
        auto m = match(list, "00:00:02", NoRow);
        QVERIFY(m);
        QCOMPARE(m->gapToNext, 6944); // to B, past the broken row
        m = match(list, "00:00:08", NoRow);
        QVERIFY(m);
        QCOMPARE(m->row, 3);
        QCOMPARE(m->gapToNext, 0); // the last readable row is its own next row
    }

    void eachEntryIsShownOnceAsTheClockPassesItsSecond()
    {
        int marker = NoRow;
        // 400 ms ticks meet each second two or three times.
        QCOMPARE(runTicks(sampleList(), 0, 12000, marker), QList<int>({1, 2, 3}));
        QCOMPARE(marker, 3);
    }

    void aSeekOverAStartSecondSkipsThatEntry()
    {
        int marker = NoRow;
        QCOMPARE(runTicks(sampleList(), 0, 2400, marker), QList<int>({1}));
        // Jump from 2.4 s to 9 s: 8 s is never on the clock, only 10 s is met later.
        QCOMPARE(runTicks(sampleList(), 9000, 12000, marker), QList<int>({3}));
    }

    void aSeekBackDoesNotRepeatTheLastShownEntryButANewMediumDoes()
    {
        const SubtitleList list = sampleList();
        int marker = NoRow;
        QCOMPARE(runTicks(list, 7000, 8800, marker), QList<int>({2}));
        QCOMPARE(runTicks(list, 7000, 8800, marker), QList<int>());
        // Another entry shown in between re-arms it.
        QCOMPARE(runTicks(list, 1600, 8800, marker), QList<int>({1, 2}));
        // Opening a medium resets the marker.
        marker = NoRow;
        QCOMPARE(runTicks(list, 7000, 8800, marker), QList<int>({2}));
    }

    void subtitleShiftMovesTheClock()
    {
        const SubtitleList list = sampleList();
        // TxtShift 2 s: the entry keyed 00:00:10 comes at 8 s of film.
        const QString clock = clockText(Transport::subtitleClockSeconds(8000, 0, 2, 0));
        QCOMPARE(clock, QStringLiteral("00:00:10"));
        QCOMPARE(match(list, clock, NoRow)->row, 3);
        // A shift back before the start clamps to the start of the clock.
        QCOMPARE(clockText(Transport::subtitleClockSeconds(1000, -1, 0, 0)), QStringLiteral("00:00:00"));
    }

    void iqTimeFollowsLengthAndGap()
    {
        IQText iq;
        const QString forty(40, u'a');
        // 60 ms a character, doubled below the gap less 500 ms.
        QCOMPARE(iq.decide(forty, false, 6944, false, iqOn()).displayMs, 4800);
        // Doubling is held to the gap less 400 ms.
        QCOMPARE(iq.decide(forty, false, 5000, false, iqOn()).displayMs, 4600);
        // ... and to 8000 ms.
        QCOMPARE(iq.decide(QString(80, u'a'), false, 30000, false, iqOn()).displayMs, 8000);
        // Not below the gap less 500 ms: no doubling.
        QCOMPARE(iq.decide(forty, false, 2900, false, iqOn()).displayMs, 2400);

        // Short texts get at least 800 ms, doubled when the gap allows.
        const QString ten(10, u'a');
        QCOMPARE(iq.decide(ten, false, 1157, false, iqOn()).displayMs, 800);
        QCOMPARE(iq.decide(ten, false, 6944, false, iqOn()).displayMs, 1600);

        // Line breaks and the italics mark count as characters: 20 of them, 1200 ms.
        QCOMPARE(iq.decide(QStringLiteral("\\abcdefghi|jklmnopqr"), false, 0, false, iqOn()).displayMs,
                 1200);

        // Slower reading speed: (40 + 20) x 5500 / 100.
        IQText::Settings slow = iqOn();
        slow.readingMs = 5500;
        QCOMPARE(iq.decide(forty, false, 0, false, slow).displayMs, 3300);
        QVERIFY(iq.queue().isEmpty());
    }

    void lastEntryIsCappedAndNeverDoubled()
    {
        IQText iq;
        QCOMPARE(iq.decide(QString(10, u'a'), false, 0, false, iqOn()).displayMs, 800);
        QCOMPARE(iq.decide(QString(200, u'a'), false, 0, false, iqOn()).displayMs, 5500);
        // A negative gap (entries out of order) behaves the same.
        QCOMPARE(iq.decide(QString(10, u'a'), false, -6944, false, iqOn()).displayMs, 800);
        QCOMPARE(iq.decide(QString(100, u'a'), false, -6944, false, iqOn()).displayMs, 5500);
    }

    void textsArrivingOnScreenWaitInOrder()
    {
        IQText iq;
        QVERIFY(!iq.decide("first", false, 1157, false, iqOn()).queued);

        auto d = iq.decide("second", false, 3000, true, iqOn());
        QVERIFY(d.queued);
        QVERIFY(iq.decide("third", false, 11574, true, iqOn()).queued);
        QCOMPARE(iq.queue(), QStringList({"second", "third"}));
        QCOMPARE(iq.storedGap(), 11574); // the gap of the last one queued

        // The clear timer: the first waiting text, still counted in the queue while its time
        // is computed: two waiting, so three quarters and no doubling.
        const QString next = *iq.peekNext();
        QCOMPARE(next, QStringLiteral("second"));
        d = iq.decide(QString(40, u'a'), true, 0, false, iqOn());
        QVERIFY(!d.queued);
        QCOMPARE(d.displayMs, 1800); // 2400 x 0.75
        QCOMPARE(iq.takeNext(), std::optional<QString>("second"));

        // One waiting: full time, doubled against the stored gap, not the 0 passed in.
        d = iq.decide(QString(40, u'a'), true, 0, false, iqOn());
        QCOMPARE(d.displayMs, 4800);
        QCOMPARE(iq.takeNext(), std::optional<QString>("third"));
        QVERIFY(!iq.takeNext());
        QVERIFY(!iq.peekNext());
    }

    void threeQuartersNeverGoBelowTheFloor()
    {
        IQText iq;
        iq.decide("a", false, 0, true, iqOn());
        iq.decide("b", false, 0, true, iqOn());
        iq.decide("c", false, 0, true, iqOn());
        // 20 characters: 1200 x 0.75 = 900; 10 characters: 600 x 0.75 -> 800.
        QCOMPARE(iq.decide(QString(20, u'a'), true, 0, false, iqOn()).displayMs, 900);
        QCOMPARE(iq.decide(QString(10, u'a'), true, 0, false, iqOn()).displayMs, 800);
        QCOMPARE(iq.queue().size(), 3); // deciding does not consume the queue
    }

    void aFreshDisplayDropsWhatWasWaiting()
    {
        IQText iq;
        iq.decide("waiting", false, 500, true, iqOn());
        QCOMPARE(iq.queue().size(), 1);
        // Nothing on screen any more (a seek cleared it): shown at once, queue emptied, and
        // its own gap used.
        const auto d = iq.decide(QString(40, u'a'), false, 6944, false, iqOn());
        QVERIFY(!d.queued);
        QCOMPARE(d.displayMs, 4800);
        QVERIFY(iq.queue().isEmpty());
        QCOMPARE(iq.storedGap(), 6944);

        iq.decide("again", false, 500, true, iqOn());
        iq.clear();
        QVERIFY(iq.queue().isEmpty());
    }

    void iqOffShowsEveryTextForTheFixedTimeAtOnce()
    {
        IQText::Settings off = iqOn();
        off.on = false;
        off.fixedMs = 7000;
        IQText iq;
        for (const bool onScreen : {false, true}) {
            const auto d = iq.decide(QString(200, u'a'), false, 0, onScreen, off);
            QVERIFY(!d.queued);
            QCOMPARE(d.displayMs, 7000);
        }
        // Texts left waiting from before it was switched off are dropped by a new one.
        iq.decide("left over", false, 0, true, iqOn());
        iq.decide("new", false, 0, true, off);
        QVERIFY(iq.queue().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSubtitleTiming)
#include "test_subtitle_timing.moc"
