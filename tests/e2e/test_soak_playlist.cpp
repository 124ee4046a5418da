#include "support/E2ePlayer.h"
#include "support/TestMedia.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

// Hundreds of films played back to back through the playlist's end of media, the control
// socket asked all the while: no crash, no stall, no memory that grows with each film.
// Minutes long, so only run when asked: BRIVARA_SOAK=N (films; 300 is the usual soak) with
// `scripts/test -R soak`. It prints its figures.
class TestSoakPlaylist : public QObject
{
    Q_OBJECT

    static qint64 rssKiB(qint64 pid)
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        return -1;
    }

private slots:
    void filmAfterFilmNothingGrowsOrStalls()
    {
        const int films = qEnvironmentVariableIntValue("BRIVARA_SOAK");
        if (films <= 0)
            QSKIP("set BRIVARA_SOAK to the number of films to run the soak");
        QTemporaryDir home;
        const QString film = TestMedia::movie(1, "ball");
        QVERIFY(!film.isEmpty());
        QStringList lines{"#EXTM3U"};
        for (int i = 0; i < films; ++i) {
            const QString name = home.filePath(QStringLiteral("film%1.avi").arg(i, 3, 10, QLatin1Char('0')));
            QVERIFY(QFile::copy(film, name));
            lines << QStringLiteral("#EXTINF:1,film%1").arg(i) << name;
        }
        const QString list = home.filePath("soak.m3u8");
        {
            QFile f(list);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(lines.join('\n').toUtf8() + '\n');
        }

        E2ePlayer player("soak", home.path());
        QVERIFY(player.start());
        QVERIFY(player.click("TForm1", "ButtonPlayList"));
        player.click("TFormPlayList", "BOpen");
        QVERIFY(player.answerFileDialog(list));
        QTRY_COMPARE_WITH_TIMEOUT(player.get("TFormPlayList", "PlayList").value("cells").toArray().size(), films, 20000);
        QVERIFY(player.set("TFormPlayList", "PlayList", 0));
        QVERIFY(player.click("TFormPlayList", "BPlay"));

        const QString last = lines.last();
        QElapsedTimer clock, ask;
        clock.start();
        qint64 worstMs = 0, baseline = -1, peak = 0;
        QSet<QString> seen;
        QString current;
        while (clock.elapsed() < qint64(films) * 6000) {
            ask.start();
            const QJsonObject state = player.state();
            worstMs = std::max(worstMs, ask.elapsed());
            QVERIFY2(!state.isEmpty(), "the player stopped answering");
            current = state.value("currentFile").toString();
            if (!current.isEmpty())
                seen.insert(current);
            const qint64 rss = rssKiB(player.process.processId());
            peak = std::max(peak, rss);
            // Memory after the first films have loaded every library and cache there is.
            if (baseline < 0 && seen.size() >= 10)
                baseline = rss;
            if (current == last && state.value("playState").toInt() == 2)
                break;
            QTest::qWait(200);
        }
        const qint64 end = rssKiB(player.process.processId());
        qInfo("soak: %d films in %.1f s; slowest answer %lld ms; RSS after 10 films %lld KiB, at the end %lld KiB "
              "(growth %lld KiB), peak %lld KiB",
              int(seen.size()), clock.elapsed() / 1000.0, worstMs, baseline, end, end - baseline, peak);
        QCOMPARE(current, last);
        QCOMPARE(int(seen.size()), films);
        QVERIFY2(worstMs < 2000, "the control socket stalled");
        QVERIFY2(end - baseline < 10 * 1024, "memory grew by 10 MB or more");
        QVERIFY(player.quit());
    }
};

QTEST_GUILESS_MAIN(TestSoakPlaylist)
#include "test_soak_playlist.moc"
