#include "platform/ControlClient.h"
#include "support/TestMedia.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The real program on a system whose language is not Polish: English captions and
// messages from the built-in template, and the language menu.
class TestE2ELanguage : public QObject
{
    Q_OBJECT

    QString socket;
    QTemporaryDir home;
    QProcess player;

    QJsonObject ask(const QJsonObject &request) { return ControlClient::send(socket, request).object; }
    QJsonObject get(const char *window, const char *control)
    {
        return ask({{"cmd", "get"}, {"window", window}, {"control", control}});
    }
    void click(const char *window, const char *control)
    {
        QVERIFY(ask({{"cmd", "click"}, {"window", window}, {"control", control}}).value("ok").toBool());
    }
    QString activeFile() const { return home.path() + "/program/Brivara.lng"; }

private slots:
    void initTestCase()
    {
        socket = QStringLiteral("brivara-e2e-lang-%1").arg(QCoreApplication::applicationPid());
        QProcessEnvironment env = TestSupport::playerEnvironment(home.path(), socket);
        env.insert("LANGUAGE", "en");
        const QString film = TestMedia::movie(4);
        QVERIFY(!film.isEmpty());
        player.setProcessEnvironment(env);
        player.setProcessChannelMode(QProcess::ForwardedChannels);
        player.start(qEnvironmentVariable("BRIVARA_EXE"), {film});
        QVERIFY(player.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(ask({{"cmd", "state"}}).value("ok").toBool(), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(ask({{"cmd", "state"}}).value("state").toObject().value("playState").toInt(), 1, 15000);
    }

    void captionsHintsAndMessagesAreEnglish()
    {
        QCOMPARE(get("TForm1", "StatusFileName").value("caption").toString(),
                 "Title: " + QFileInfo(TestMedia::movie(4)).fileName());
        QCOMPARE(get("TForm1", "BPlay").value("hint").toString(), QStringLiteral("Play\n(Key 'SPACE')"));
        QCOMPARE(get("TForm2", "PauzaPlay1").value("caption").toString(), QStringLiteral("Pause/Play"));
        QCOMPARE(get("TForm4", "ButtonSetupSave").value("caption").toString(), QStringLiteral("Save Changes"));
        click("TForm2", "MShowPanel");
        QTRY_COMPARE(get("TForm2", "MShowPanel").value("caption").toString(), QStringLiteral("Show Panel"));
        QTRY_VERIFY(!get("TForm1", "TForm1").value("visible").toBool());
        click("TForm2", "MShowPanel");
        QTRY_VERIFY(get("TForm1", "TForm1").value("visible").toBool());
        QVERIFY(!QFile::exists(activeFile()));
    }

    void theLanguageMenu()
    {
        click("TForm2", "English1");
        QTRY_VERIFY(QFile::exists(activeFile()));
        QTRY_VERIFY(get("TForm2", "English1").value("checked").toBool());

        click("TForm2", "LangMenu");
        QJsonObject dialog;
        QTRY_VERIFY((dialog = ask({{"cmd", "dialog"}}).value("dialog").toObject()).contains("text"));
        QCOMPARE(dialog.value("text").toString(), QStringLiteral("Język Polski Zadziała po Restarcie Programu!"));
        QVERIFY(ask({{"cmd", "answer"}, {"button", "OK"}}).value("ok").toBool());
        QTRY_VERIFY(!QFile::exists(activeFile()));
    }

    void cleanupTestCase()
    {
        ask({{"cmd", "quit"}});
        if (!player.waitForFinished(15000))
            player.kill();
    }
};

QTEST_MAIN(TestE2ELanguage)
#include "test_language.moc"
