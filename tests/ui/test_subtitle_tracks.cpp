#include "core/TextFile.h"
#include "support/FilmPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"

#include <QCheckBox>
#include <QMenu>
#include <QtTest>

// The film's own subtitle tracks on the fake engine: offered, chosen, filled and left.
class TestSubtitleTracks : public QObject
{
    Q_OBJECT
private slots:
    void aTrackIsChosenLikeAFileAndItsCuesAreTimedExactly()
    {
        FilmPlayer f;
        f.t.engine->setTextTracks({{0, QStringLiteral("pl")}, {1, QString()}});
        TextFile::writeLines(f.dir.filePath("film.txt"), {"00:01:01:Z pliku"});
        f.t->form4()->DokladnyCzas->setChecked(true);
        f.t->form4()->IQNapisow->setChecked(false);
        f.openFilm("film.mkv");
        TForm1 *panel = f.panel();
        // The file beside the film loads as ever; the tracks are offered after it.
        QCOMPARE(f.t->form4()->subtitles().value(0).text, QStringLiteral("Z pliku"));
        QStringList captions;
        QAction *second = nullptr;
        for (QAction *a : panel->MenuTXT->actions()) {
            captions << a->text();
            if (a->text() == QStringLiteral("Ścieżka 2"))
                second = a;
        }
        QCOMPARE(captions.mid(captions.size() - 4),
                 (QStringList{"Ścieżka 1 (pl)", "Ścieżka 2", QString(), "Szukaj innych plików z napisami..."}));
        QCOMPARE(panel->ButtonOpenTXT->dropDownMenu(), panel->MenuTXT);

        QVERIFY(second);
        second->trigger();
        QCOMPARE(f.t.engine->selectedTextTrack(), 1);
        QVERIFY(f.t->form4()->subtitles().isEmpty());
        // Cues come as the engine reads them, not always in order; the list keeps time order.
        f.t.engine->fireTextCue({4500, 5200, QStringLiteral("Druga")});
        f.t.engine->fireTextCue({2250, 3000, QStringLiteral("Pierwsza\nlinia")});
        QCOMPARE(f.t->form4()->subtitles(), (SubtitleList{{"00:00:02", "Pierwsza|linia"}, {"00:00:04", "Druga"}}));

        // Exactly timed from the engine's position: in the second of its key but before its
        // millisecond, the cue is not up yet (the default timing would show it now)...
        TForm3 *window = f.t->form3();
        f.t.engine->setPosition(2200 * 10000LL);
        panel->TimerTimer();
        QTest::qWait(100);
        QVERIFY(!window->isVisible() || window->text() != QStringLiteral("Pierwsza|linia"));
        // ...it is once the position passes it, and goes at its stop.
        f.t.engine->setPosition(2260 * 10000LL);
        QTRY_VERIFY_WITH_TIMEOUT(window->isVisible() && window->text() == QStringLiteral("Pierwsza|linia"), 1000);
        f.t.engine->setPosition(2990 * 10000LL);
        QTest::qWait(450);
        QVERIFY(window->isVisible());
        f.t.engine->setPosition(3000 * 10000LL);
        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 2000);

        // Choosing a file again leaves the track.
        f.t.dialogs->nextFiles = {f.dir.filePath("film.txt")};
        panel->ButtonOpenTXTClick();
        QCOMPARE(panel->TextTrack, -1);
        QCOMPARE(f.t.engine->selectedTextTrack(), -1);
        QCOMPARE(f.t->form4()->subtitles().value(0).text, QStringLiteral("Z pliku"));
        f.t.engine->fireTextCue({6000, 7000, QStringLiteral("Za późno")});
        QCOMPARE(f.t->form4()->subtitles().size(), 1);
    }
};

QTEST_MAIN(TestSubtitleTracks)
#include "test_subtitle_tracks.moc"
