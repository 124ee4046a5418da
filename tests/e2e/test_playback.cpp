#include "platform/ControlClient.h"
#include "support/TestMedia.h"
#include "support/TestSupport.h"

#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The real program on real media, driven through its control socket.
class TestPlayback : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QString socket;
    QProcess player;

    QJsonObject ask(const QJsonObject &request) { return ControlClient::send(socket, request).object; }
    QJsonObject state() { return ask({{"cmd", "state"}}).value("state").toObject(); }
    qint64 position() { return qint64(state().value("positionMs").toDouble()); }
    void click(const char *control) { ask({{"cmd", "click"}, {"window", "TForm1"}, {"control", control}}); }
    void open(const QString &path) { QVERIFY(ask({{"cmd", "open"}, {"path", path}}).value("ok").toBool()); }
    QString copy(const QString &from, const QString &name)
    {
        const QString to = home.filePath(name);
        QFile::remove(to);
        return QFile::copy(from, to) ? to : QString();
    }

private slots:
    void initTestCase()
    {
        socket = QStringLiteral("brivara-play-%1").arg(QCoreApplication::applicationPid());
        const QProcessEnvironment env = TestSupport::playerEnvironment(home.path(), socket);
        const QString film = TestMedia::movie(6, "ball");
        QVERIFY(!film.isEmpty());
        player.setProcessEnvironment(env);
        player.setProcessChannelMode(QProcess::ForwardedChannels);
        player.start(qEnvironmentVariable("BRIVARA_EXE"), {copy(film, "demo.avi")});
        QVERIFY(player.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(state().value("playState").toInt(), 1, 20000);
    }

    void transportFromThePanel()
    {
        QTRY_VERIFY_WITH_TIMEOUT(position() > 500, 10000);
        click("BPause");
        QTRY_COMPARE(state().value("playState").toInt(), 3);
        const qint64 paused = position();
        QTest::qWait(600);
        QVERIFY(qAbs(position() - paused) < 100);
        click("BPlay");
        QTRY_COMPARE(state().value("playState").toInt(), 1);
        click("BStop");
        QTRY_COMPARE(state().value("playState").toInt(), 2);
        QTRY_VERIFY(position() < 100);
        click("BPlay");
        // Skip forward by 2 s (the setting), then back past the start: clamped to 0.
        ask({{"cmd", "set"}, {"window", "TForm4"}, {"control", "ButtonSkipBack"}, {"value", 2}});
        click("BStep");
        QTRY_VERIFY(position() >= 1900);
        click("BBack");
        click("BBack");
        QTRY_VERIFY(position() < 1500);
        QCOMPARE(state().value("playState").toInt(), 1);
    }

    void theEndOfAFilmStopsItAndPartTwoFollows()
    {
        const QString film = TestMedia::movie(3, "smpte");
        const QString one = copy(film, "odc9.avi");
        const QString two = copy(film, "odc10.avi");
        open(one);
        QTRY_COMPARE_WITH_TIMEOUT(state().value("currentFile").toString(), one, 15000);
        // After three seconds the second part opens and plays on.
        QTRY_COMPARE_WITH_TIMEOUT(state().value("currentFile").toString(), two, 15000);
        QTRY_COMPARE(state().value("playState").toInt(), 1);
        // And at its end, with nothing more to play, the film stops at its start.
        QTRY_COMPARE_WITH_TIMEOUT(state().value("playState").toInt(), 2, 15000);
        QCOMPARE(state().value("currentFile").toString(), two);
    }

    void soundOnlyLeavesTheVideoWindowHidden()
    {
        const QString song = copy(TestMedia::audioOnly(3), "song.wav");
        open(song);
        QTRY_COMPARE_WITH_TIMEOUT(state().value("currentFile").toString(), song, 15000);
        QTRY_COMPARE(state().value("playState").toInt(), 1);
        QTRY_VERIFY(!state().value("windows").toObject().value("TForm2").toObject().value("visible").toBool());
        const QJsonObject roz = ask({{"cmd", "get"}, {"window", "TForm1"}, {"control", "StatusRoz"}});
        QCOMPARE(roz.value("text").toString(), QStringLiteral("Audio"));
        QTRY_VERIFY_WITH_TIMEOUT(position() > 300, 10000);
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

QTEST_GUILESS_MAIN(TestPlayback)
#include "test_playback.moc"
