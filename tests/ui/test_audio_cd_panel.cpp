#include "core/CdTime.h"
#include "core/PlaylistModel.h"
#include "support/FilmPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/filters/TFormFiltry.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSlider>
#include <QTableWidget>
#include <QtTest>

namespace {
// A player with a three-track disc (1:05, 4:02 and 0:09) in an image beside its films.
struct DiscPlayer : FilmPlayer
{
    QString cue = touch("disc.cue");

    DiscPlayer() { t.cd->setDisc({65, 4 * 60 + 2, 9}, {"", "Second Song"}); }
    QString track(int n) const { return cue + QStringLiteral("/Track0%1.cda").arg(n); }
    QString lastCall() const { return t.cd->calls.value(t.cd->calls.size() - 1); }
    QString status() const { return panel()->StatusTime->text(); }
    QString cell(int row, int column) const
    {
        return t->formPlayList()->cell(row + 1, column); // the list's rows count from 1
    }
    int rows() const { return t->formPlayList()->model()->rows(); }
    void tick(int seconds = 0)
    {
        t.cd->advance(seconds);
        panel()->TimerTimer();
    }
};
} // namespace

// Audio discs in the control panel: opened like a file, listed in the playlist, polled by
// the main timer, skipped and sought inside the track, taken out and put back.
class TestAudioCdPanel : public QObject
{
    Q_OBJECT
private slots:
    void openingATrackListsTheDiscAndPlays()
    {
        DiscPlayer f;
        f.open(f.track(1));
        TForm1 *p = f.panel();
        QCOMPARE(f.t.cd->loadedDrive, f.cue);
        QCOMPARE(p->MediaMode, int(TForm1::ModeCd));
        QCOMPARE(p->PlayState, int(TForm1::StatePlaying));
        QCOMPARE(p->StatusFileName->text(), QStringLiteral("Audio CD - 01 / 3"));
        QCOMPARE(p->DurationText, QStringLiteral("01:05/05:16"));
        QCOMPARE(f.status(), QStringLiteral("00:00/01:05/05:16"));
        QCOMPARE(p->SliderPos->maximum(), CdTime::sliderUnits(65));
        QCOMPARE(f.lastCall(), QStringLiteral("play 1 0"));
        QVERIFY(!f.t->form2()->isVisible());
        QVERIFY(p->Timer->isActive());
        for (TZDButton *b : {p->BPlay, p->BStop, p->BNext, p->BPrev, p->BPause})
            QVERIFY(b->isEnabled());
        // As loud as a film; muted, silent.
        QCOMPARE(f.t.cd->volume, -625);
        p->ButtonVolume->click();
        QCOMPARE(f.t.cd->volume, -10000);
        p->ButtonVolume->click();
        QCOMPARE(f.t.cd->volume, -625);

        // The playlist: one row a track, with its length and its name to open it by; the
        // disc's own title where it gives one.
        QCOMPARE(f.rows(), 3);
        QCOMPARE(f.cell(0, 0), QStringLiteral("1"));
        QCOMPARE(f.cell(0, 1), QStringLiteral("Track01"));
        QCOMPARE(f.cell(1, 1), QStringLiteral("Second Song"));
        QCOMPARE(f.cell(2, 2), QStringLiteral("CDA"));
        QCOMPARE(f.cell(0, 4), QStringLiteral("01:05"));
        QCOMPARE(f.cell(1, 4), QStringLiteral("04:02"));
        QCOMPARE(f.cell(2, 4), QStringLiteral("00:09"));
        QCOMPARE(f.cell(2, 6), f.track(3));
        QCOMPARE(f.t->formPlayList()->PlayList->columnWidth(3), 0);

        // Another track of the listed disc leaves the list as it is.
        f.t->formPlayList()->model()->setCell(0, 5, "played");
        f.open(f.track(2));
        QCOMPARE(f.cell(0, 5), QStringLiteral("played"));
        QCOMPARE(p->StatusFileName->text(), QStringLiteral("Audio CD - 02 / 3 - Second Song"));
        QCOMPARE(p->DurationText, QStringLiteral("04:02/05:16"));
        QCOMPARE(f.lastCall(), QStringLiteral("play 2 0"));

        // A film after the disc: the disc stops and the panel is back to files.
        f.t.engine->setFilters({{"videobalance", "videobalance", true}});
        f.open(f.touch("film.avi"));
        QVERIFY(f.t.cd->calls.contains("stop"));
        QCOMPARE(p->MediaMode, int(TForm1::ModeFile));
        f.t.cd->calls.clear();
        p->TimerTimer();
        QVERIFY(f.t.cd->calls.isEmpty());
        QCOMPARE(f.t->formFiltry()->ListFiltr->count(), 1);
        // A track of a disc that is not there: the missing-film message, nothing opened.
        f.open(f.dir.filePath("gone.cue/Track01.cda"));
        QCOMPARE(f.osd(), QStringLiteral("BRAK Filmu!"));
        QCOMPARE(p->MediaMode, int(TForm1::ModeFile));
        // And the disc again: no graph, so no filters listed anywhere.
        f.open(f.track(1));
        QCOMPARE(f.t->formFiltry()->ListFiltr->count(), 0);
        QCOMPARE(p->MenuFiltry->actions().size(), 2);

    }

    void theTimerFollowsTheDiscAndTheTransportDrivesIt()
    {
        DiscPlayer f;
        f.open(f.track(2));
        TForm1 *p = f.panel();
        f.tick(75);
        QCOMPARE(f.status(), QStringLiteral("01:15/04:02/05:16"));
        QCOMPARE(p->StatusRoz->text(), QStringLiteral("playing"));
        QCOMPARE(p->SliderPos->value(), CdTime::sliderUnits(75));
        QCOMPARE(p->PositionMs, 75000);

        p->BPauseClick();
        QCOMPARE(f.lastCall(), QStringLiteral("pause"));
        f.tick();
        QCOMPARE(p->PlayState, int(TForm1::StatePaused));
        QCOMPARE(p->StatusRoz->text(), QStringLiteral("paused"));
        p->BPlayClick();
        QCOMPARE(f.lastCall(), QStringLiteral("resume"));
        f.tick(5);
        QCOMPARE(f.status().left(5), QStringLiteral("01:20"));

        // Stop: back to the start of the track, held there.
        p->BStopClick();
        QCOMPARE(f.t.cd->calls.mid(f.t.cd->calls.size() - 2), (QStringList{"play 2 0", "pause"}));
        f.tick();
        QCOMPARE(p->PlayState, int(TForm1::StateStopped));
        QCOMPARE(p->StatusRoz->text(), QStringLiteral("stopped"));
        QCOMPARE(f.status().left(5), QStringLiteral("00:00"));

        // The door follows the zoom buttons.
        p->ButtonDownClick();
        QCOMPARE(f.lastCall(), QStringLiteral("tray open"));
        p->ButtonUpClick();
        QCOMPARE(f.lastCall(), QStringLiteral("tray closed"));
    }

    void skipsAndTheSliderStayInsideTheTrack()
    {
        DiscPlayer f;
        f.open(f.track(2)); // 04:02
        TForm1 *p = f.panel();
        auto skip = [&](int step, bool forward) {
            f.t->form4()->ButtonSkipBack->setValue(step);
            forward ? p->BStepClick() : p->BBackClick();
            const QString call = f.lastCall();
            f.tick();
            return call;
        };
        auto at = [](int seconds) { return QStringLiteral("play 2 %1").arg(seconds * 75); };
        f.tick(50);
        QCOMPARE(skip(90, true), at(140));
        QCOMPARE(skip(10, false), at(130));
        QCOMPARE(skip(90, false), at(40));
        QCOMPARE(skip(90, false), at(0));       // not before the start
        f.tick(235);
        QCOMPARE(skip(10, true), at(242));      // not past the end
        QCOMPARE(p->StatusFileName->text().mid(11, 2), QStringLiteral("02"));

        // The slider: where it is pressed, inside the track; paused, the disc stays paused.
        f.open(f.track(2));
        QSlider *slider = p->SliderPos;
        const int x = 12 + (slider->width() - 24) / 2;
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(x, 5));
        const int seconds = int(CdTime::secondsOfSliderUnits(slider->value()));
        QVERIFY(qAbs(seconds - 121) <= 2);
        QCOMPARE(f.lastCall(), at(seconds));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(x, 5));
        p->BPauseClick();
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(slider->width() - 12, 5));
        QCOMPARE(f.t.cd->calls.mid(f.t.cd->calls.size() - 2), (QStringList{at(242), "pause"}));
    }

    void aDiscTakenOutIsAskedForAndPlaysAgainWhenBack()
    {
        DiscPlayer f;
        f.open(f.track(2));
        TForm1 *p = f.panel();
        f.tick(20);
        f.t.cd->setPresent(false);
        f.tick();
        QCOMPARE(p->StatusRoz->text(), QStringLiteral("No Disc"));
        QCOMPARE(f.status(), QStringLiteral("Insert AudioCD!"));
        QCOMPARE(p->PlayState, int(TForm1::StateNone));
        QCOMPARE(p->SliderPos->value(), 0);
        for (TZDButton *b : {p->BPlay, p->BStop, p->BPause, p->BNext, p->BPrev, p->BBack, p->BStep})
            QVERIFY(!b->isEnabled());
        QCOMPARE(f.rows(), 1);
        QCOMPARE(f.cell(0, 6), QString());
        f.tick();
        QCOMPARE(f.status(), QStringLiteral("Insert AudioCD!"));

        // Put back: the same track opens again by itself and the list comes back.
        f.t.cd->setPresent(true);
        f.tick();
        QCOMPARE(p->PlayState, int(TForm1::StatePlaying));
        QCOMPARE(f.lastCall(), QStringLiteral("play 2 0"));
        QCOMPARE(f.rows(), 3);
        QVERIFY(p->BPlay->isEnabled() && p->BStep->isEnabled());
        QCOMPARE(f.status().left(5), QStringLiteral("00:00"));
    }

    void theEndOfATrackWithRepeatPlaysItAgain()
    {
        DiscPlayer f;
        f.open(f.track(3)); // 9 s
        TForm1 *p = f.panel();
        p->BRepeat->setDown(true);
        f.tick(8);
        QCOMPARE(f.lastCall(), QStringLiteral("play 3 0"));
        f.tick(5);
        QCOMPARE(f.lastCall(), QStringLiteral("play 3 0"));
        QCOMPARE(f.t.cd->calls.count("play 3 0"), 2);
        QCOMPARE(p->PlayState, int(TForm1::StatePlaying));
        // Paused near the end, nothing moves on by itself.
        f.tick(8);
        p->BPauseClick();
        f.t.cd->calls.clear();
        f.tick();
        f.tick();
        QVERIFY(f.t.cd->calls.isEmpty());
    }

    void theEndOfATrackPlaysTheNextOneOfTheList()
    {
        DiscPlayer f;
        f.open(f.track(1)); // 1:05
        TForm1 *p = f.panel();
        f.tick(64);
        QCOMPARE(f.lastCall(), QStringLiteral("play 1 0"));
        f.tick(3);
        QCOMPARE(f.lastCall(), QStringLiteral("play 2 0"));
        QVERIFY(p->StatusFileName->text().startsWith(QStringLiteral("Audio CD - 02 / 3")));
        QCOMPARE(p->PlayState, int(TForm1::StatePlaying));
        QCOMPARE(f.rows(), 3); // the disc's list is kept, not rebuilt
    }

    void closingStopsAndClosesTheDisc()
    {
        DiscPlayer f;
        f.open(f.track(1));
        f.t.cd->calls.clear();
        f.panel()->close();
        QCOMPARE(f.t.cd->calls.mid(0, 2), (QStringList{"stop", "unload"}));
    }
};

QTEST_MAIN(TestAudioCdPanel)
#include "test_audio_cd_panel.moc"
