#include "core/MediaSearch.h"
#include "core/MediaSearchTask.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList DefaultList{"ASF", "AVI", "MPEG", "MPE", "MPG", "MOV", "WMV", "DAT", "DIVX", "IFO", "M2V", "OGM",
                              "VOB", "QT",  "M2P", "WAV", "MPA", "MP3", "MID", "M3U", "WMA", "OGG", "CDA"};

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
}

} // namespace

class TestMediaSearch : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString root;

    QStringList search(const MediaSearch::Options &options, const QString &from = {})
    {
        std::atomic<bool> stop{false};
        QStringList found;
        MediaSearch::run(from.isEmpty() ? root : from, options, stop,
                         [&](const QString &path) { found << QDir(root).relativeFilePath(path); });
        return found;
    }
    MediaSearch::Options defaults() const
    {
        MediaSearch::Options o;
        o.extensions = DefaultList;
        return o;
    }

private slots:
    void initTestCase()
    {
        root = dir.filePath("disk");
        for (const char *name : {"song.MP3", "b.avi", "film.mpeg", "clip.mpe", "A.AVI", "vcd.dat", "x.m2p",
                                 "notes.txt", "noext", "a/deep.wav", "a/b/deeper.ogg", "c/last.avi"})
            touch(root + "/" + name);
        // A folder link back up the tree (followed, it would never end) and a link to a file.
        QVERIFY(QFile::link(root, root + "/a/loop"));
        QVERIFY(QFile::link(root + "/c/last.avi", root + "/a/linked.avi"));
    }

    void filesByTheListsOrderBeforeSubfoldersDepthFirst()
    {
        const QStringList found = search(defaults());
        // Enumeration order within one extension is the disk's; compare per folder as sets
        // where the order is not ours to decide.
        QCOMPARE(found.size(), 10);
        const QStringList top = found.mid(0, 5);
        QCOMPARE(QSet<QString>(top.begin(), top.begin() + 2), QSet<QString>({"b.avi", "A.AVI"}));
        // "MPEG" has no pattern of its own: film.mpeg comes with the "MPE" entry, with clip.mpe.
        QCOMPARE(QSet<QString>(top.begin() + 2, top.begin() + 4), QSet<QString>({"film.mpeg", "clip.mpe"}));
        QCOMPARE(top[4], QStringLiteral("x.m2p")); // vcd.dat only with FindDAT
        QVERIFY(!found.contains("vcd.dat"));
        QCOMPARE(found[5], QStringLiteral("song.MP3"));
        // Then the subfolders, each with its own subfolders before the next one.
        const qsizetype deep = found.indexOf("a/deep.wav"), deeper = found.indexOf("a/b/deeper.ogg"),
                        linked = found.indexOf("a/linked.avi"), last = found.indexOf("c/last.avi");
        QVERIFY(deep > 5 && deeper > 5 && linked > 5 && last > 5);
        QVERIFY(linked < deep); // AVI before WAV within folder a
        QVERIFY(deep < deeper);
        // Folders are visited in the disk's order, but a's whole subtree comes before or after c.
        QVERIFY((last > deeper) || (last < linked));
        QCOMPARE(found.count("c/last.avi"), 1); // the loop was not followed
    }

    void videoOffDatOnSubfoldersOff()
    {
        MediaSearch::Options o = defaults();
        o.video = false;
        QCOMPARE(MediaSearch::searchedExtensions(o).first(), QStringLiteral("m2p"));
        QCOMPARE(search(o), QStringList({"x.m2p", "song.MP3", "a/deep.wav", "a/b/deeper.ogg"}));

        o = defaults();
        o.audio = false;
        o.dat = true;
        o.subfolders = false;
        const QStringList found = search(o);
        QCOMPARE(found.size(), 5);
        QCOMPARE(found.last(), QStringLiteral("vcd.dat"));
        QVERIFY(!found.contains("x.m2p") && !found.contains("song.MP3"));

        o.video = false;
        QVERIFY(search(o).isEmpty());
        // A search that starts at a system folder finds nothing there.
        QVERIFY(MediaSearch::isSystemFolder("/proc") && MediaSearch::isSystemFolder("/run/user/1000"));
        QVERIFY(!MediaSearch::isSystemFolder("/procedures"));
    }

    void stopFinishesTheFolderAndEntersNoOther()
    {
        std::atomic<bool> stop{false};
        QStringList found;
        MediaSearch::run(root, defaults(), stop, [&](const QString &path) {
            found << path;
            stop = true; // "STOP" pressed at the first file found
        });
        // Every file of the start folder, none from below it.
        QCOMPARE(found.size(), 6);
        for (const QString &path : found)
            QCOMPARE(QFileInfo(path).absolutePath(), root);
    }

    void theTaskDeliversBatchesInOrderThenFinishes()
    {
        MediaSearchTask task;
        QList<MediaSearchTask::Found> all;
        connect(&task, &MediaSearchTask::found, this,
                [&](const QList<MediaSearchTask::Found> &batch) { all += batch; });
        QSignalSpy finished(&task, &MediaSearchTask::finished);
        QVERIFY(task.start(root, defaults(), "Brak"));
        QVERIFY(!task.start(root, defaults(), "Brak")); // one walk at a time
        QVERIFY(finished.wait(10000));
        QVERIFY(!task.running());
        QStringList paths;
        for (const auto &f : all)
            paths << QDir(root).relativeFilePath(f.row[PlaylistEntry::Path]);
        QCOMPARE(paths, search(defaults()));
        QCOMPARE(all.first().sizeMiB, std::optional<double>(0.0));
    }
};

QTEST_GUILESS_MAIN(TestMediaSearch)
#include "test_media_search.moc"
