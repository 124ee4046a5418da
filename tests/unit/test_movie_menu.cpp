// The movie menu's record, its place in a film's JUNK chunk and the overlay's layout
// decisions, on bytes in memory.
#include "core/AviJunkStore.h"
#include "core/MovieMenuLayout.h"
#include "core/MovieMenuRecord.h"

#include <QBuffer>
#include <QtEndian>
#include <QtTest>

#include <random>

namespace {

MovieMenu sampleMenu()
{
    MovieMenu menu;
    menu.title = QStringLiteral("Zażółć gęślą jaźń");
    menu.displaySeconds = 17;
    menu.colour = 0x00123456;
    const int times[] = {0, 5 * 60 + 7, 9 * 3600 + 59 * 60 + 59, 10 * 3600 + 5, 23 * 3600 + 59 * 60 + 59};
    for (int i = 0; i < MovieMenu::Entries; ++i)
        menu.entries[i] = {QStringLiteral("Scena %1 ąę").arg(i + 1), i % 2 == 1, times[i]};
    return menu;
}

// A RIFF file head: a "JUNK" chunk at `at` with `size` bytes of payload (zeros, or noise
// where `noise` says), then data that is anything but zero, except for a chunk of
// `zerosAfter` zero bytes right after the payload: zeros the record must not go into.
QByteArray film(qint64 at, quint32 size, qint64 length, std::mt19937 *noise = nullptr, int zerosAfter = 0)
{
    QByteArray bytes(length, '\0');
    for (qint64 i = 0; i < length; ++i)
        bytes[i] = char(1 + i % 251);
    const qint64 end = qMin<qint64>(length, at + 8 + size);
    for (qint64 i = at; i < end; ++i)
        bytes[i] = 0;
    bytes.replace(at, 4, "JUNK");
    qToLittleEndian<quint32>(size, bytes.data() + at + 4);
    if (zerosAfter > 0 && end + 8 <= length) {
        bytes.replace(end, 8, QByteArray("vprp\1\1\1\1", 8));
        for (qint64 i = end + 8; i < qMin<qint64>(length, end + 8 + zerosAfter); ++i)
            bytes[i] = 0;
    }
    if (noise)
        for (int k = int((*noise)() % 4); k > 0; --k)
            if (end > at + 8)
                bytes[at + 8 + qint64((*noise)() % quint32(end - at - 8))] = char(1 + (*noise)() % 255);
    return bytes;
}

} // namespace

class TestMovieMenu : public QObject
{
    Q_OBJECT
private slots:
    void everyFieldSurvivesTheRecord()
    {
        MovieMenu menu = sampleMenu();
        const QByteArray record = MovieMenuRecord::encode(menu);
        QCOMPARE(record.size(), 252);
        QCOMPARE(record.left(8), QByteArray("\x06Zendor\x01", 8));
        QCOMPARE(quint8(record[8]), quint8(17));
        QCOMPARE(qFromLittleEndian<quint32>(record.constData() + 12), 0x00123456u);
        // The 8-bit code page, one byte a letter: "ż" is 0xBF in Windows-1250.
        QCOMPARE(quint8(record[19]), quint8(menu.title.size()));
        QCOMPARE(quint8(record[20 + 2]), quint8(0xBF));
        // Ten hours and more fit the seven characters; below ten, the stored form is unchanged.
        QCOMPARE(record.mid(50 + 2 * 40 + 32, 8), QByteArray("\x07" "9:59:59", 8));
        QCOMPARE(record.mid(50 + 3 * 40 + 32, 7), QByteArray("\x06" "600:05", 7));
        QCOMPARE(MovieMenuRecord::decode(record).menu, menu);

        // A 35-character title keeps its first 30; letters the code page lacks become "?".
        menu.title = QString(35, QLatin1Char('T'));
        menu.entries[0].text = QStringLiteral("日本 film");
        const auto back = MovieMenuRecord::decode(MovieMenuRecord::encode(menu)).menu;
        QVERIFY(back);
        QCOMPARE(back->title, QString(30, QLatin1Char('T')));
        QCOMPARE(back->entries[0].text, QStringLiteral("?? film"));

        // A time that is not one is no menu, not a half-read one.
        QByteArray bad = MovieMenuRecord::encode(sampleMenu());
        bad.replace(50 + 4 * 40 + 32, 8, QByteArray("\x07" "9:61:00", 8));
        const auto decoded = MovieMenuRecord::decode(bad);
        QVERIFY(!decoded.menu);
        QVERIFY(decoded.error.contains(QStringLiteral("9:61:00")));
    }

    void theRecordGoesOnlyIntoTheChunksZeros()
    {
        // At 212 and elsewhere up to 499; the anchor differs between the two.
        for (const qint64 at : {qint64(212), qint64(230), qint64(499)}) {
            QByteArray bytes = film(at, 1200, 6000);
            const QByteArray before = bytes;
            QBuffer file(&bytes);
            QVERIFY(file.open(QIODevice::ReadWrite));
            const auto written = AviJunkStore::save(file, sampleMenu());
            QCOMPARE(written.status, AviJunkStore::WriteStatus::Written);
            QCOMPARE(written.at, at + (at == 212 ? 12 : 13));
            const auto saved = bytes;
            QCOMPARE(AviJunkStore::save(file, sampleMenu()).at, written.at); // saved twice: one record
            QCOMPARE(bytes, saved);
            const auto read = AviJunkStore::read(file);
            QCOMPARE(read.status, AviJunkStore::ReadResult::Found);
            QCOMPARE(read.menu, sampleMenu());
            QCOMPARE(AviJunkStore::clear(file).cleared, 1);
            QCOMPARE(bytes, before);
            QCOMPARE(AviJunkStore::read(file).status, AviJunkStore::ReadResult::NoRecord);
        }

        // A chunk too small for the record and its leading zero: nothing written.
        QByteArray small = film(212, 255, 3000, nullptr, 600);
        const QByteArray untouched = small;
        QBuffer smallFile(&small);
        QVERIFY(smallFile.open(QIODevice::ReadWrite));
        QCOMPARE(AviJunkStore::save(smallFile, sampleMenu()).status, AviJunkStore::WriteStatus::NoRoom);
        QCOMPARE(small, untouched);

        // No chunk: an MPEG or Matroska file.
        QByteArray none(4000, '\0');
        QBuffer noneFile(&none);
        QVERIFY(noneFile.open(QIODevice::ReadWrite));
        QCOMPARE(AviJunkStore::save(noneFile, sampleMenu()).status, AviJunkStore::WriteStatus::NoChunk);
        QCOMPARE(AviJunkStore::read(noneFile).status, AviJunkStore::ReadResult::NoChunk);
        QCOMPARE(none, QByteArray(4000, '\0'));
    }

    void generatedLayoutsAreNeverWrittenOutsideThePayload()
    {
        std::mt19937 random(15);
        int written = 0;
        for (int n = 0; n < 1000; ++n) {
            const qint64 at = 212 + qint64(random() % 288);
            const quint32 size = quint32(random() % 2600);
            const qint64 length = at + 8 + qint64(random() % 4200);
            QByteArray bytes = film(at, size, length, &random, random() % 2 ? 0 : int(200 + random() % 600));
            // Another "JUNK" before the chosen one would be the chunk: keep the layout one chunk.
            if (bytes.indexOf("JUNK", 212) != at)
                continue;
            const QByteArray before = bytes;
            QBuffer file(&bytes);
            QVERIFY(file.open(QIODevice::ReadWrite));
            const auto result = AviJunkStore::save(file, sampleMenu());
            QCOMPARE(bytes.size(), before.size());
            const qint64 payloadEnd = qMin(length, at + 8 + qint64(size));
            for (qint64 i = 0; i < bytes.size(); ++i)
                if (bytes[i] != before[i] && (i < at + 8 || i >= payloadEnd))
                    QFAIL(qPrintable(QStringLiteral("layout %1: byte %2 written outside the payload [%3, %4)")
                                         .arg(n).arg(i).arg(at + 8).arg(payloadEnd)));
            if (result.status != AviJunkStore::WriteStatus::Written) {
                QCOMPARE(bytes, before);
                continue;
            }
            ++written;
            QCOMPARE(AviJunkStore::read(file).menu, sampleMenu());
            AviJunkStore::clear(file);
            QCOMPARE(bytes, before);
        }
        QVERIFY2(written > 300, "most layouts have room for a menu");
    }

    void theOverlayCountsShrinksAndAsksBeforeOpening()
    {
        MovieMenu menu = sampleMenu();
        QCOMPARE(MovieMenuLayout::entryCount(menu), 5);
        menu.entries[2].text.clear(); // entry 3 empty: 4 and 5 are not shown
        QCOMPARE(MovieMenuLayout::entryCount(menu), 2);
        menu.entries[0].text.clear(); // the first always counts
        QCOMPARE(MovieMenuLayout::entryCount(menu), 2);
        QCOMPARE(MovieMenuLayout::fontHeight(240, 2), 26);

        // Width 20 pixels a letter-height unit: 30 fits 300 - 10 only at 14.
        const auto widest = [](int h) { return h * 20; };
        QCOMPARE(MovieMenuLayout::fittedFontHeight(30, widest, 300, false, 0), 14);
        QCOMPARE(MovieMenuLayout::fittedFontHeight(30, widest, 300, true, 200), 9);
        QCOMPARE(MovieMenuLayout::fittedFontHeight(30, widest, 1000, false, 0), 30);

        const auto g = MovieMenuLayout::place(QRect(100, 50, 640, 480), 2, 26, 200, 3);
        QCOMPARE(g.window.topLeft(), QPoint(110, (480 - g.window.height()) / 2 + 50 + 12));
        QCOMPARE(g.window.width(), 205);
        QCOMPARE(g.regions.size(), 2);
        QCOMPARE(g.regions[1], QRect(0, 26 + 5 + 8 + 31, 205, 26));
        QVERIFY(g.window.height() >= g.regions.last().bottom() + 3);

        using MovieMenuLayout::link;
        for (const QString &web : {QStringLiteral("http://www.zendor.org/Brivara/"), QStringLiteral("HTTPS://x.org/a?b"),
                                   QStringLiteral("mailto:kino@zendor.org"), QStringLiteral("www.zendor.org")})
            QVERIFY2(!link(web, QStringLiteral("/films")).ask, qPrintable(web));
        QCOMPARE(link(QStringLiteral("extras/setup.sh"), QStringLiteral("/films")).target,
                 QUrl::fromLocalFile(QStringLiteral("/films/extras/setup.sh")));
        QCOMPARE(link(QStringLiteral("../../usr/bin/xterm"), QStringLiteral("/films/a")).target,
                 QUrl::fromLocalFile(QStringLiteral("/usr/bin/xterm")));
        for (const QString &other : {QStringLiteral("/usr/bin/xterm"), QStringLiteral("file:///bin/sh"),
                                     QStringLiteral("javascript:alert(1)"), QStringLiteral("http:/etc/passwd"),
                                     QStringLiteral("smb://host/share/run.exe")})
            QVERIFY2(link(other, QStringLiteral("/films")).ask, qPrintable(other));
    }
};

QTEST_GUILESS_MAIN(TestMovieMenu)
#include "test_movie_menu.moc"
