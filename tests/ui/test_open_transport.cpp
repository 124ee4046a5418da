#include "support/FilmPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/filters/TFormFiltry.h"
#include "ui/osd/TFormOSD.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr qint64 Second = FilmPlayer::Second;

// A player with a 320 x 240, 25 fps, 450 s film ready to be opened.
struct Fixture : FilmPlayer
{
    Fixture() { t.dialogs->asked.clear(); }
};
} // namespace

class TestOpenTransport : public QObject
{
    Q_OBJECT
private slots:
    void openingBuildsSizesAndPlays()
    {
        Fixture f;
        const QString film = f.touch("film.avi");
        f.open(film);
        TForm1 *p = f.panel();
        QCOMPARE(f.t.engine->renderedPath(), film);
        QCOMPARE(p->PlayState, int(TForm1::StatePlaying));
        QCOMPARE(p->DurationMs, 450000);
        QCOMPARE(p->DurationText, QStringLiteral("00:07:30"));
        QCOMPARE(p->StatusRoz->text(), QStringLiteral("320x240/25"));
        QCOMPARE(p->StatusFileName->text(), QStringLiteral("Tytuł: film.avi"));
        QCOMPARE(f.t->form2()->windowTitle(), QStringLiteral("Brivara: film.avi"));
        QCOMPARE(p->SliderPos->maximum(), 450000);
        QVERIFY(p->SliderPos->isEnabled());
        QVERIFY(p->BPlay->down());
        QVERIFY(p->Timer->isActive());
        // The picture fills the panel's width, proportions kept; the window sits on the panel.
        QCOMPARE(f.t->form2()->size(), QSize(492, 369));
        QCOMPARE(f.t->form2()->frameGeometry().bottom() + 1, p->frameGeometry().top());
        QCOMPARE(p->CurrentFile, film);
        QCOMPARE(f.t.engine->volume(), -625); // level 0
        QCOMPARE(f.t->form2()->recentFiles(), QStringList{film});
    }

    void theGraphsFiltersAreListedAboveTheFixedItems()
    {
        Fixture f;
        f.t.engine->setFilters({{"videobalance0", "videobalance", true},
                                {"queue3", "queue", false},
                                {"ximagesink0", "ximagesink", true}});
        f.open(f.touch("film.avi"));
        QStringList items;
        for (QAction *a : f.panel()->MenuFiltry->actions())
            items << a->text();
        QCOMPARE(items, (QStringList{"videobalance0", "ximagesink0", "", "Więcej o filtrach..."}));
        QCOMPARE(f.t->formFiltry()->ListFiltr->count(), 2);
        // A second film replaces them.
        f.t.engine->setFilters({{"audiopanorama0", "audiopanorama", true}});
        f.open(f.touch("film2.avi"));
        QCOMPARE(f.panel()->MenuFiltry->actions().size(), 3);
        QCOMPARE(f.panel()->MenuFiltry->actions().first()->text(), QStringLiteral("audiopanorama0"));
        QVERIFY(f.t->form2()->RendererHeld);
    }

    void anEngineThatCannotStartIsReportedAndTheOpenGoesOn()
    {
        Fixture f;
        f.t.engine->setCreateFails(true);
        f.open(f.touch("film.avi"));
        QCOMPARE(f.t.dialogs->asked.size(), 1);
        QCOMPARE(f.t.dialogs->asked[0].text,
                 QStringLiteral("Unable to create DirectShow Interface (Reinstall DirectX minimum V8.0!)"));
        QCOMPARE(f.panel()->StatusFileName->text(), QStringLiteral("Tytuł: film.avi"));
        QCOMPARE(f.panel()->DurationText, QStringLiteral("00:00:00"));
        QCOMPARE(f.panel()->PlayState, int(TForm1::StateNone));
    }

    void theStateTableHolds()
    {
        Fixture f;
        TForm1 *p = f.panel();
        FakeMediaEngine *e = f.t.engine;
        // Nothing loaded: every command does nothing.
        p->BPlayClick();
        p->BPauseClick();
        p->BStopClick();
        p->BStepClick();
        QCOMPARE(p->PlayState, int(TForm1::StateNone));
        QCOMPARE(e->playCount() + e->pauseCount() + e->stopCount(), 0);

        f.open(f.touch("film.avi"));
        const int plays = e->playCount();
        p->BPlayClick(); // already playing
        QCOMPARE(e->playCount(), plays);
        p->BPauseClick();
        QCOMPARE(p->PlayState, int(TForm1::StatePaused));
        QCOMPARE(f.t->formOSD()->text(), QStringLiteral("PAUSE"));
        QVERIFY(p->BPause->down() && !p->BPlay->down());
        const int pauses = e->pauseCount();
        p->BPauseClick(); // already paused
        QCOMPARE(e->pauseCount(), pauses);
        p->BPlayClick();
        QCOMPARE(p->PlayState, int(TForm1::StatePlaying));
        p->BStopClick();
        QCOMPARE(p->PlayState, int(TForm1::StateStopped));
        QCOMPARE(e->lastSeek(), 0);
        QVERIFY(!p->BPause->isEnabled());
        const int stops = e->stopCount();
        p->BStopClick(); // already stopped
        QCOMPARE(e->stopCount(), stops);
        p->BPauseClick(); // pause needs playing
        QCOMPARE(p->PlayState, int(TForm1::StateStopped));
        p->BPlayClick();
        QCOMPARE(p->PlayState, int(TForm1::StatePlaying));
    }

    void aFilmWithoutFramesStaysBuilt()
    {
        Fixture f;
        f.t.engine->setDurationFrames(0);
        f.open(f.touch("odd.avi"));
        QCOMPARE(f.panel()->PlayState, int(TForm1::StateBuilt));
        QVERIFY(f.t.engine->seeks().isEmpty());
        f.panel()->BPlayClick();
        QCOMPARE(f.panel()->PlayState, int(TForm1::StateBuilt));
        QCOMPARE(f.t.engine->playCount(), 0);
    }

    void soundFilesPlayWithoutAVideoWindow()
    {
        Fixture f;
        f.t.engine->setVideoSize(QSize(0, 0));
        f.t.engine->setDurationFrames(0);
        f.open(f.touch("song.mp3"));
        QCOMPARE(f.panel()->StatusRoz->text(), QStringLiteral("Audio"));
        QVERIFY(!f.t->form2()->isVisible());
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePlaying));
        f.panel()->AppEventsIdle();
        QVERIFY(!f.t->form2()->isVisible());
        QVERIFY(!f.panel()->ButtonFullScreen->isEnabled());
    }

    void aMissingFileChangesNothing()
    {
        Fixture f;
        f.open(f.dir.filePath("gone.avi"));
        QCOMPARE(f.t->formOSD()->text(), QStringLiteral("BRAK Filmu!"));
        QCOMPARE(f.t.engine->createCount(), 0);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StateNone));
        QVERIFY(f.t->form2()->recentFiles().isEmpty());
    }

    void skippingSeeksByTheStepAndNeverBeforeTheStart()
    {
        Fixture f;
        f.open(f.touch("film.avi"));
        f.t.engine->setPosition(137 * Second);
        f.panel()->BStepClick();
        QCOMPARE(f.t.engine->lastSeek(), 157 * Second);
        QCOMPARE(f.t->formOSD()->text(), QStringLiteral("W przód o 20 s (34%)"));
        f.t.engine->setPosition(5 * Second);
        f.panel()->BBackClick();
        QCOMPARE(f.t.engine->lastSeek(), 0);
        QCOMPARE(f.t->formOSD()->text(), QStringLiteral("W tył o 20 s (0%)"));
        f.t->form4()->ButtonSkipBack->setValue(300);
        f.t.engine->setPosition(10 * Second);
        f.panel()->BStepClick();
        QCOMPARE(f.t.engine->lastSeek(), 310 * Second);
        QCOMPARE(f.t->formOSD()->text(), QStringLiteral("W przód o 300 s (68%)"));
    }

    void skippingAFilmOfUnknownLengthDoesNotDivideByZero()
    {
        Fixture f;
        f.t.engine->setDuration(0);
        f.open(f.touch("film.avi"));
        f.t.engine->setPosition(3 * Second);
        f.panel()->BStepClick();
        QCOMPARE(f.t.engine->lastSeek(), 23 * Second);
        QCOMPARE(f.t->formOSD()->text(), QStringLiteral("W przód o 20 s (0%)"));
    }

    void thePositionSliderSeeksWhereItIsPressed()
    {
        Fixture f;
        f.open(f.touch("film.avi"));
        QSlider *slider = f.panel()->SliderPos;
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(12, 5));
        QCOMPARE(f.t.engine->lastSeek(), 0);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(12, 5));
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(slider->width() - 12, 5));
        QCOMPARE(f.t.engine->lastSeek(), 450000 * 10000LL);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width() - 12, 5));
        // With a modifier held the press does not seek.
        const int seeks = f.t.engine->seeks().size();
        QTest::mousePress(slider, Qt::LeftButton, Qt::ShiftModifier, QPoint(50, 5));
        QCOMPARE(f.t.engine->seeks().size(), seeks);
    }

    void theTimerShowsThePosition()
    {
        Fixture f;
        f.open(f.touch("film.avi"));
        f.t.engine->setPosition(3723 * Second / 10);
        f.panel()->TimerTimer();
        QCOMPARE(f.panel()->PositionMs, 372300);
        QCOMPARE(f.panel()->SliderPos->value(), 372300);
        QCOMPARE(f.panel()->StatusTime->text(), QStringLiteral("00:06:12/00:07:30"));
        QCOMPARE(f.panel()->SubtitleClock, 372);
        // A-B repeat: past the end point the film goes back to the start point.
        f.panel()->RepeatStart = 100 * Second;
        f.panel()->RepeatStop = 200 * Second;
        f.t.engine->setPosition(201 * Second);
        f.panel()->TimerTimer();
        QCOMPARE(f.t.engine->lastSeek(), 100 * Second);
    }

    void theEndLeadsToPartTwoTheCountdownRepeatOrNothing()
    {
        Fixture f;
        const QString one = f.touch("film1.avi");
        const QString two = f.touch("film2.avi");
        f.open(one);
        f.t.engine->fireComplete();
        QCOMPARE(f.t.engine->renderedPath(), two);
        QCOMPARE(f.panel()->CurrentFile, two);
        QCOMPARE(f.t->formOSD()->text(), QStringLiteral("Start Part 2"));

        const QString nine = f.touch("odc9.avi");
        const QString ten = f.touch("odc10.avi");
        f.open(nine);
        f.t.engine->fireComplete();
        QCOMPARE(f.panel()->CurrentFile, ten);
        QCOMPARE(f.t->formOSD()->text(), QStringLiteral("Start Part 10"));

        // No part two: repeat plays again from the start.
        f.panel()->BRepeat->setDown(true);
        f.t.engine->fireComplete();
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePlaying));
        QCOMPARE(f.t.engine->lastSeek(), 0);

        // The countdown wins over repeat.
        f.t->form2()->CloseMonitor->setChecked(true);
        f.t.engine->fireComplete();
        QVERIFY(f.t->formOSD()->countdownRunning());
        QCOMPARE(f.panel()->PlayState, int(TForm1::StateStopped));
        f.t->formOSD()->breakCountdown();

        // Part two switched off: the film simply stops.
        f.t->form2()->CloseMonitor->setChecked(false);
        f.panel()->BRepeat->setDown(false);
        f.t->form4()->Movie2Part->setChecked(false);
        f.open(one);
        f.t.engine->fireComplete();
        QCOMPARE(f.panel()->CurrentFile, one);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StateStopped));
    }

    void recentFilesHoldNineNewestFirstWithoutDuplicates()
    {
        Fixture f;
        QStringList films;
        for (int i = 0; i < 10; ++i)
            films << f.touch(QStringLiteral("f%1.mpg").arg(QChar('a' + i)));
        f.open(films[0]);
        f.open(films[1]);
        f.open(films[0]); // already listed: stays where it is
        QCOMPARE(f.t->form2()->recentFiles(), (QStringList{films[1], films[0]}));
        for (int i = 2; i < 10; ++i)
            f.open(films[i]);
        const QStringList recent = f.t->form2()->recentFiles();
        QCOMPARE(recent.size(), 9);
        QCOMPARE(recent.first(), films[9]);
        QVERIFY(!recent.contains(films[0])); // the oldest went
        // Clicking an entry opens it through the idle handler.
        f.t->form2()->MLastOpen->actions()[3]->trigger();
        QCOMPARE(f.panel()->CurrentFile, recent[3]);
    }

    void droppedFilesOpenOrGoToTheSubtitles()
    {
        Fixture f;
        const QString film = f.touch("film.avi");
        const QString subs = f.touch("film.SRT");
        f.panel()->DropFiles({subs, film});
        QCOMPARE(f.panel()->DialogFileNameTXT, subs);
        QCOMPARE(f.t.engine->createCount(), 0);
        f.panel()->LastDir = "/elsewhere/";
        f.panel()->DropFiles({film, subs});
        QCOMPARE(f.panel()->CurrentFile, film);
        // The next open dialog starts from the last folder with this name.
        QCOMPARE(f.panel()->OpenDialogFileName, QStringLiteral("/elsewhere/film.avi"));
    }

    void theOpenDialogMayChooseSeveralFiles()
    {
        Fixture f;
        const QString a = f.touch("a.avi");
        const QString b = f.touch("b.avi");
        f.t.dialogs->nextFiles = {a, b};
        f.panel()->ButtonOpenClick();
        QCOMPARE(f.t.dialogs->asked.last().title, QStringLiteral("Brivara - Wybierz Film"));
        QCOMPARE(f.panel()->CurrentFile, a);
        QVERIFY(!f.t->dialogOpen);
        QCOMPARE(f.panel()->LastDir, f.dir.path() + "/"); // chosen in the dialog: remembered
        f.t.dialogs->nextFiles = {};
        f.panel()->ButtonOpenClick(); // cancelled
        QCOMPARE(f.panel()->CurrentFile, a);
    }

    void aHandOverOpensAtTheNextIdleMoment()
    {
        Fixture f;
        const QString film = f.touch("film.avi");
        f.t->handOver(film);
        QCOMPARE(f.panel()->PendingHandOver, film);
        // An open asked for meanwhile leaves the pending name to the idle handler.
        f.panel()->ButtonOpenClick();
        QCOMPARE(f.t.engine->createCount(), 0);
        QTRY_COMPARE(f.panel()->CurrentFile, film);
        QVERIFY(f.panel()->PendingHandOver.isEmpty());
    }

    void antiFreezeNudgesAFrozenPictureOnTheNinthSecond()
    {
        Fixture f;
        f.t->form4()->AntiFreeze->setChecked(true);
        f.open(f.touch("film.avi"));
        f.t.engine->setFramesDrawn(500);
        f.t.engine->setPosition(60 * Second);
        f.panel()->TimerFreezTimer(); // the first reading
        for (int second = 1; second <= 8; ++second)
            f.panel()->TimerFreezTimer();
        QVERIFY(!f.t.engine->seeks().contains(60 * Second + 200));
        f.panel()->TimerFreezTimer();
        QCOMPARE(f.t.engine->lastSeek(), 60 * Second + 200);
        QCOMPARE(f.panel()->FreezeCount(), -2);
    }
};

QTEST_MAIN(TestOpenTransport)
#include "test_open_transport.moc"
