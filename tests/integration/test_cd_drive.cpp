#include "engine/SystemCdDrive.h"
#include "support/TestMedia.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The real drive on a generated BIN/CUE image: libcdio reads its table of contents and
// CD-Text, cdiocddasrc plays it into the audio output, which must receive the right tone.
// Taking the disc out is moving the image away.
class TestCdDrive : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString cue;

    static constexpr qint64 Second = 75;

private slots:
    void initTestCase()
    {
        qputenv("BRIVARA_AUDIOSINK", "fakeaudiosink");
        cue = TestMedia::audioCdImage(dir.path(), {440, 880, 1320}, {4, 3, 5}, {"Low", "", "High"});
        QVERIFY(!cue.isEmpty());
    }

    void readsTheTableOfContentsAndTitles()
    {
        SystemCdDrive drive;
        QVERIFY(drive.load(cue));
        const QList<CdDrive::Track> tracks = drive.tracks();
        QCOMPARE(tracks.size(), 3);
        // Whole sectors of 1/75 s: 4 s of samples is 299 sectors.
        QCOMPARE(tracks.at(0).number, 1);
        QCOMPARE(tracks.at(0).frames, qint64(4 * 44100 / 588));
        QCOMPARE(tracks.at(1).frames, qint64(3 * 44100 / 588));
        QCOMPARE(tracks.at(2).frames, qint64(5 * 44100 / 588));
        QCOMPARE(drive.discFrames(), tracks.at(0).frames + tracks.at(1).frames + tracks.at(2).frames);
        QCOMPARE(tracks.at(0).title, QStringLiteral("Low"));
        QCOMPARE(tracks.at(1).title, QString());
        QCOMPARE(tracks.at(2).title, QStringLiteral("High"));
        QVERIFY(drive.mediaPresent());

        SystemCdDrive none;
        QVERIFY(!none.load(dir.filePath("missing.cue")));
        QVERIFY(!none.mediaPresent());
        QCOMPARE(none.mode(), CdDrive::Mode::NotReady);
        QVERIFY(!none.play(1, 0));
    }

    void playsTheChosenTrackFromWhereItIsAsked()
    {
        SystemCdDrive drive;
        QVERIFY(drive.load(cue));
        QVERIFY(drive.play(2, 0));
        QCOMPARE(drive.mode(), CdDrive::Mode::Playing);
        QTRY_VERIFY_WITH_TIMEOUT(drive.sound().buffers > 20, 5000);
        // The second track's tone, not the first's: 880 Hz.
        QVERIFY2(qAbs(drive.sound().pitchHz - 880) < 15, qPrintable(QString::number(drive.sound().pitchHz)));
        QVERIFY(drive.sound().level > 0.2);
        // Turned down by 20 dB the output receives a tenth of it.
        drive.setVolume(-2000);
        QVERIFY(drive.play(2, 0));
        QTRY_VERIFY_WITH_TIMEOUT(drive.sound().buffers > 10, 5000);
        QVERIFY2(qAbs(drive.sound().level - 0.026) < 0.005, qPrintable(QString::number(drive.sound().level)));
        drive.setVolume(0);
        QTRY_VERIFY_WITH_TIMEOUT(drive.position() > Second / 2, 5000);

        // Into the third track at 3 s: its tone, its position.
        QVERIFY(drive.play(3, 3 * Second));
        QCOMPARE(drive.currentTrack(), 3);
        QVERIFY(drive.position() >= 3 * Second && drive.position() < 4 * Second);
        QTRY_VERIFY_WITH_TIMEOUT(drive.sound().buffers > 10, 5000);
        QVERIFY(qAbs(drive.sound().pitchHz - 1320) < 20);

        // Paused, the position holds; resumed, it moves on; at the end the sound stops there.
        drive.pause();
        QCOMPARE(drive.mode(), CdDrive::Mode::Stopped);
        const qint64 paused = drive.position();
        QTest::qWait(400);
        QVERIFY(qAbs(drive.position() - paused) <= 2);
        drive.resume();
        QCOMPARE(drive.mode(), CdDrive::Mode::Playing);
        QTRY_COMPARE_WITH_TIMEOUT(drive.mode(), CdDrive::Mode::Stopped, 5000);
        QCOMPARE(drive.position(), drive.tracks().at(2).frames);

        // Stop goes back to the track's start; resume starts it there.
        drive.stop();
        QCOMPARE(drive.position(), 0);
        drive.resume();
        QCOMPARE(drive.mode(), CdDrive::Mode::Playing);
        QTRY_VERIFY_WITH_TIMEOUT(drive.position() > 0, 5000);
    }

    void aDiscTakenOutStopsAndComesBackWhenPutBack()
    {
        SystemCdDrive drive;
        QVERIFY(drive.load(cue));
        QVERIFY(drive.play(1, 0));
        const QString away = dir.filePath("elsewhere.cue");
        QVERIFY(QFile::rename(cue, away));
        QVERIFY(!drive.mediaPresent());
        QCOMPARE(drive.mode(), CdDrive::Mode::Stopped);
        QVERIFY(QFile::rename(away, cue));
        QVERIFY(drive.mediaPresent());

        // Without its data file the image is no disc either.
        const QString bin = dir.filePath("disc.bin");
        QVERIFY(QFile::rename(bin, bin + ".away"));
        QVERIFY(!drive.mediaPresent());
        QVERIFY(QFile::rename(bin + ".away", bin));
        QVERIFY(drive.mediaPresent());

        // An image's tray is pretended: open, the disc is gone; closed, it is back.
        QVERIFY(drive.setTrayOpen(true));
        QVERIFY(!drive.mediaPresent());
        QVERIFY(!drive.play(1, 0));
        QVERIFY(drive.setTrayOpen(false));
        QVERIFY(drive.mediaPresent());
        QVERIFY(drive.play(1, 0));
    }
};

QTEST_GUILESS_MAIN(TestCdDrive)
#include "test_cd_drive.moc"
