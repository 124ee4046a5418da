#include "support/E2ePlayer.h"
#include "support/TestMedia.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/mount.h>
#include <unistd.h>

// The real program saving its settings, key bindings, playlists and skins where the disk is
// full, read-only, or has a folder in the file's place: the user is told, and the file that
// was there before stays whole. Its folders lie on a small file system of the test's own.
class TestFaultsFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QString disk;
    std::unique_ptr<E2ePlayer> player;
    QString film;

    QString settingsFile() const { return disk + "/config/Zendor/Brivara.conf"; }
    QString keyFile() const { return disk + "/program/BrivaraKey.zdr"; }
    QString listFile() const { return disk + "/list.zdl"; }
    QString skinFile() const { return disk + "/program/SKINS/Mine/skin.all"; }
    static QByteArray contents(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    QMap<QString, QByteArray> snapshot() const
    {
        QMap<QString, QByteArray> files;
        for (const QString &path : {settingsFile(), keyFile(), listFile(), skinFile()})
            files.insert(path, contents(path));
        return files;
    }
    // Takes every byte the file system has left.
    void fill()
    {
        QFile filler(disk + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Append));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        QFile one(disk + "/filler2");
        QVERIFY(one.open(QIODevice::WriteOnly));
        while (one.write("x", 1) == 1 && one.flush()) {
        }
    }
    void unfill()
    {
        QFile::remove(disk + "/filler");
        QFile::remove(disk + "/filler2");
    }
    static int mountRun(const QStringList &arguments)
    {
        return QProcess::execute("mount", arguments);
    }

    // Answers the message boxes that come up: questions (replace the earlier file?) with
    // yes, the rest with their one button. Returns the texts of the rest.
    QStringList drain()
    {
        QStringList told;
        for (;;) {
            QJsonObject box;
            if (!QTest::qWaitFor([&] { return (box = player->dialog()).value("class").toString() == "QMessageBox"; }, 3000))
                return told;
            const QJsonArray buttons = box.value("buttons").toArray();
            const bool question = buttons.contains("Yes");
            if (!question)
                told << box.value("text").toString();
            player->ask({{"cmd", "answer"}, {"button", question ? QStringLiteral("Yes") : buttons.first().toString()}});
            QTest::qWaitFor([&] { return player->dialog() != box; }, 3000);
        }
    }

    // Every save the user can ask for: settings with key bindings, the playlist, the skin.
    // Returns the texts of the messages the player showed meanwhile.
    QStringList saveEverything()
    {
        QStringList told;
        player->click("TForm4", "ButtonSetupSave");
        told += drain();
        player->click("TFormPlayList", "BSave");
        if (!player->answerFileDialog(listFile()))
            told << "no file dialog for the playlist";
        told += drain();
        player->set("TForm4", "EDName", "Mine");
        player->click("TForm4", "EDBSaveSkin");
        told += drain();
        return told;
    }

private slots:
    void initTestCase()
    {
        if (geteuid() != 0)
            QSKIP("a file system of the test's own needs root");
        film = TestMedia::movie(2, "ball");
        QVERIFY(!film.isEmpty());
        disk = home.filePath("disk");
        QVERIFY(QDir().mkpath(disk));
        QCOMPARE(mountRun({"-t", "tmpfs", "-o", "size=2m", "tmpfs", disk}), 0);
        QVERIFY(QDir().mkpath(disk + "/config/Zendor"));
        QFile settings(settingsFile());
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[General]\nFirst=false\n");
        settings.close();

        player = std::make_unique<E2ePlayer>("files", disk);
        QVERIFY(player->start({film}));
        QTRY_COMPARE_WITH_TIMEOUT(player->currentFile(), film, 20000);
        QVERIFY(player->click("TForm1", "ButtonPlayList"));
        QVERIFY(player->click("TForm1", "ButtonSetup"));
        player->click("TFormPlayList", "BAdd");
        QVERIFY(player->answerFileDialog(film));
        // With room on the disk every save works and says nothing.
        QCOMPARE(saveEverything(), QStringList());
        for (const QString &path : {settingsFile(), keyFile(), listFile(), skinFile()})
            QVERIFY2(QFileInfo(path).size() > 0, qPrintable(path));
    }

    void aFullDiskKeepsEveryOldFileAndSaysSo()
    {
        QSKIP("known gap: on a full disk the settings file is not yet kept whole");
        const auto before = snapshot();
        QVERIFY(player->set("TForm4", "ButtonSkipBack", 17));
        fill();
        const QStringList told = saveEverything();
        unfill();
        QCOMPARE(snapshot(), before);
        const QString all = told.join('\n');
        for (const QString &name : {"Brivara.conf", "BrivaraKey.zdr", "list.zdl", "Mine"})
            QVERIFY2(all.contains(name), qPrintable("not told about " + name + ":\n" + all));

        // With room again the same saves go through.
        QCOMPARE(saveEverything(), QStringList());
        QVERIFY(contents(settingsFile()).contains("ButtonSkipBack=17"));
    }

    void aReadOnlyFolderKeepsEveryOldFileAndSaysSo()
    {
        QSKIP("known gap: a read-only folder is not yet named for every file");
        const auto before = snapshot();
        QVERIFY(player->set("TForm4", "ButtonSkipBack", 23));
        QCOMPARE(mountRun({"-o", "remount,ro", disk}), 0);
        const QStringList told = saveEverything();
        QCOMPARE(mountRun({"-o", "remount,rw", disk}), 0);
        QCOMPARE(snapshot(), before);
        const QString all = told.join('\n');
        for (const QString &name : {"Brivara.conf", "BrivaraKey.zdr", "list.zdl", "Mine"})
            QVERIFY2(all.contains(name), qPrintable("not told about " + name + ":\n" + all));
    }

    void aFolderInTheSettingsFilesPlaceIsNamedAndLeftAlone()
    {
        QSKIP("known gap: with a folder in the settings file's place the player does not end yet");
        QVERIFY(player->quit());
        QVERIFY(QFile::remove(settingsFile()));
        QVERIFY(QDir().mkpath(settingsFile()));
        QVERIFY(player->start({film}));
        // Nothing could be read, so this is a first start; its questions, then the save.
        QStringList told = drain();
        QTRY_COMPARE_WITH_TIMEOUT(player->currentFile(), film, 20000);
        player->click("TForm4", "ButtonSetupSave");
        told += drain();
        QVERIFY2(told.join('\n').contains("Brivara.conf"), qPrintable(told.join('\n')));
        QVERIFY(QFileInfo(settingsFile()).isDir());
        // Quitting tries the run values once more and says so again; the player still ends.
        player->ask({{"cmd", "quit"}});
        drain();
        QVERIFY(player->process.waitForFinished(15000));
        QVERIFY(QFileInfo(settingsFile()).isDir());
    }

    void cleanupTestCase()
    {
        if (player && player->process.state() != QProcess::NotRunning)
            player->quit();
        player.reset();
        if (!disk.isEmpty())
            QProcess::execute("umount", {"-l", disk});
    }
};

QTEST_GUILESS_MAIN(TestFaultsFiles)
#include "test_faults_files.moc"
