#include "core/PlaylistFiles.h"
#include "core/PlaylistModel.h"
#include "core/PlaylistSteps.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

using namespace PlaylistEntry;

namespace {

QString makeFile(const QString &path, qint64 bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.resize(bytes);
    return path;
}

Row entry(const QString &path, const QString &time = {}, const QString &res = {})
{
    Row r = fromDisk(path, QStringLiteral("Brak"));
    r[Time] = time;
    r[Resolution] = res;
    return r;
}

QList<Row> rowsOf(const PlaylistModel &m)
{
    QList<Row> out;
    for (int i = 0; i < m.entryCount(); ++i)
        out << m.row(i);
    return out;
}

QStringList column(const PlaylistModel &m, int c)
{
    QStringList out;
    for (int i = 0; i < m.rows(); ++i)
        out << m.cell(i, c);
    return out;
}

} // namespace

class TestPlaylistFiles : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void zdlOfThreeEntriesIsTwentyOneLinesAndReadsBackFromTheDisk()
    {
        const QString a = makeFile(dir.filePath("Alpha.AVI"), 3 * 1024 * 1024 + 512 * 1024);
        const QString b = makeFile(dir.filePath("beta.mpeg"), 1024);
        const QString gone = dir.filePath("gone.mp3");
        const QList<Row> rows{entry(a, "01:30:00", "640x480/25"), entry(b, " ", " "), entry(gone)};
        QCOMPARE(rows[0][Extension], QStringLiteral("avi"));
        QCOMPARE(rows[0][Size], QStringLiteral("3.50"));
        QCOMPARE(rows[1][Extension], QStringLiteral("mpeg"));
        QCOMPARE(rows[1][Size], QStringLiteral("0.00"));
        QCOMPARE(rows[2][Size], QStringLiteral("Brak"));

        const QString list = dir.filePath("list.zdl");
        QString error;
        QVERIFY2(PlaylistFiles::write(list, rows, &error), qPrintable(error));
        QStringList lines;
        {
            QFile f(list);
            QVERIFY(f.open(QIODevice::ReadOnly));
            lines = QString::fromUtf8(f.readAll()).split("\r\n");
            QCOMPARE(lines.takeLast(), QString()); // the last line ends like the others
        }
        QCOMPARE(lines.size(), 21);
        QCOMPARE(lines.mid(7, 7), QStringList({"", "beta.mpeg", "mpeg", "0.00", " ", " ", b}));

        // The file changes on disk after saving: its size comes from the disk, not the list.
        makeFile(b, 2 * 1024 * 1024);
        const QDateTime written = QFileInfo(list).lastModified();
        auto bytesOf = [](const QString &path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        const QByteArray before = bytesOf(list);
        const PlaylistFiles::ReadResult read = PlaylistFiles::read(list);
        QVERIFY(read.ok);
        QCOMPARE(read.items.size(), 3);
        QCOMPARE(read.items[0].path, a);
        QCOMPARE(read.items[0].time, QStringLiteral("01:30:00"));
        QCOMPARE(read.items[0].resolution, QStringLiteral("640x480/25"));
        QCOMPARE(read.items[2].path, gone);
        QCOMPARE(fromDisk(read.items[1].path, "Brak")[Size], QStringLiteral("2.00"));
        // Reading leaves the file as it was.
        QCOMPARE(QFileInfo(list).lastModified(), written);
        QCOMPARE(bytesOf(list), before);

        // A cut-off file (not a multiple of 7 lines) drops only the incomplete last group.
        QCOMPARE(PlaylistFiles::parseZdl(lines.mid(0, 20)).size(), 2);
        QCOMPARE(PlaylistFiles::parseZdl(lines.mid(0, 6)).size(), 0);
    }

    void legacyCodePagesLongPathsAndControlCharactersAreRead()
    {
        // A list saved by an old version in Windows-1250: the Polish letters come back.
        const QString polish = QStringLiteral("/filmy/Żółw i źrebię.avi");
        QStringList lines{"1", "x", "avi", "1.00", "00:01:00", "320x240", polish};
        const QString longPath = QLatin1Char('/') + QString(5000, QLatin1Char('d')) + QStringLiteral("/f.avi");
        lines << QStringList{"2", "f.avi", "avi", "1.00", "", "", longPath};
        lines << QStringList{"3", "t", "avi", "", "", "", QStringLiteral("/a\tb\x01.avi")};
        QStringEncoder encoder("windows-1250");
        const QString legacy = dir.filePath("legacy.zdl");
        {
            QFile f(legacy);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(encoder(lines.join("\r\n"))));
        }
        const PlaylistFiles::ReadResult read = PlaylistFiles::read(legacy);
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.items.size(), 3);
        QCOMPARE(read.items[0].path, polish);
        QCOMPARE(read.items[1].path, longPath);
        QCOMPARE(read.items[2].path, QStringLiteral("/a\tb\x01.avi"));
        // A path too long for the system is listed as missing, not a failure.
        QCOMPARE(fromDisk(longPath, "Brak")[Size], QStringLiteral("Brak"));
    }

    void binaryMissingAndFolderFilesAreClearErrors()
    {
        const QString binary = dir.filePath("program.zdl");
        {
            QFile f(binary);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QByteArray bytes;
            for (int i = 0; i < 4096; ++i)
                bytes.append(char(QRandomGenerator(7 + i).bounded(256)));
            bytes[10] = 0;
            f.write(bytes);
        }
        for (const QString &bad : {binary, dir.filePath("none.zdl"), dir.path()}) {
            const PlaylistFiles::ReadResult r = PlaylistFiles::read(bad);
            QVERIFY(!r.ok);
            QVERIFY(r.items.isEmpty());
            QVERIFY2(r.error.contains(bad), qPrintable(r.error));
        }
    }

    void m3u8RoundTripAndOtherPlayersLists()
    {
        const QString a = makeFile(dir.filePath("one.avi"), 10);
        const QString b = makeFile(dir.filePath("two words.mp3"), 10);
        const QList<Row> rows{entry(a, "00:03:05", "320x240/25"), entry(b, " ", " ")};
        const QString list = dir.filePath("out.m3u8");
        QVERIFY(PlaylistFiles::write(list, rows, nullptr));
        PlaylistFiles::ReadResult back = PlaylistFiles::read(list);
        QVERIFY(back.ok);
        QCOMPARE(back.items.size(), 2);
        QCOMPARE(back.items[0].path, a);
        QCOMPARE(back.items[0].time, QStringLiteral("00:03:05"));
        QCOMPARE(back.items[1].path, b);
        QCOMPARE(back.items[1].time, QString()); // unknown length (-1)

        // Relative entries come from the list's own folder; file URLs are decoded.
        const QStringList m3u{"#EXTM3U", "#EXTINF:61,Song", "sub/song.mp3", "", "# comment",
                              "file:///films/a%20b.avi", "C:\\old\\x.avi"};
        const QList<PlaylistFiles::Item> items = PlaylistFiles::parseM3u(m3u, "/lists");
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0].path, QStringLiteral("/lists/sub/song.mp3"));
        QCOMPARE(items[0].time, QStringLiteral("00:01:01"));
        QCOMPARE(items[1].path, QStringLiteral("/films/a b.avi"));
        QCOMPARE(items[1].time, QString());

        const QStringList pls{"[playlist]", "File2=/x/second.avi", "Length2=3600", "File1=first.mp3",
                              "Title1=First", "Length1=-1", "NumberOfEntries=2", "Version=2"};
        const QList<PlaylistFiles::Item> p = PlaylistFiles::parsePls(pls, "/lists");
        QCOMPARE(p.size(), 2);
        QCOMPARE(p[0].path, QStringLiteral("/lists/first.mp3"));
        QCOMPARE(p[0].time, QString());
        QCOMPARE(p[1].path, QStringLiteral("/x/second.avi"));
        QCOMPARE(p[1].time, QStringLiteral("01:00:00"));

        // A name with a line break cannot be one line of a file: it is left out, not allowed
        // to shift every entry after it.
        Row broken = entry(dir.filePath("bad\nname.avi"));
        int skipped = 0;
        QVERIFY(PlaylistFiles::write(dir.filePath("skip.zdl"), {rows[0], broken, rows[1]}, nullptr, &skipped));
        QCOMPARE(skipped, 1);
        back = PlaylistFiles::read(dir.filePath("skip.zdl"));
        QCOMPARE(back.items.size(), 2);
        QCOMPARE(back.items[1].path, b);
    }

    void printListingHasFixedWidths()
    {
        Row r;
        r[Number] = "12345";
        r[Name] = QString(90, 'n');
        r[Size] = "700.00";
        r[Time] = "01:30:00";
        r[Resolution] = "640x480/25";
        Row s;
        s[Number] = "2";
        s[Name] = "short.avi";
        const QStringList lines = PlaylistFiles::printLines({r, s});
        QCOMPARE(lines[0], QStringLiteral("1234|") + QString(80, 'n') + "|700.00  |01:30:00|640x480/25");
        QCOMPARE(lines[1], QStringLiteral("2   |short.avi") + QString(71, ' ') + "|        |        |");
    }

    void theListFillsItsFirstRowDeletesMovesAndSorts()
    {
        PlaylistModel m;
        QCOMPARE(m.rows(), 1);
        QVERIFY(m.isEmpty());
        auto row = [](const char *name, const char *size, const char *path) {
            Row r;
            r[Name] = name;
            r[Size] = size;
            r[Path] = path;
            return r;
        };
        QCOMPARE(m.append(row("b.avi", "10.00", "/1")), 0);
        QCOMPARE(m.rows(), 1);
        m.removeEntry(0);
        QVERIFY(m.isEmpty());
        QCOMPARE(m.rows(), 1);

        m.appendAll({row("b.avi", "10.00", "/1"), row("Brak.avi", "Brak", "/2"), row("a.avi", "700.50", "/3"),
                     row("C.avi", "", "/4"), row("c.avi", "10.00", "/5"), row("A.avi", "99.99", "/6")});
        QCOMPARE(column(m, Number), QStringList({"1", "2", "3", "4", "5", "6"}));
        // Biggest first; a missing file's text after every real size (it used to end the sort
        // half-way); an empty size counts as 0; equal sizes put the later row first.
        m.sortByColumn(Size);
        QCOMPARE(column(m, Path), QStringList({"/3", "/6", "/5", "/1", "/4", "/2"}));
        QCOMPARE(column(m, Number), QStringList({"1", "2", "3", "4", "5", "6"}));
        // A to Z whatever the case; names equal but for case: the later row first.
        m.sortByColumn(Name);
        QCOMPARE(column(m, Name), QStringList({"A.avi", "a.avi", "b.avi", "Brak.avi", "C.avi", "c.avi"}));
        QCOMPARE(column(m, Path), QStringList({"/6", "/3", "/1", "/2", "/4", "/5"}));
        // The number column does not sort.
        m.sortByColumn(Number);
        QCOMPARE(column(m, Path), QStringList({"/6", "/3", "/1", "/2", "/4", "/5"}));

        m.moveEntry(0, 3);
        QCOMPARE(column(m, Path), QStringList({"/3", "/1", "/2", "/6", "/4", "/5"}));
        QCOMPARE(column(m, Number), QStringList({"1", "2", "3", "4", "5", "6"}));
        m.removeEntry(1);
        QCOMPARE(column(m, Path), QStringList({"/3", "/2", "/6", "/4", "/5"}));
        QCOMPARE(column(m, Number), QStringList({"1", "2", "3", "4", "5"}));
        QCOMPARE(rowsOf(m).size(), 5);
    }

    void aHundredThousandEntriesReadAndSort()
    {
        QStringList lines;
        for (int i = 0; i < 100000; ++i)
            lines << QString::number(i + 1) << "n" << "avi" << QString::number(i % 977) << "" << "" << QStringLiteral("/f/%1.avi").arg(i);
        const QList<PlaylistFiles::Item> items = PlaylistFiles::parseZdl(lines);
        QCOMPARE(items.size(), 100000);
        QCOMPARE(items.last().path, QStringLiteral("/f/99999.avi"));
        PlaylistModel m;
        QList<Row> rows;
        for (int i = 0; i < 100000; ++i) {
            Row r;
            r[Name] = items[i].path;
            r[Size] = lines[i * 7 + 3];
            r[Path] = items[i].path;
            rows << r;
        }
        m.appendAll(rows);
        m.sortByColumn(Size);
        QCOMPARE(m.cell(0, Size), QStringLiteral("976"));
        QCOMPARE(m.cell(99999, Size), QStringLiteral("0"));
        QCOMPARE(m.cell(99999, Number), QStringLiteral("100000"));
    }

    void nextAndPreviousAtTheEnds()
    {
        QRandomGenerator rng(1);
        using PlaylistSteps::next;
        using PlaylistSteps::previous;
        QCOMPARE(next(2, 3, false, false, rng), std::optional<int>(3));
        QCOMPARE(next(3, 3, false, false, rng), std::nullopt);
        QCOMPARE(next(3, 3, true, false, rng), std::optional<int>(1));
        QCOMPARE(previous(1, 3, false, false, rng), std::nullopt);
        QCOMPARE(previous(1, 3, true, false, rng), std::optional<int>(3));
        QCOMPARE(next(1, 0, true, false, rng), std::nullopt);
        // Random: every entry can come, none outside the list, in both directions.
        QSet<int> seenNext, seenPrevious;
        for (int i = 0; i < 400; ++i) {
            const auto n = next(2, 4, false, true, rng);
            const auto p = previous(2, 4, false, true, rng);
            QVERIFY(n && p);
            seenNext << *n;
            seenPrevious << *p;
        }
        QCOMPARE(seenNext, QSet<int>({1, 2, 3, 4}));
        QCOMPARE(seenPrevious, QSet<int>({1, 2, 3, 4}));
    }
};

QTEST_GUILESS_MAIN(TestPlaylistFiles)
#include "test_playlist_files.moc"
