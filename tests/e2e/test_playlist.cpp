#include "platform/ControlClient.h"
#include "support/TestMedia.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The real program searches a folder tree into its playlist and plays it to its end.
class TestPlaylist : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QString socket;
    QProcess player;

    QJsonObject ask(const QJsonObject &request) { return ControlClient::send(socket, request).object; }
    QJsonObject state() { return ask({{"cmd", "state"}}).value("state").toObject(); }
    QString currentFile() { return state().value("currentFile").toString(); }
    QJsonObject get(const char *window, const char *control)
    {
        return ask({{"cmd", "get"}, {"window", window}, {"control", control}});
    }
    bool click(const char *window, const char *control)
    {
        return ask({{"cmd", "click"}, {"window", window}, {"control", control}}).value("ok").toBool();
    }
    QString place(const QString &film, const QString &name)
    {
        const QString to = home.filePath("tree/" + name);
        QDir().mkpath(QFileInfo(to).absolutePath());
        return QFile::copy(film, to) ? to : QString();
    }

private slots:
    void initTestCase()
    {
        socket = QStringLiteral("brivara-list-%1").arg(QCoreApplication::applicationPid());
        player.setProcessEnvironment(TestSupport::playerEnvironment(home.path(), socket));
        player.setProcessChannelMode(QProcess::ForwardedChannels);
        const QString film = TestMedia::movie(2, "ball");
        QVERIFY(!film.isEmpty());
        const QString first = home.filePath("start.avi");
        QVERIFY(QFile::copy(film, first));
        player.start(qEnvironmentVariable("BRIVARA_EXE"), {first});
        QVERIFY(player.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(currentFile(), first, 20000);
    }

    void aSearchedTreePlaysEntryByEntryToItsEnd()
    {
        const QString film = TestMedia::movie(2, "smpte");
        const QStringList expected{place(film, "top.avi"), place(film, "sub/middle.avi"),
                                   place(film, "sub/deeper/last.avi")};
        QVERIFY(!expected.contains(QString()));
        QFile(home.filePath("tree/notes.txt")).open(QIODevice::WriteOnly);

        QVERIFY(click("TForm1", "ButtonPlayList"));
        QTRY_VERIFY(state().value("windows").toObject().value("TFormPlayList").toObject().value("visible").toBool());
        QVERIFY(click("TFormPlayList", "BFind"));
        QVERIFY(ask({{"cmd", "set"}, {"window", "TFormPlayList"}, {"control", "FindDir"}, {"value", home.filePath("tree")}})
                    .value("ok").toBool());
        QVERIFY(click("TFormPlayList", "BFindStart"));
        QTRY_COMPARE_WITH_TIMEOUT(get("TFormPlayList", "LFinded").value("text").toString(), QStringLiteral("3 files"), 10000);
        QTRY_VERIFY(!get("TFormPlayList", "SpeedBar2").value("visible").toBool());

        const QJsonArray cells = get("TFormPlayList", "PlayList").value("cells").toArray();
        QCOMPARE(cells.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(cells[i].toArray()[6].toString(), expected[i]);
        QVERIFY(get("TForm1", "BNext").value("enabled").toBool());

        // The first entry is chosen and played; the end of each film plays the next.
        QVERIFY(ask({{"cmd", "set"}, {"window", "TFormPlayList"}, {"control", "PlayList"}, {"value", 0}}).value("ok").toBool());
        QVERIFY(click("TFormPlayList", "BPlay"));
        for (const QString &entry : expected) {
            QTRY_COMPARE_WITH_TIMEOUT(currentFile(), entry, 15000);
            QTRY_COMPARE_WITH_TIMEOUT(state().value("playState").toInt(), 1, 10000);
        }
        // After the last one nothing more plays: it stops and stays the current file.
        QTRY_COMPARE_WITH_TIMEOUT(state().value("playState").toInt(), 2, 15000);
        QCOMPARE(currentFile(), expected.last());
        const QJsonArray played = get("TFormPlayList", "PlayList").value("cells").toArray();
        QCOMPARE(played[2].toArray()[4].toString(), QStringLiteral("00:00:02"));
    }

    void cleanupTestCase()
    {
        ask({{"cmd", "quit"}});
        if (!player.waitForFinished(10000))
            player.kill();
    }
};

QTEST_GUILESS_MAIN(TestPlaylist)
#include "test_playlist.moc"
