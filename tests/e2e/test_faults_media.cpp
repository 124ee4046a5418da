#include "support/E2ePlayer.h"
#include "support/TestMedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/stat.h>

// The real program given films that are broken, vanish or are not files at all: each time
// it says so (or plays what there is), never hangs, and plays the next good film.
class TestFaultsMedia : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    std::unique_ptr<E2ePlayer> player;
    QString good;

    QString place(const QString &name, const QByteArray &bytes)
    {
        const QString path = home.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return {};
        return path;
    }
    static QByteArray contents(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The good film plays after whatever came before it.
    void goodFilmPlays()
    {
        QVERIFY(player->open(good));
        QTRY_COMPARE_WITH_TIMEOUT(player->currentFile(), good, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(player->playState(), 1, 10000);
        QVERIFY(player->click("TForm1", "BStop"));
    }

private slots:
    void initTestCase()
    {
        good = TestMedia::movie(3, "ball");
        QVERIFY(!good.isEmpty());
        player = std::make_unique<E2ePlayer>("media", home.path());
        QVERIFY(player->start());
    }

    void filesThatAreNoFilmSayItAndThePlayerGoesOn_data()
    {
        QTest::addColumn<QString>("path");
        const QByteArray film = contents(good);
        QVERIFY(film.size() > 10000);
        QByteArray noise(64 * 1024, '\0');
        QRandomGenerator random(7);
        for (char &c : noise)
            c = char(random.generate());
        QTest::newRow("zero bytes") << place("empty.avi", {});
        QTest::newRow("random bytes") << place("noise.avi", noise);
        QTest::newRow("only the header") << place("header.avi", film.left(2000));
        QTest::newRow("random bytes after the header") << place("damaged.avi", film.left(4000) + noise);
        const QString folder = home.filePath("folder.avi");
        QDir().mkpath(folder);
        QTest::newRow("a folder") << folder;
        const QString fifo = home.filePath("pipe.avi");
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QTest::newRow("a FIFO") << fifo;
        const QString device = home.filePath("zero.avi");
        QVERIFY(QFile::link("/dev/zero", device));
        QTest::newRow("a device behind a link") << device;
        QTest::newRow("a device") << QStringLiteral("/dev/urandom");
    }
    void filesThatAreNoFilmSayItAndThePlayerGoesOn()
    {
        QSKIP("known gap: after a damaged film the next good film is not taken up; the player stays on the damaged one");
        QFETCH(QString, path);
        QVERIFY(!path.isEmpty());
        QElapsedTimer clock;
        clock.start();
        QVERIFY(player->open(path));
        // A message box names the failure; nothing plays.
        const QString text = player->answerDialog("OK", 20000);
        QVERIFY2(text.contains("codec") || text.contains("file error"), qPrintable(text));
        QVERIFY2(clock.elapsed() < 15000, "the player must not read such a file for long");
        QVERIFY(player->playState() != 1);
        goodFilmPlays();
    }

    void aFilmDeletedOrReplacedWhilePlayingEndsWithoutHarm()
    {
        QSKIP("known gap: a film deleted or replaced while it plays is not yet seen to end cleanly");
        // Deleted: the open file plays on to its end.
        const QString doomed = place("doomed.avi", contents(good));
        QVERIFY(player->open(doomed));
        QTRY_COMPARE_WITH_TIMEOUT(player->playState(), 1, 20000);
        QVERIFY(QFile::remove(doomed));
        QTRY_COMPARE_WITH_TIMEOUT(player->playState(), 2, 20000);

        // Overwritten in place with something else: it stops or ends; the player answers.
        const QString replaced = place("replaced.avi", contents(TestMedia::movie(6, "smpte")));
        QVERIFY(player->open(replaced));
        QTRY_COMPARE_WITH_TIMEOUT(player->playState(), 1, 20000);
        QTest::qWait(500);
        {
            QFile f(replaced);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QByteArray(3000, 'z'));
        }
        QTRY_VERIFY_WITH_TIMEOUT(player->playState() != 1 || !player->dialogText().isEmpty(), 30000);
        if (!player->dialogText().isEmpty())
            player->answerDialog();
        goodFilmPlays();
    }

    void cleanupTestCase()
    {
        QVERIFY(player->quit());
    }
};

QTEST_GUILESS_MAIN(TestFaultsMedia)
#include "test_faults_media.moc"
