#include "core/ControlProtocol.h"
#include "platform/ControlClient.h"
#include "support/TestMedia.h"
#include "support/TestSupport.h"

#include <QDBusConnection>
#include <QImage>
#include <QJsonArray>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// Stands in for the desktop's screen saver on the private test bus.
class StandInScreenSaver : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList inhibitedBy;
    int releases = 0;
public slots:
    quint32 Inhibit(const QString &application, const QString &)
    {
        inhibitedBy << application;
        return 7;
    }
    void UnInhibit(quint32 cookie) { releases += cookie == 7; }
};

class TestE2EStartup : public QObject
{
    Q_OBJECT

    QString socket;
    QTemporaryDir home;
    QProcess player;
    StandInScreenSaver standIn;

    QProcessEnvironment environment() const
    {
        // Its own settings and program folder: nothing of the user's is read or written.
        return TestSupport::playerEnvironment(home.path(), socket);
    }

    QJsonObject ask(const QJsonObject &request)
    {
        const ControlClient::Reply reply = ControlClient::send(socket, request);
        if (!reply.delivered)
            qWarning() << "no reply:" << reply.error;
        return reply.object;
    }
    QJsonObject state() { return ask({{"cmd", "state"}}).value("state").toObject(); }

private slots:
    void initTestCase()
    {
        socket = QStringLiteral("brivara-e2e-%1").arg(QCoreApplication::applicationPid());
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.isConnected());
        QVERIFY(bus.registerObject("/org/freedesktop/ScreenSaver", &standIn,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService("org.freedesktop.ScreenSaver"));

        const QString film = TestMedia::movie(8, "smpte");
        QVERIFY(!film.isEmpty());
        player.setProcessEnvironment(environment());
        player.setProcessChannelMode(QProcess::ForwardedChannels);
        player.start(qEnvironmentVariable("BRIVARA_EXE"), {film});
        QVERIFY(player.waitForStarted());
        // Our event loop must run for the stand-in to answer the player's Inhibit call.
        QTRY_VERIFY_WITH_TIMEOUT(ask({{"cmd", "state"}}).value("ok").toBool(), 20000);
    }

    void startsWithItsWindowsAndPlaysTheFilm()
    {
        QTRY_COMPARE_WITH_TIMEOUT(state().value("playState").toInt(), 1, 15000);
        const QJsonObject s = state();
        const QJsonObject windows = s.value("windows").toObject();
        QCOMPARE(windows.size(), 9);
        const QJsonObject panel = windows.value("TForm1").toObject();
        QVERIFY(panel.value("visible").toBool());
        QCOMPARE(panel.value("clientWidth").toInt(), 492);
        QCOMPARE(panel.value("clientHeight").toInt(), 72);
        const QJsonObject video = windows.value("TForm2").toObject();
        QVERIFY(video.value("visible").toBool());
        // Pinned: the video window sits right on top of the panel, as wide as it.
        QCOMPARE(video.value("clientWidth").toInt(), 492);
        QCOMPARE(video.value("y").toInt() + video.value("height").toInt(), panel.value("y").toInt());
        QCOMPARE(s.value("videoWidth").toInt(), 320);
        // The player asks without waiting; the answer comes when our loop gets to it.
        QTRY_VERIFY(state().value("screenSaverInhibited").toBool());
        QCOMPARE(standIn.inhibitedBy, QStringList{"Brivara"});

        const qint64 first = qint64(state().value("positionMs").toDouble());
        QTRY_VERIFY_WITH_TIMEOUT(qint64(state().value("positionMs").toDouble()) > first + 500, 10000);
        const QJsonObject time = ask({{"cmd", "get"}, {"window", "TForm1"}, {"control", "StatusTime"}});
        QVERIFY2(time.value("text").toString().endsWith("/00:00:08"), qPrintable(time.value("text").toString()));
    }

    void thePanelButtonsDriveThePlayer()
    {
        QVERIFY(ask({{"cmd", "click"}, {"window", "TForm1"}, {"control", "BPause"}}).value("ok").toBool());
        QTRY_COMPARE(state().value("playState").toInt(), 3);
        const QJsonObject pause = ask({{"cmd", "get"}, {"window", "TForm1"}, {"control", "BPause"}});
        QVERIFY(pause.value("down").toBool());
        ask({{"cmd", "click"}, {"window", "TForm1"}, {"control", "BPlay"}});
        QTRY_COMPARE(state().value("playState").toInt(), 1);
    }

    void theScreenshotShowsThePicture()
    {
        const QString path = QDir::temp().filePath(socket + ".png");
        QVERIFY(ask({{"cmd", "screenshot"}, {"path", path}, {"overwrite", true}}).value("ok").toBool());
        QImage shot(path);
        QVERIFY(!shot.isNull());
        const QJsonObject video = state().value("windows").toObject().value("TForm2").toObject();
        // Colour bars: the middle of the picture is far from black.
        const QPoint centre(video.value("x").toInt() + video.value("width").toInt() / 2,
                            video.value("y").toInt() + video.value("height").toInt() / 3);
        const QColor c = shot.pixelColor(centre);
        QVERIFY2(c.red() + c.green() + c.blue() > 150, qPrintable(c.name()));
        QFile::remove(path);
    }

    void badRequestsGetErrorsAndThePlayerGoesOn()
    {
        ControlClient client;
        QVERIFY(client.connectTo(socket));
        const ControlClient::Reply garbage = client.requestLine("this is not json");
        QVERIFY(garbage.delivered);
        QCOMPARE(garbage.object.value("ok").toBool(), false);
        QVERIFY(!garbage.object.value("error").toString().isEmpty());
        const ControlClient::Reply unknown = client.request({{"cmd", "get"}, {"window", "TForm1"}, {"control", "Nope"}});
        QCOMPARE(unknown.object.value("ok").toBool(), false);
        QCOMPARE(client.request({{"cmd", "state"}}).object.value("ok").toBool(), true);
    }

    void theCommandLineTalksToTheRunningPlayer()
    {
        auto run = [&](const QStringList &args, QString *out) {
            QProcess p;
            p.setProcessEnvironment(environment());
            p.start(qEnvironmentVariable("BRIVARA_EXE"), args);
            p.waitForFinished(10000);
            *out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
            return p.exitCode();
        };
        QString out;
        QCOMPARE(run({"--version"}, &out), 0);
        QCOMPARE(out, QStringLiteral("brivara 1.7"));
        QCOMPARE(run({"--help"}, &out), 0);
        QVERIFY2(out.startsWith("Usage: brivara ") && out.contains("--version"), qPrintable(out));
        // A mistyped option is an error, never a film to open (the running one goes on).
        QCOMPARE(run({"--vresion"}, &out), 2);
        QVERIFY(out.isEmpty());
        QCOMPARE(run({"--ipc", R"({"cmd":"get","window":"TForm1","control":"ProgName"})"}, &out), 0);
        QVERIFY2(out.contains("Brivara V1.7"), qPrintable(out));
        QCOMPARE(run({"--remote", "99"}, &out), 1); // delivered, refused: no such key row
        QVERIFY(out.contains("\"ok\":false"));
        QCOMPARE(run({"--remote", "1"}, &out), 0);
        QCOMPARE(run({"--ipc", "not json"}, &out), 2);
    }

    void aSecondInstanceHandsItsFileOverAndEnds()
    {
        const QString other = TestMedia::movie(3, "red");
        QProcess second;
        second.setProcessEnvironment(environment());
        second.start(qEnvironmentVariable("BRIVARA_EXE"), {other});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(state().value("currentFile").toString(), other, 15000);
        // The hand-over also leaves the name in the settings file.
        QSettings settings(home.filePath("config/Zendor/Brivara.conf"), QSettings::IniFormat);
        QCOMPARE(settings.value("NewFile").toString(), other);
    }

    void cleanupTestCase()
    {
        if (player.state() == QProcess::Running) {
            // The run values are written on the way out.
            const QString conf = home.filePath("config/Zendor/Brivara.conf");
            ask({{"cmd", "quit"}});
            QTRY_VERIFY_WITH_TIMEOUT(player.state() == QProcess::NotRunning, 15000);
            QCOMPARE(player.exitStatus(), QProcess::NormalExit);
            QCOMPARE(player.exitCode(), 0);
            QCOMPARE(standIn.releases, 1);
            QSettings settings(conf, QSettings::IniFormat);
            QVERIFY(settings.value("LastOpenList1").toString().endsWith(".avi"));
            QVERIFY(!settings.value("AutoResumeFile").toString().isEmpty());
        }
        QDBusConnection::sessionBus().unregisterService("org.freedesktop.ScreenSaver");
    }
};

QTEST_GUILESS_MAIN(TestE2EStartup)
#include "test_startup.moc"
