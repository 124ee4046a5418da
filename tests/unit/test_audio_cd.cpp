#include "../fakes/FakeCdDrive.h"
#include "core/CdAudioDevice.h"
#include "core/CdTime.h"
#include "core/CdTrackName.h"

#include <QtTest>

// The disc device's command strings and the time arithmetic the control panel does with
// its replies.
class TestAudioCd : public QObject
{
    Q_OBJECT

    struct Device
    {
        FakeCdDrive *drive = new FakeCdDrive;
        CdAudioDevice device{std::unique_ptr<CdDrive>(drive)};
        QString operator()(const QString &command) { return device.send(command); }
    };

private slots:
    void repliesAreWhatThePanelParses()
    {
        Device cd;
        cd.drive->setDisc({65, 4 * 60 + 2, 9}, {"Intro"});
        // Nothing answers before the alias is open.
        QCOMPARE(cd("status cd number of tracks"), QString());
        cd.device.selectDrive("/media/disc.cue");
        QCOMPARE(cd("open cdaudio alias cd"), QString());
        QCOMPARE(cd.drive->loadedDrive, QStringLiteral("/media/disc.cue"));
        QCOMPARE(cd("set cd time format tmsf"), QString());
        QCOMPARE(cd("status cd number of tracks"), QStringLiteral("3"));
        QCOMPARE(cd("status cd length track 01").left(5), QStringLiteral("01:05"));
        QCOMPARE(cd("status cd length track 02").left(5), QStringLiteral("04:02"));
        QCOMPARE(cd("status cd length track 04"), QString());
        QCOMPARE(cd("status cd length").left(5), QStringLiteral("05:16"));
        QCOMPARE(cd("status cd title track 01"), QStringLiteral("Intro"));
        QCOMPARE(cd("status cd title track 02"), QString());
        QCOMPARE(cd("status cd media present"), QStringLiteral("true"));
        QCOMPARE(cd("status cd mode"), QStringLiteral("stopped"));
        QCOMPARE(cd("status cd position"), QStringLiteral("01:00:00:00"));

        // Playing from a track, from a position inside it, pausing and going on.
        cd("play cd from 02");
        QCOMPARE(cd("status cd mode"), QStringLiteral("playing"));
        cd.drive->advance(3);
        QCOMPARE(cd("status cd position"), QStringLiteral("02:00:03:00"));
        cd("play cd from 02:01:30:10");
        QCOMPARE(cd.drive->calls.last(), QStringLiteral("play 2 %1").arg(90 * 75 + 10));
        QCOMPARE(cd("status cd position"), QStringLiteral("02:01:30:10"));
        cd("pause cd");
        QCOMPARE(cd("status cd mode"), QStringLiteral("stopped"));
        cd("play cd");
        QCOMPARE(cd.drive->calls.last(), QStringLiteral("resume"));
        QCOMPARE(cd("status cd mode"), QStringLiteral("playing"));
        // Past the track's end: the track is over at once, never the next one's sound.
        cd("play cd from 03:05:00:00");
        QCOMPARE(cd.drive->calls.last(), QStringLiteral("play 3 %1").arg(9 * 75));
        QCOMPARE(cd("status cd mode"), QStringLiteral("stopped"));

        cd("set cd door open");
        QCOMPARE(cd("status cd media present"), QStringLiteral("false"));
        QCOMPARE(cd("status cd mode"), QStringLiteral("not ready"));
        cd("set cd door closed");
        QCOMPARE(cd.drive->calls.mid(cd.drive->calls.size() - 2), (QStringList{"tray open", "tray closed"}));
        QCOMPARE(cd("status cd media present"), QStringLiteral("true"));
        // The disc that comes back is read again before it is ready.
        QCOMPARE(cd("status cd mode"), QStringLiteral("not ready"));
        cd("open cdaudio alias cd");
        QCOMPARE(cd("status cd mode"), QStringLiteral("stopped"));

        // Spacing and case do not matter; anything unknown or malformed is answered with nothing.
        QCOMPARE(cd("  STATUS  cd   Number of Tracks "), QStringLiteral("3"));
        const int before = cd.drive->calls.size();
        for (const char *bad : {"status cd", "status dvd mode", "play cd from 00", "play cd from 01:00:61",
                                "play cd from x", "play cd from 01:00:00:75", "eject cd", "", "play cd to 02"})
            QCOMPARE(cd(bad), QString());
        QCOMPARE(cd.drive->calls.size(), before);

        cd("close cd");
        QCOMPARE(cd.drive->calls.last(), QStringLiteral("unload"));
        QCOMPARE(cd("status cd mode"), QString());
    }

    void aMissingDiscAnswersNotReadyAndIsReadAgainAtTheNextOpen()
    {
        Device cd;
        cd.drive->setDisc({10, 20});
        cd.drive->setPresent(false);
        cd.device.selectDrive("/dev/sr0");
        cd("open cdaudio alias cd");
        QCOMPARE(cd("status cd media present"), QStringLiteral("false"));
        QCOMPARE(cd("status cd mode"), QStringLiteral("not ready"));
        QCOMPARE(cd("status cd number of tracks"), QString());
        QCOMPARE(cd("play cd"), QString());
        cd.drive->setPresent(true);
        cd("open cdaudio alias cd");
        QCOMPARE(cd("status cd number of tracks"), QStringLiteral("2"));

        // No drive at all: every command fails quietly.
        CdAudioDevice none;
        QCOMPARE(none.send("open cdaudio alias cd"), QString());
        QCOMPARE(none.send("status cd mode"), QString());
    }

    void sliderUnitsAreHundredMillionthsOfADay()
    {
        // 1 s = 1157.4 units, truncated; a minute and a whole 108 s are exact.
        QCOMPARE(CdTime::sliderUnits(1), 1157);
        QCOMPARE(CdTime::sliderUnits(60), 69444);
        QCOMPARE(CdTime::sliderUnits(108), 125000);
        // Every second of the longest disc survives the way there and back.
        for (int s = 0; s < 100 * 60; ++s)
            QCOMPARE(CdTime::secondsOfSliderUnits(CdTime::sliderUnits(s)), qint64(s));
        // A press anywhere on the slider stays inside the track.
        QCOMPARE(CdTime::sliderTarget(CdTime::sliderUnits(95), "04:02"), QStringLiteral("01:35"));
        QCOMPARE(CdTime::sliderTarget(CdTime::sliderUnits(300), "04:02"), QStringLiteral("04:02"));
    }

    void skipsStayInsideTheTrack_data()
    {
        QTest::addColumn<QString>("elapsed");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("target");
        // Track length 04:02 in every row.
        QTest::newRow("10 s forward") << "01:55" << 10 << true << "02:05";
        QTest::newRow("90 s forward") << "00:45" << 90 << true << "02:15";
        QTest::newRow("90 s back") << "03:10" << 90 << false << "01:40";
        QTest::newRow("back before the start") << "00:05" << 10 << false << "00:00";
        QTest::newRow("90 s past the end") << "03:00" << 90 << true << "04:02";
        QTest::newRow("999 s step") << "00:10" << 999 << true << "04:02";
    }
    void skipsStayInsideTheTrack()
    {
        QFETCH(QString, elapsed);
        QFETCH(int, step);
        QFETCH(bool, forward);
        QFETCH(QString, target);
        QCOMPARE(CdTime::skipTarget(elapsed, step, forward, "04:02").value(), target);
    }

    void trackNames()
    {
        QCOMPARE(CdTrackName::drive("/dev/sr0/Track05.cda"), QStringLiteral("/dev/sr0"));
        QCOMPARE(CdTrackName::drive("/home/a/My Tracks/disc.cue/Track12.cda"), QStringLiteral("/home/a/My Tracks/disc.cue"));
        QCOMPARE(CdTrackName::number("/dev/sr0/Track05.cda"), 5);
        QCOMPARE(CdTrackName::number("/dev/sr0/track12.CDA"), 12);
        QCOMPARE(CdTrackName::number("/dev/sr0/TrackXY.cda"), 0);
        QCOMPARE(CdTrackName::path("/dev/sr1", 3), QStringLiteral("/dev/sr1/Track03.cda"));
        QVERIFY(!CdTrackName::exists("/nowhere/disc.cue/Track01.cda"));
        // What the command line may name a drive by: a device, an image, or the desktop's autoplay.
        QCOMPARE(CdTrackName::driveOfArgument("/dev//sr0/"), QStringLiteral("/dev/sr0"));
        QCOMPARE(CdTrackName::driveOfArgument("/media/a/disc.CUE"), QStringLiteral("/media/a/disc.CUE"));
        QCOMPARE(CdTrackName::driveOfArgument("disc.cue"), QDir::current().absoluteFilePath("disc.cue"));
        QCOMPARE(CdTrackName::driveOfArgument("cdda://sr1/"), QStringLiteral("/dev/sr1"));
        QCOMPARE(CdTrackName::driveOfArgument("/run/user/1000/gvfs/cdda:host=sr0"), QStringLiteral("/dev/sr0"));
        QCOMPARE(CdTrackName::driveOfArgument("/home/a/film.avi"), QString());
        QVERIFY(CdTrackName::exists(QDir::tempPath() + "/Track01.cda"));
    }
};

QTEST_GUILESS_MAIN(TestAudioCd)
#include "test_audio_cd.moc"
