#include "core/KeyTable.h"
#include "platform/ControlClient.h"
#include "support/TestMedia.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Real key presses from the X server into the real program: the keypad's 4 gives the same
// command with NumLock on and off, and the arrow beside it does not.
class TestKeyboardKeys : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QString socket;
    QProcess player;

    QJsonObject state()
    {
        return ControlClient::send(socket, {{"cmd", "state"}}).object.value("state").toObject();
    }
    int playState() { return state().value("playState").toInt(); }
    static bool xdotool(const QStringList &arguments)
    {
        return TestSupport::run("xdotool", arguments, 10000) == 0;
    }
    static bool press(const QString &key) { return xdotool({"key", key}); }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") || QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("needs an X display and xdotool");
        socket = QStringLiteral("brivara-keys-%1").arg(QCoreApplication::applicationPid());
        const QProcessEnvironment env = TestSupport::playerEnvironment(home.path(), socket);
        // Stop rebound to keypad 4 through the key binding file (row 15, built in on S).
        KeyBindings keys;
        keys.setCode(15, 4915200u);
        QFile file(home.path() + "/program/BrivaraKey.zdr");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(keys.toLines().join('\n').toUtf8() + '\n');
        file.close();

        const QString film = TestMedia::movie(6, "ball");
        QVERIFY(!film.isEmpty());
        const QString copy = home.filePath("demo.avi");
        QVERIFY(QFile::copy(film, copy));
        player.setProcessEnvironment(env);
        player.setProcessChannelMode(QProcess::ForwardedChannels);
        player.start(qEnvironmentVariable("BRIVARA_EXE"), {copy});
        QVERIFY(player.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(playState(), 1, 20000);
        // No window manager: give the video window the keyboard focus directly.
        QVERIFY(xdotool({"search", "--sync", "--name", "^Brivara: demo.avi$", "windowfocus", "--sync"}));
    }

    void keypadFourWithNumLockOnAndOffAndSpace()
    {
        QVERIFY(press("KP_4"));
        QTRY_COMPARE(playState(), 2);
        QVERIFY(press("space"));
        QTRY_COMPARE(playState(), 1);
        QVERIFY(press("space"));
        QTRY_COMPARE(playState(), 3);
        QVERIFY(press("space"));
        QTRY_COMPARE(playState(), 1);

        // NumLock off: the same key now sends a cursor key from the keypad.
        QVERIFY(press("Num_Lock"));
        QVERIFY(press("KP_Left"));
        QTRY_COMPARE(playState(), 2);
        QVERIFY(press("Num_Lock"));
        QVERIFY(press("space"));
        QTRY_COMPARE(playState(), 1);

        // The left arrow shares the scan code but is another key: it skips back, no stop.
        QVERIFY(press("Left"));
        QTest::qWait(500);
        QCOMPARE(playState(), 1);
    }

    void muteAndZoomFromTheKeyboard()
    {
        auto get = [&](const char *window, const char *control) {
            return ControlClient::send(socket, {{"cmd", "get"}, {"window", window}, {"control", control}}).object;
        };
        QVERIFY(press("m"));
        QTRY_VERIFY(get("TForm1", "ButtonVolume").value("down").toBool());
        QVERIFY(press("m"));
        QTRY_VERIFY(!get("TForm1", "ButtonVolume").value("down").toBool());

        auto videoWidth = [&] {
            const QJsonObject state = ControlClient::send(socket, {{"cmd", "state"}}).object.value("state").toObject();
            return state.value("windows").toObject().value("TForm2").toObject().value("clientWidth").toInt();
        };
        const int before = videoWidth();
        QVERIFY(press("KP_Add"));
        QTRY_VERIFY(videoWidth() > before);
    }

    void cleanupTestCase()
    {
        if (player.state() == QProcess::NotRunning)
            return;
        ControlClient::send(socket, {{"cmd", "quit"}});
        if (!player.waitForFinished(10000))
            player.kill();
    }
};

QTEST_MAIN(TestKeyboardKeys)
#include "test_keyboard_keys.moc"
