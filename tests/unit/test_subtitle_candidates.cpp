#include "core/SubtitleCandidates.h"

#include <QtTest>

using namespace SubtitleCandidates;

namespace {
Input beside(QList<QStringList> local, const QString &current = {})
{
    Input in;
    in.localByMask = local;
    while (in.localByMask.size() < 5)
        in.localByMask << QStringList();
    in.localDir = "/films";
    in.medium = "/films/film.avi";
    in.current = current;
    return in;
}
QStringList captions(const Result &r)
{
    QStringList out;
    for (const Item &i : r.items)
        out << i.caption;
    return out;
}
} // namespace

class TestSubtitleCandidates : public QObject
{
    Q_OBJECT
private slots:
    void theFilmsOwnTextFileIsLoadedWithoutAMenu()
    {
        const Result r = choose(beside({{"film.txt"}}, "/films/film.txt"));
        QVERIFY(r.load);
        QCOMPARE(r.current, QStringLiteral("/films/film.txt"));
        QVERIFY(r.items.isEmpty()); // one candidate that is already in use
        QVERIFY(!r.dropDown);
    }

    void aSingleOtherFileIsTakenAndSeveralAreOffered()
    {
        const Result one = choose(beside({{}, {}, {"Film.PL.srt"}}));
        QVERIFY(one.load);
        QCOMPARE(one.current, QStringLiteral("/films/Film.PL.srt"));

        const Result two = choose(beside({{}, {}, {"a.srt", "b.srt"}}));
        QVERIFY(!two.load);
        QVERIFY(two.current.isEmpty());
        QVERIFY(two.dropDown);
        QCOMPARE(captions(two), (QStringList{"b.srt", "a.srt"})); // each goes on top
    }

    void theFileInUseIsCheckedInTheMenu()
    {
        const Result r = choose(beside({{"film.txt", "other.txt"}, {}, {"x.srt"}}, "/films/FILM.TXT"));
        QVERIFY(r.load);
        QCOMPARE(captions(r), (QStringList{"x.srt", "other.txt", "film.txt"}));
        QVERIFY(r.items[2].checked && !r.items[0].checked);
        QVERIFY(r.dropDown);
    }

    void theSubtitleFolderSuppliesTheFilmsFile()
    {
        Input in = beside({{}, {}, {"only.srt"}});
        in.folder = "/subs";
        in.folderTxt = {"other.txt", "film.txt"};
        const Result r = choose(in);
        // Found in the folder: the lone local .srt no longer counts as the choice.
        QVERIFY(r.load);
        QCOMPARE(r.current, QStringLiteral("/subs/film.txt"));
        QCOMPARE(captions(r), (QStringList{"<D> film.txt", "only.srt"}));
        QVERIFY(r.items[0].checked);

        in.allToMenu = true;
        QCOMPARE(captions(choose(in)), (QStringList{"<D> film.txt", "<D> other.txt", "only.srt"}));
    }

    void nothingBesideTheFilmLoadsNothing()
    {
        const Result r = choose(beside({}));
        QVERIFY(!r.load);
        QVERIFY(r.items.isEmpty());
        QVERIFY(!r.dropDown);
    }
};

QTEST_APPLESS_MAIN(TestSubtitleCandidates)
#include "test_subtitle_candidates.moc"
