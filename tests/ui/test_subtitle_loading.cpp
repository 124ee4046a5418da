#include "core/TextFile.h"
#include "support/FilmPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/osd/TFormOSD.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Fixture : FilmPlayer
{
    Fixture() : FilmPlayer(QSize(320, 240), 600) {}
    QString write(const QString &name, const QStringList &lines)
    {
        const QString path = dir.filePath(name);
        TextFile::writeLines(path, lines);
        return path;
    }
    QString film(const QString &name = "film.avi") { return touch(name); }
    QStringList menu() const
    {
        QStringList out;
        for (QAction *a : t->form1()->MenuTXT->actions())
            if (!a->isSeparator())
                out << a->text();
        return out;
    }
};
} // namespace

class TestSubtitleLoading : public QObject
{
    Q_OBJECT
private slots:
    void aTimeColonFileLosesALastLineFromTheFirstMinute()
    {
        // Such a last line has always been taken for an end marker.
        Fixture f;
        f.write("film.txt", {"00:00:01:Jeden", "00:00:05:Koniec"});
        f.open(f.film());
        QCOMPARE(f.t->form4()->subtitles(), (SubtitleList{{"00:00:01", "Jeden"}}));
    }

    void theFilmsTextFileLoadsWhenItOpens()
    {
        Fixture f;
        f.write("film.txt", {"00:00:01:Pierwszy", "0:00:05:Drugi|dwa"});
        f.open(f.film());
        const SubtitleList &list = f.t->form4()->subtitles();
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[1], (SubtitleLine{"00:00:05", "Drugi|dwa"}));
        QVERIFY(f.t->form1()->NapisyCheck->down());
        QCOMPARE(f.t->form4()->TimeTXTEditor->rowCount(), 2);
        QCOMPARE(f.t->form4()->LLinii->text(), QStringLiteral("Text 1 of 3"));
        QCOMPARE(f.t->form4()->SubtitleMarker, 999999);
    }

    void twoCandidatesAreOfferedAndNeitherIsTaken()
    {
        Fixture f;
        f.write("a.srt", {"1", "00:00:01,000 --> 00:00:02,000", "A"});
        f.write("b.srt", {"1", "00:00:01,000 --> 00:00:02,000", "B"});
        f.open(f.film());
        QVERIFY(f.t->form4()->subtitles().isEmpty());
        QVERIFY(!f.t->form1()->NapisyCheck->down());
        QStringList offered = f.menu();
        QCOMPARE(offered.takeLast(), QStringLiteral("Szukaj innych plików z napisami..."));
        offered.sort();
        QCOMPARE(offered, (QStringList{"a.srt", "b.srt"}));
        QCOMPARE(f.t->form1()->ButtonOpenTXT->dropDownMenu(), f.t->form1()->MenuTXT);
        // Choosing one in the menu loads it.
        for (QAction *a : f.t->form1()->MenuTXT->actions())
            if (a->text() == "b.srt")
                a->trigger();
        QCOMPARE(f.t->form4()->subtitles().value(0).text, QStringLiteral("B"));
        QVERIFY(f.t->form1()->NapisyCheck->down());
    }

    void aSingleOtherFileIsLoadedAndTheFolderIsSearchedToo()
    {
        Fixture f;
        f.write("Film.PL.srt", {"7", "00:00:03,500 --> 00:00:05,000", "Oh!", "Tak."});
        f.open(f.film());
        QCOMPARE(f.t->form4()->subtitles().value(0), (SubtitleLine{"00:00:03", "Oh!|Tak."}));
        QVERIFY(f.menu().size() == 1); // the lone candidate in use needs no menu entry

        QTemporaryDir folder;
        TextFile::writeLines(folder.filePath("other.txt"), {"00:01:09:Z katalogu"});
        f.t->form4()->DirectoryTXT->setText(folder.path());
        f.open(f.film("other.avi"));
        // The subtitle folder's file named after the film wins over the lone local .srt.
        QCOMPARE(f.t->form4()->subtitles().value(0).text, QStringLiteral("Z katalogu"));
        QVERIFY(f.menu().contains("<D> other.txt"));
    }

    void aFileWithNothingUsableEmptiesTheListAndSaysSo()
    {
        Fixture f;
        f.write("film.txt", {"00:01:01:Stary napis"});
        f.open(f.film());
        QCOMPARE(f.t->form4()->subtitles().size(), 1);
        f.write("film2.txt", {"x", "", "ab"});
        f.open(f.film("film2.avi"));
        QVERIFY(f.t->form4()->subtitles().isEmpty());
        QVERIFY(!f.t->form1()->NapisyCheck->down());
        QTRY_COMPARE(f.t->formOSD()->text(), QStringLiteral("Brak napisów w pliku film2.txt"));
    }

    // ASS and WebVTT found beside the film, offered, dropped and chosen like the others; a
    // frame-brace file keeps to its own frame rate unless the manual one is on.
    void cueFormatsAndTheFilesOwnFrameRate()
    {
        Fixture f;
        f.write("film.ass", {"[Script Info]", "[Events]",
                             "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text",
                             "Dialogue: 0,0:00:03.00,0:00:05.00,Default,,0,0,0,,{\\i1}Later{\\fs9}{\\i0}\\Nline",
                             "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\b1}First"});
        f.write("film.vtt", {"WEBVTT", "", "00:00:07.000 --> 00:00:09.000 line:0", "<v Ann><i>Cue</i></v>"});
        f.open(f.film());
        // One of each kind: both offered, the top one (the last kind looked for) taken.
        QStringList offered = f.menu();
        offered.removeLast();
        QCOMPARE(offered, (QStringList{"film.vtt", "film.ass"}));
        QCOMPARE(f.t->form4()->subtitles(), (SubtitleList{{"00:00:07", "<i>Cue</i>"}}));
        f.t->form1()->DropFiles({f.dir.filePath("film.ass")});
        QCOMPARE(f.t->form4()->subtitles(), (SubtitleList{{"00:00:01", "First"}, {"00:00:03", "{\\i1}Later{\\i0}|line"}}));
        f.t.dialogs->nextFiles = {f.dir.filePath("film.vtt")};
        f.t->form1()->ButtonOpenTXTClick();
        QCOMPARE(f.t->form4()->subtitles().size(), 1);

        const QString frames = f.write("frames.txt", {"{1}{1}23.976", "{24000}{24100}Hi"});
        f.t->form1()->DropFiles({frames});
        QCOMPARE(f.t->form4()->subtitles(), (SubtitleList{{"00:16:41", "Hi"}}));
        f.t->form4()->CFrameToSec->setChecked(true);
        f.t->form4()->EFrameToSec->setValue(25);
        f.t->form1()->DropFiles({frames});
        QCOMPARE(f.t->form4()->subtitles(), (SubtitleList{{"00:16:00", "Hi"}}));
    }

    void anUnreadableFileIsNamedAndTheListKept()
    {
        Fixture f;
        f.write("film.txt", {"00:01:01:Zostaje"});
        f.open(f.film());
        f.t.dialogs->asked.clear();
        f.t->form1()->DropFiles({f.dir.filePath("zniknął.srt")});
        QCOMPARE(f.t.dialogs->asked.size(), 1);
        QVERIFY(f.t.dialogs->asked[0].text.contains("zniknął.srt"));
        QCOMPARE(f.t->form4()->subtitles().value(0).text, QStringLiteral("Zostaje"));
    }

    void withoutAutomaticLoadingNothingIsReadAndTheSwitchGoesUp()
    {
        Fixture f;
        f.write("film.txt", {"00:01:01:Nie teraz"});
        f.t->form4()->CLoadTXT->setChecked(false);
        f.open(f.film());
        QVERIFY(f.t->form4()->subtitles().isEmpty());
        QVERIFY(!f.t->form1()->NapisyCheck->down());
        // The dialog still reads one on request.
        f.t.dialogs->nextFiles = {f.dir.filePath("film.txt")};
        f.t->form1()->ButtonOpenTXTClick();
        QCOMPARE(f.t.dialogs->asked.last().title, QStringLiteral("Brivara - Wybierz Tekst"));
        QCOMPARE(f.t->form4()->subtitles().value(0).text, QStringLiteral("Nie teraz"));
    }

    void theTimerShowsTheEntryOfTheClocksSecondOnce()
    {
        Fixture f;
        f.write("film.txt", {"00:00:08:Teraz", "00:00:10:Potem", "00:02:00:Koniec"});
        f.open(f.film());
        f.t->form1()->TxtShift = 2;
        f.t.engine->setPosition(8LL * 10000000);
        f.t->form1()->TimerTimer();
        // Position 8 s + 2 s of shift: the 00:00:10 entry.
        QCOMPARE(f.t->form4()->SubtitleMarker, 2);
        f.t->form1()->NapisyCheck->setDown(false);
        f.t->form4()->SubtitleMarker = 999999;
        f.t->form1()->TimerTimer();
        QCOMPARE(f.t->form4()->SubtitleMarker, 999999); // switch up: no subtitle work
    }
};

QTEST_MAIN(TestSubtitleLoading)
#include "test_subtitle_loading.moc"
