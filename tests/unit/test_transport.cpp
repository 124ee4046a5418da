#include "core/MediaFiles.h"
#include "core/Transport.h"

#include <QtTest>

class TestTransport : public QObject
{
    Q_OBJECT
private slots:
    void skipTextAndPercent()
    {
        // 20 s forward from 137 s of 450 s: 35 %.
        const qint64 target = Transport::skipTarget(137 * Transport::UnitsPerSecond, 20, true);
        QCOMPARE(target, 157 * Transport::UnitsPerSecond);
        QCOMPARE(Transport::skipPercent(target, 450000), 34);
        QCOMPARE(Transport::skipPercent(158 * Transport::UnitsPerSecond, 450000), 35);
        QCOMPARE(Transport::skipText("W przód o ", "20", 35), QStringLiteral("W przód o 20 s (35%)"));
        // Back past the start stops at the start; an unknown length gives 0 %.
        QCOMPARE(Transport::skipTarget(5 * Transport::UnitsPerSecond, 20, false), 0);
        QCOMPARE(Transport::skipPercent(10 * Transport::UnitsPerSecond, 0), 0);
    }

    void sliderPositionsReachEveryPartOfShortAndLongFilms()
    {
        // 213 pixels wide: the track is 189 pixels from x = 12.
        QCOMPARE(Transport::sliderValue(12, 213, 100000), 0);
        QCOMPARE(Transport::sliderValue(0, 213, 100000), 0);           // left of the track
        QCOMPARE(Transport::sliderValue(201, 213, 100000), 100000);    // its right end
        QCOMPARE(Transport::sliderValue(500, 213, 100000), 100000);    // beyond it
        QCOMPARE(Transport::sliderValue(106, 213, 100000), 49735);
        // A 150 ms clip: dividing first would give a step of 0 and the slider would not seek.
        QCOMPARE(Transport::sliderValue(106, 213, 150), 74);
        // A ten-hour film does not overflow.
        QCOMPARE(Transport::sliderValue(201, 213, 36000000), 36000000);
        QCOMPARE(Transport::sliderValue(50, 20, 1000), 0); // no track at all
    }

    void subtitleClockAddsTheShiftsAndNeverGoesNegative()
    {
        QCOMPARE(Transport::subtitleClockSeconds(8000, 0, 2, 0), 10);
        QCOMPARE(Transport::subtitleClockSeconds(8999, 0, 0, 0), 8);
        QCOMPARE(Transport::subtitleClockSeconds(61000, -1, 0, 3), 4);
        QCOMPARE(Transport::subtitleClockSeconds(1000, 0, -5, 0), 0);
    }

    void antiFreezeNudgesOnTheNinthFrozenSecondThenEveryEleven()
    {
        Transport::AntiFreeze watchdog;
        QVERIFY(!watchdog.tick(100, true, 5000000)); // first reading
        QList<int> nudges;
        for (int second = 1; second <= 31; ++second)
            if (watchdog.tick(100, true, 5000000))
                nudges << second;
        QCOMPARE(nudges, (QList<int>{9, 20, 31}));
        // Moving pictures, pause, or the very start of a film: no nudge.
        Transport::AntiFreeze other;
        for (int second = 0; second < 20; ++second) {
            QVERIFY(!other.tick(second, true, 5000000));
            QVERIFY(!other.tick(second, false, 5000000));
        }
        Transport::AntiFreeze atStart;
        for (int second = 0; second < 20; ++second)
            QVERIFY(!atStart.tick(7, true, 50000));
        QVERIFY(atStart.freezeCount() > 7);
    }

    void fileKinds()
    {
        using K = MediaFiles::Kind;
        QCOMPARE(MediaFiles::classify("/a/b.mp3"), K::Audio);
        QCOMPARE(MediaFiles::classify("/a/B.WaV"), K::Audio);
        QCOMPARE(MediaFiles::classify("/dev/sr0/Track01.cda"), K::AudioCdTrack);
        QCOMPARE(MediaFiles::classify("/a/film.avi"), K::Video);
        QCOMPARE(MediaFiles::classify("/a.mp3/film"), K::Video); // a folder's dot is not the file's
        QVERIFY(MediaFiles::isSubtitle("x.SRT"));
        QVERIFY(MediaFiles::isSubtitle("x.smi"));
        QVERIFY(!MediaFiles::isSubtitle("x.avi"));
        QCOMPARE(MediaFiles::subtitleCandidate("/f/film.part.avi"), QStringLiteral("/f/film.part.txt"));
    }

    void secondPartNames()
    {
        QCOMPARE(*MediaFiles::nextPartName("/f/film1.avi"), QStringLiteral("/f/film2.avi"));
        QCOMPARE(*MediaFiles::nextPartName("/f/cd9.avi"), QStringLiteral("/f/cd10.avi"));
        QCOMPARE(*MediaFiles::nextPartName("/f/x0.mpg"), QStringLiteral("/f/x1.mpg"));
        QVERIFY(!MediaFiles::nextPartName("/f/film.avi"));
        QVERIFY(!MediaFiles::nextPartName("/f/film1"));
        QVERIFY(!MediaFiles::nextPartName("/f1.d/film"));
    }
};

QTEST_APPLESS_MAIN(TestTransport)
#include "test_transport.moc"
