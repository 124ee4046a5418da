#include "platform/ControlClient.h"
#include "support/TestMedia.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

// The desktop's media controls drive the real player: playerctl on the test's session bus
// pauses, plays, steps to the next film, seeks and sets the volume, and hears every change.
// The films opened also reach the desktop's list of recently used files.
class TestMediaControls : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QString socket;
    QProcess player;
    QProcess follower;
    QStringList films;

    QJsonObject ask(const QJsonObject &request) { return ControlClient::send(socket, request).object; }
    QJsonObject state() { return ask({{"cmd", "state"}}).value("state").toObject(); }
    QString ctl(const QStringList &args)
    {
        QString out;
        TestSupport::run(QStringLiteral("playerctl"), QStringList{"-p", "brivara"} + args, 10000, &out);
        return out.trimmed();
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("playerctl").isEmpty())
            QSKIP("playerctl is not installed (scripts/setup installs it)");
        socket = QStringLiteral("brivara-mpris-%1").arg(QCoreApplication::applicationPid());
        QDir().mkpath(home.filePath("config/Zendor"));
        QFile settings(home.filePath("config/Zendor/Brivara.conf"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[General]\nFirst=false\n");
        settings.close();
        for (const char *name : {"first film.avi", "second.avi"}) {
            films << home.filePath(name);
            QVERIFY(QFile::copy(TestMedia::movie(8, "ball"), films.last()));
        }
        player.setProcessEnvironment(TestSupport::playerEnvironment(home.path(), socket));
        player.setProcessChannelMode(QProcess::ForwardedChannels);
        player.start(qEnvironmentVariable("BRIVARA_EXE"), {});
        QVERIFY(player.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(ask({{"cmd", "state"}}).value("ok").toBool(), 20000);
        // Both films chosen in the open dialog: they are the playlist, the first plays.
        QVERIFY(ask({{"cmd", "click"}, {"window", "TForm1"}, {"control", "ButtonOpen"}}).value("ok").toBool());
        QTRY_VERIFY_WITH_TIMEOUT(!ask({{"cmd", "dialog"}}).value("dialog").isNull(), 10000);
        QVERIFY(ask({{"cmd", "answer"}, {"paths", QJsonArray::fromStringList(films)}}).value("ok").toBool());
        QTRY_COMPARE_WITH_TIMEOUT(state().value("currentFile").toString(), films[0], 20000);
        QTRY_COMPARE_WITH_TIMEOUT(state().value("playState").toInt(), 1, 10000);
        // On the bus shortly after the first picture.
        QTRY_COMPARE_WITH_TIMEOUT(ctl({"status"}), QStringLiteral("Playing"), 10000);
    }

    void playerctlReadsAndDrivesThePlayer()
    {
        QCOMPARE(ctl({"metadata", "--format", "{{xesam:title}}|{{xesam:url}}"}),
                 QStringLiteral("first film|") + QUrl::fromLocalFile(films[0]).toString(QUrl::FullyEncoded));
        const qint64 length = ctl({"metadata", "mpris:length"}).toLongLong();
        QVERIFY2(length > 7'000'000 && length < 9'000'000, qPrintable(QString::number(length)));

        // Changes arrive as signals, whoever made them.
        // Line-buffered: into a pipe, playerctl would otherwise keep its lines to itself.
        follower.start("stdbuf", {"-oL", "playerctl", "-p", "brivara", "--follow", "status"});
        QVERIFY(follower.waitForStarted());
        QByteArray heard;
        auto hears = [&](const char *word) {
            heard += follower.readAll();
            return heard.contains(word);
        };
        QTRY_VERIFY_WITH_TIMEOUT(hears("Playing"), 5000);
        heard.clear();

        ctl({"play-pause"});
        QTRY_COMPARE_WITH_TIMEOUT(state().value("playState").toInt(), 3, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(hears("Paused"), 5000);
        heard.clear();
        // The panel's own button is heard too.
        QVERIFY(ask({{"cmd", "click"}, {"window", "TForm1"}, {"control", "BPlay"}}).value("ok").toBool());
        QTRY_VERIFY_WITH_TIMEOUT(hears("Playing"), 5000);

        ctl({"position", "5"});
        QTRY_VERIFY_WITH_TIMEOUT(state().value("positionMs").toInt() >= 4500, 5000);
        QVERIFY(ctl({"position"}).toDouble() >= 4.5);

        ctl({"volume", "0.25"});
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(ctl({"volume"}).toDouble() - 0.244) < 0.01, 5000);

        ctl({"next"});
        QTRY_COMPARE_WITH_TIMEOUT(state().value("currentFile").toString(), films[1], 10000);
        QTRY_COMPARE_WITH_TIMEOUT(ctl({"metadata", "xesam:title"}), QStringLiteral("second"), 5000);

        ctl({"open", QUrl::fromLocalFile(films[0]).toString()});
        QTRY_COMPARE_WITH_TIMEOUT(state().value("currentFile").toString(), films[0], 10000);

        // Both films are in the desktop's list, each once.
        auto bookmarks = [&] {
            QFile xbel(home.filePath("data/recently-used.xbel"));
            return xbel.open(QIODevice::ReadOnly) ? xbel.readAll().count("<bookmark ") : -1;
        };
        QTRY_COMPARE_WITH_TIMEOUT(bookmarks(), 2, 5000);
    }

    void cleanupTestCase()
    {
        if (follower.state() != QProcess::NotRunning) {
            follower.kill();
            follower.waitForFinished();
        }
        if (player.state() != QProcess::NotRunning) {
            ask({{"cmd", "quit"}});
            if (!player.waitForFinished(20000)) {
                player.kill();
                player.waitForFinished();
            }
        }
    }
};

QTEST_MAIN(TestMediaControls)
#include "test_media_controls.moc"
