#include "core/FunctionSlider.h"
#include "core/MprisState.h"

#include <QTest>

// The player's state as the desktop's media controls read it, and the way back.
class TestMprisState : public QObject
{
    Q_OBJECT

    static MprisState::Snapshot playingFilm()
    {
        MprisState::Snapshot s;
        s.playState = 1;
        s.file = QStringLiteral("/films/My Film [2].avi");
        s.durationMs = 90500;
        s.mediumCount = 3;
        s.canGoNext = true;
        return s;
    }

private slots:
    void propertiesFollowTheMediumAndReportOnlyWhatChanged()
    {
        MprisState::Snapshot s;
        const QVariantMap idle = MprisState::properties(s);
        QCOMPARE(idle.value("PlaybackStatus").toString(), QStringLiteral("Stopped"));
        QCOMPARE(idle.value("Metadata").toMap(),
                 (QVariantMap{{"mpris:trackid", QString::fromLatin1(MprisState::NoTrack)}}));
        QCOMPARE(idle.value("CanPlay").toBool(), false);

        s = playingFilm();
        const QVariantMap playing = MprisState::properties(s);
        const QVariantMap m = playing.value("Metadata").toMap();
        QCOMPARE(m.value("xesam:title").toString(), QStringLiteral("My Film [2]"));
        // An address clients can hand back: escaped, and naming the same file.
        QVERIFY(m.value("xesam:url").toString().startsWith("file:///films/My%20Film%20"));
        QCOMPARE(MprisState::localPath(m.value("xesam:url").toString()).value_or("none"), s.file);
        QCOMPARE(m.value("mpris:length").toLongLong(), 90500000LL);
        QCOMPARE(m.value("mpris:trackid").toString(), QStringLiteral("/org/brivara/track/3"));
        QVERIFY(!m.contains("xesam:trackNumber"));

        // A pause changes the status and nothing else; the next medium changes the metadata.
        s.playState = 3;
        const QVariantMap paused = MprisState::properties(s);
        QCOMPARE(paused.value("PlaybackStatus").toString(), QStringLiteral("Paused"));
        QCOMPARE(MprisState::changed(playing, paused), QStringList{"PlaybackStatus"});
        QCOMPARE(MprisState::changed(paused, paused), QStringList());
        s.mediumCount = 4;
        QCOMPARE(MprisState::changed(paused, MprisState::properties(s)), QStringList{"Metadata"});
        s.muted = true;
        QCOMPARE(MprisState::changed(paused, MprisState::properties(s)), (QStringList{"Metadata", "Volume"}));

        // A disc track: its number, the disc as album, the CD-Text title or the panel's name.
        MprisState::Snapshot cd;
        cd.playState = 1;
        cd.cd = true;
        cd.file = QStringLiteral("/dev/sr0/Track07.cda");
        cd.durationMs = 1000;
        QVariantMap t = MprisState::metadata(cd);
        QCOMPARE(t.value("xesam:trackNumber").toInt(), 7);
        QCOMPARE(t.value("xesam:album").toString(), QStringLiteral("Audio CD"));
        QCOMPARE(t.value("xesam:title").toString(), QStringLiteral("Audio CD - 07"));
        QCOMPARE(MprisState::localPath(t.value("xesam:url").toString()).value_or("none"), cd.file);
        cd.cdTitle = QStringLiteral("Rondo");
        QCOMPARE(MprisState::metadata(cd).value("xesam:title").toString(), QStringLiteral("Rondo"));
    }

    void clientValuesComeBackToThePanelsLevels()
    {
        // Every level survives the trip out and back; louder is always more.
        for (int level = FunctionSlider::MinLevel; level <= FunctionSlider::MaxLevel; ++level) {
            const double v = MprisState::volume(level, false);
            QVERIFY(v > 0 && v <= 1.0);
            if (level > FunctionSlider::MinLevel)
                QVERIFY(v > MprisState::volume(level - 1, false));
            QCOMPARE(MprisState::volumeChoice(v, 0).level, level);
            QVERIFY(!MprisState::volumeChoice(v, 0).mute);
            QCOMPARE(MprisState::speedLevel(FunctionSlider::rate(level)), level);
        }
        QCOMPARE(MprisState::volume(5, false), 1.0);
        QCOMPARE(MprisState::volume(3, true), 0.0);
        QVERIFY(MprisState::volumeChoice(0.0, 2).mute);
        QCOMPARE(MprisState::volumeChoice(0.0, 2).level, 2); // unmuting gives the level back
        QCOMPARE(MprisState::volumeChoice(7.5, 0).level, 5);
        QCOMPARE(MprisState::speedLevel(9.0), 5);
        QCOMPARE(MprisState::speedLevel(1.0), 0);

        QCOMPARE(MprisState::seekTarget(5'000'000, -9'000'000, 60'000'000).value_or(-1), 0);
        QCOMPARE(MprisState::seekTarget(5'000'000, 10'000'000, 60'000'000).value_or(-1), 15'000'000);
        QVERIFY(!MprisState::seekTarget(55'000'000, 10'000'000, 60'000'000)); // past the end: the next one

        QVERIFY(!MprisState::jumped(10'000, 10'400, 400, 1.0, true));
        QVERIFY(!MprisState::jumped(10'000, 10'800, 400, 2.0, true));
        QVERIFY(MprisState::jumped(10'000, 30'000, 400, 1.0, true));
        QVERIFY(MprisState::jumped(10'000, 12'000, 5000, 1.0, false));

        QCOMPARE(MprisState::localPath("file:///films/a%20b.avi").value_or("none"), QStringLiteral("/films/a b.avi"));
        QCOMPARE(MprisState::localPath("/films/c.avi").value_or("none"), QStringLiteral("/films/c.avi"));
        QVERIFY(!MprisState::localPath("http://example.org/x.avi"));
        QVERIFY(!MprisState::localPath("films/relative.avi"));
    }
};

QTEST_APPLESS_MAIN(TestMprisState)
#include "test_mpris_state.moc"
