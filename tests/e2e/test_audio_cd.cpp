#include "platform/ControlClient.h"
#include "support/TestMedia.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The real program playing a generated disc image given on its command line: the audio
// output must receive the tone of the track that is playing, and the disc taken out and
// put back (the image moved away and back) must stop and restart it by itself.
class TestAudioCd : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QString socket;
    QString cue;
    QProcess player;

    QJsonObject ask(const QJsonObject &request) { return ControlClient::send(socket, request).object; }
    QJsonObject state() { return ask({{"cmd", "state"}}).value("state").toObject(); }
    int playState() { return state().value("playState").toInt(); }
    QJsonObject sound() { return state().value("cdSound").toObject(); }
    double pitch() { return sound().value("pitchHz").toDouble(); }
    double buffers() { return sound().value("buffers").toDouble(); }
    QString text(const char *control)
    {
        return ask({{"cmd", "get"}, {"window", "TForm1"}, {"control", control}}).value("text").toString();
    }
    // A tone heard for a while: enough buffers to tell its pitch.
    bool hears(double hz)
    {
        return QTest::qWaitFor([&] { return buffers() > 30; }, 10000) && qAbs(pitch() - hz) < 20;
    }

private slots:
    void initTestCase()
    {
        QDir(home.path()).mkpath("disc");
        cue = TestMedia::audioCdImage(home.filePath("disc"), {440, 880, 1320}, {5, 3, 30});
        QVERIFY(!cue.isEmpty());
        socket = QStringLiteral("brivara-cd-%1").arg(QCoreApplication::applicationPid());
        player.setProcessEnvironment(TestSupport::playerEnvironment(home.path(), socket));
        player.setProcessChannelMode(QProcess::ForwardedChannels);
        player.setWorkingDirectory(home.filePath("disc"));
        player.start(qEnvironmentVariable("BRIVARA_EXE"), {"disc.cue"});
        QVERIFY(player.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(playState(), 1, 20000);
    }

    void theFirstTrackSoundsFromTheCommandLine()
    {
        QCOMPARE(state().value("mediaMode").toInt(), 2);
        QCOMPARE(state().value("currentFile").toString(), cue + "/Track01.cda");
        QCOMPARE(text("StatusFileName"), QStringLiteral("Audio CD - 01 / 3"));
        QVERIFY2(hears(440), qPrintable(QString::number(pitch())));
        // A sine of 12000 is 0.26 at full volume; the volume level 0 takes it to half of that.
        const double level = sound().value("level").toDouble();
        QVERIFY2(level > 0.1 && level < 0.16, qPrintable(QString::number(level)));
        QTRY_VERIFY_WITH_TIMEOUT(text("StatusTime").startsWith("00:01/00:05/00:38"), 5000);
    }

    void anotherTrackSoundsItsOwnTone()
    {
        QVERIFY(ask({{"cmd", "open"}, {"path", cue + "/Track03.cda"}}).value("ok").toBool());
        QTRY_COMPARE_WITH_TIMEOUT(text("StatusFileName"), QStringLiteral("Audio CD - 03 / 3"), 10000);
        QVERIFY2(hears(1320), qPrintable(QString::number(pitch())));
        // A skip forward lands inside the track and plays on there.
        ask({{"cmd", "set"}, {"window", "TForm4"}, {"control", "ButtonSkipBack"}, {"value", 10}});
        QTRY_VERIFY(text("StatusTime").startsWith("00:0"));
        ask({{"cmd", "click"}, {"window", "TForm1"}, {"control", "BStep"}});
        QTRY_VERIFY_WITH_TIMEOUT(text("StatusTime") >= QStringLiteral("00:10"), 5000);
        QVERIFY(text("StatusTime") < QStringLiteral("00:15"));
        QVERIFY(hears(1320));
    }

    void theDiscTakenOutAndPutBackPlaysAgain()
    {
        const QString away = home.filePath("away.cue");
        QVERIFY(QFile::rename(cue, away));
        QTRY_COMPARE_WITH_TIMEOUT(text("StatusTime"), QStringLiteral("Insert AudioCD!"), 5000);
        QCOMPARE(text("StatusRoz"), QStringLiteral("No Disc"));
        QCOMPARE(playState(), 0);
        // No sound while the disc is out.
        const double heard = buffers();
        QTest::qWait(800);
        QVERIFY(buffers() - heard < 3);

        QVERIFY(QFile::rename(away, cue));
        QTRY_COMPARE_WITH_TIMEOUT(playState(), 1, 5000);
        QCOMPARE(text("StatusFileName"), QStringLiteral("Audio CD - 03 / 3"));
        QVERIFY(hears(1320));
    }

    void aSecondStartWithTheImageHandsItsFirstTrackOver()
    {
        QProcess second;
        second.setProcessEnvironment(player.processEnvironment());
        second.setWorkingDirectory(home.filePath("disc"));
        second.start(qEnvironmentVariable("BRIVARA_EXE"), {"disc.cue"});
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(state().value("currentFile").toString(), cue + "/Track01.cda", 10000);
        QTRY_COMPARE(playState(), 1);
        QVERIFY(hears(440));
    }

    void cleanupTestCase()
    {
        if (player.state() == QProcess::Running) {
            ask({{"cmd", "quit"}});
            QVERIFY(player.waitForFinished(15000));
            QCOMPARE(player.exitCode(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestAudioCd)
#include "test_audio_cd.moc"
