#include "core/TextFile.h"
#include "platform/ControlClient.h"
#include "support/TestMedia.h"
#include "support/TestSupport.h"
#include "support/XorgServer.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The real program on an X server with two 1024 x 768 outputs side by side, which (unlike
// the suite's virtual screen) changes modes: both kinds of full screen, the second monitor,
// the pointer and the progress strip under real pointer moves and clicks.
class TestFullScreenXorg : public QObject
{
    Q_OBJECT

    XorgServer xorg;
    QTemporaryDir home;
    QString socket;
    QProcess player;

    QJsonObject ask(const QJsonObject &request) { return ControlClient::send(socket, request).object; }
    QJsonObject state() { return ask({{"cmd", "state"}}).value("state").toObject(); }
    QJsonObject window(const char *name) { return state().value("windows").toObject().value(name).toObject(); }
    QRect frame(const char *name)
    {
        const QJsonObject w = window(name);
        return QRect(w.value("x").toInt(), w.value("y").toInt(), w.value("width").toInt(), w.value("height").toInt());
    }
    bool visible(const char *name) { return window(name).value("visible").toBool(); }
    bool fullScreen() { return state().value("fullScreen").toBool(); }
    bool enabled(const char *window, const char *control)
    {
        return ask({{"cmd", "get"}, {"window", window}, {"control", control}}).value("enabled").toBool();
    }
    void key(int row) { QVERIFY(ask({{"cmd", "key"}, {"row", row}}).value("ok").toBool()); }
    bool xdotool(const QStringList &arguments)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", xorg.display());
        p.setProcessEnvironment(env);
        p.start("xdotool", arguments);
        return p.waitForFinished(10000) && p.exitCode() == 0;
    }
    QString primaryMode()
    {
        for (const QString &line : xorg.xrandr().split('\n'))
            if (line.startsWith("DUMMY0 "))
                return line.section(' ', 3, 3);
        return {};
    }

private slots:
    void initTestCase()
    {
        if (!XorgServer::installed() || QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("needs Xorg with the dummy video driver and xdotool (scripts/setup installs them)");
        QString why;
        QVERIFY2(xorg.start(2, &why), qPrintable(why));
        QCOMPARE(primaryMode(), QStringLiteral("1024x768+0+0"));

        socket = QStringLiteral("brivara-fsx-%1").arg(QCoreApplication::applicationPid());
        const QString film = home.filePath("film.avi");
        QVERIFY(QFile::copy(TestMedia::movie(30, "ball"), film));
        QVERIFY(TextFile::writeLines(home.filePath("film.txt"),
                                     {"00:00:01:Napis na pełnym ekranie|w dwóch liniach", "00:00:12:Drugi napis",
                                      "00:00:20:Trzeci napis"}));
        QProcessEnvironment env = TestSupport::playerEnvironment(home.path(), socket);
        env.insert("DISPLAY", xorg.display());
        player.setProcessEnvironment(env);
        player.setProcessChannelMode(QProcess::ForwardedChannels);
        player.start(qEnvironmentVariable("BRIVARA_EXE"), {film});
        QVERIFY(player.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(state().value("playState").toInt(), 1, 20000);
    }

    void fullScreenWithASubtitleAndTheSecondMonitor()
    {
        QVERIFY(enabled("TForm2", "FullScreenonMonitor2"));
        QVERIFY(enabled("TForm1", "ButtonFullScrMonitor2"));
        QTRY_VERIFY(visible("TForm2"));
        const QRect windowed = frame("TForm2");

        key(7); // F
        QTRY_VERIFY(fullScreen());
        QTRY_COMPARE(frame("TForm2"), QRect(0, 0, 1024, 768));
        QVERIFY(!visible("TForm1"));
        QCOMPARE(primaryMode(), QStringLiteral("1024x768+0+0"));
        QTRY_VERIFY_WITH_TIMEOUT(state().value("subtitleVisible").toBool(), 10000);
        const QJsonObject shot = ask({{"cmd", "screenshot"}});
        QVERIFY(shot.value("ok").toBool());
        const QString keep = QDir(TestSupport::mediaDir()).filePath("fullscreen-subtitle.png");
        QFile::remove(keep);
        QVERIFY(QFile::copy(shot.value("path").toString(), keep));
        qInfo("full-screen screenshot: %s", qPrintable(keep));

        key(7);
        QTRY_VERIFY(!fullScreen());
        QTRY_COMPARE(frame("TForm2"), windowed);
        QTRY_VERIFY(visible("TForm1"));

        // On the second monitor; the panel stays where it was.
        QVERIFY(ask({{"cmd", "set"}, {"window", "TForm2"}, {"control", "FullScreenonMonitor2"}, {"value", true}})
                    .value("ok").toBool());
        key(7);
        QTRY_VERIFY(fullScreen());
        QTRY_COMPARE(frame("TForm2"), QRect(1024, 0, 1024, 768));
        QVERIFY(visible("TForm1"));
        // Switching back passes through the window and lands on the first monitor.
        QVERIFY(ask({{"cmd", "set"}, {"window", "TForm2"}, {"control", "FullScreenonMonitor2"}, {"value", false}})
                    .value("ok").toBool());
        QTRY_COMPARE(frame("TForm2"), QRect(0, 0, 1024, 768));
        QVERIFY(fullScreen());
        key(9); // Esc
        QTRY_VERIFY(!fullScreen());
    }

    void thePointerTheStripAndThePanelUnderTheMouse()
    {
        key(7);
        QTRY_VERIFY(fullScreen());
        QVERIFY(xdotool({"mousemove", "500", "300"}));
        QVERIFY(xdotool({"click", "1"}));
        QTRY_VERIFY(visible("TForm1"));
        // Five seconds without a move: pointer and panel go.
        QTRY_VERIFY_WITH_TIMEOUT(state().value("pointerHidden").toBool(), 9000);
        QVERIFY(!visible("TForm1"));
        QVERIFY(xdotool({"mousemove", "540", "320"}));
        QTRY_VERIFY(!state().value("pointerHidden").toBool());
        QVERIFY(!visible("TForm1"));
        QVERIFY(xdotool({"click", "1"}));
        QTRY_VERIFY(visible("TForm1"));
        QVERIFY(xdotool({"click", "1"}));
        QTRY_VERIFY(!visible("TForm1"));

        // The bottom 15 lines show the strip; dragging on it seeks.
        QVERIFY(xdotool({"mousemove", "500", "700"}));
        QTest::qWait(300);
        QVERIFY(!visible("TFormFullScreenProgress"));
        QVERIFY(xdotool({"mousemove", "500", "760"}));
        QTRY_VERIFY(visible("TFormFullScreenProgress"));
        QCOMPARE(frame("TFormFullScreenProgress"), QRect(0, 753, 1024, 15));
        const double duration = state().value("durationMs").toDouble();
        QVERIFY(xdotool({"mousemove", "100", "760", "mousedown", "1", "mousemove", "770", "760", "mouseup", "1"}));
        // 770 of 1024 pixels: three quarters of the film, give or take a second of play.
        QTRY_VERIFY(qAbs(state().value("positionMs").toDouble() - duration * 768 / 1020) < 1500);
        key(9);
        QTRY_VERIFY(!fullScreen());
        QTRY_VERIFY(!visible("TFormFullScreenProgress"));
    }

    void modeChangeAndItsReturn()
    {
        QVERIFY(ask({{"cmd", "click"}, {"window", "TForm4"}, {"control", "BGetDimension"}}).value("ok").toBool());
        QTRY_VERIFY(ask({{"cmd", "set"}, {"window", "TForm4"}, {"control", "DisplayModeBox"}, {"value", "800x600 32bit 60Hz"}})
                        .value("ok").toBool());
        key(8); // R
        QTRY_VERIFY(fullScreen());
        QTRY_COMPARE(primaryMode(), QStringLiteral("800x600+0+0"));
        QTRY_COMPARE(frame("TForm2"), QRect(0, 0, 800, 600));
        QVERIFY(state().value("osdText").toString().startsWith("FULLSCREEN ON (800x600x32"));
        key(9);
        QTRY_VERIFY(!fullScreen());
        QTRY_COMPARE(primaryMode(), QStringLiteral("1024x768+0+0"));

        // Ending the program in the film's mode gives the desktop its own back.
        key(8);
        QTRY_COMPARE(primaryMode(), QStringLiteral("800x600+0+0"));
        ask({{"cmd", "quit"}});
        QVERIFY(player.waitForFinished(15000));
        QCOMPARE(primaryMode(), QStringLiteral("1024x768+0+0"));
    }

    void cleanupTestCase()
    {
        if (player.state() != QProcess::NotRunning) {
            ask({{"cmd", "quit"}});
            if (!player.waitForFinished(10000))
                player.kill();
        }
        xorg.stop();
    }
};

QTEST_GUILESS_MAIN(TestFullScreenXorg)
#include "test_full_screen_xorg.moc"
