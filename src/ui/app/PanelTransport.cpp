// Transport, the main timer, the idle handler and the watchdog of the control panel.
#include "ui/app/TForm1.h"

#include "core/CdAudioDevice.h"
#include "core/Messages.h"
#include "core/PanelGeometry.h"
#include "core/SubtitleLayout.h"
#include "core/TimeText.h"
#include "core/Transport.h"
#include "engine/MediaEngine.h"
#include "platform/ScreenSaver.h"
#include "ui/app/ExactSubtitles.h"
#include "ui/app/Player.h"
#include "ui/moviemenu/TFormMenu.h"
#include "ui/osd/TFormOSD.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QWheelEvent>

void TForm1::BPlayClick()
{
    if (PlayState == StatePaused || PlayState == StateStopped) {
        if (MediaMode == ModeCd)
            app.cdAudio().send(QStringLiteral("play cd"));
        app.form2()->engine().play();
        // A countdown or a monitor switched off may have let the screen saver back.
        app.screenSaver().inhibit();
        app.formOSD()->ShowOSD(QStringLiteral("PLAY"));
        BPause->setEnabled(true);
        PlayState = StatePlaying;
        BPause->setDown(false);
        BPlay->setDown(true);
    }
    if (PlayState != StateNone && PlayState == StatePlaying)
        BPlay->setDown(true);
}

void TForm1::BPauseClick()
{
    if (PlayState == StatePlaying) {
        if (MediaMode == ModeCd)
            app.cdAudio().send(QStringLiteral("pause cd"));
        app.form3()->emptyQueue();
        app.form2()->engine().pause();
        PlayState = StatePaused;
        app.formOSD()->ShowOSD(QStringLiteral("PAUSE"));
        BPlay->setDown(false);
        BPause->setDown(true);
    }
    if (PlayState == StatePaused)
        BPause->setDown(true);
}

void TForm1::BStopClick()
{
    if (PlayState == StateNone || PlayState == StateStopped)
        return;
    if (MediaMode != ModeCd) {
        // Rewound and paused, so the first picture stays in the window.
        MediaEngine &engine = app.form2()->engine();
        engine.stop();
        engine.seek(0);
        engine.pause();
    } else {
        // Back to the start of the track, held there.
        app.cdAudio().send(QStringLiteral("play cd from ") + cdTrack() + QStringLiteral(":00:00:00"));
        app.cdAudio().send(QStringLiteral("pause cd"));
    }
    app.form3()->emptyQueue();
    PlayState = StateStopped;
    BPlay->setDown(false);
    BPause->setDown(false);
    BPause->setEnabled(false);
    app.formOSD()->ShowOSD(QStringLiteral("STOP"));
}

void TForm1::BStepClick() { skip(true); }
void TForm1::BBackClick() { skip(false); }

void TForm1::skip(bool forward)
{
    if (MediaMode == ModeCd) {
        cdSkip(forward);
        return;
    }
    if (PlayState == StateNone)
        return;
    MediaEngine &engine = app.form2()->engine();
    const int step = app.form4()->ButtonSkipBack->tag();
    const qint64 target = Transport::skipTarget(qMax<qint64>(0, engine.position()), step, forward);
    const qint64 percent = Transport::skipPercent(target, DurationMs);
    app.formOSD()->ShowOSD(Transport::skipText(app.messages().text(forward ? 2 : 3),
                                               app.form4()->ButtonSkipBack->text(), percent));
    app.form3()->emptyQueue();
    // Read again: the message may have taken a moment while the film plays on.
    engine.seek(Transport::skipTarget(qMax<qint64>(0, engine.position()), step, forward));
}

void TForm1::BNextClick() { app.formPlayList()->BNext->click(); }
void TForm1::BPrevClick() { app.formPlayList()->BPrev->click(); }

void TForm1::sliderSeek(int x)
{
    app.form3()->emptyQueue();
    SliderPos->setValue(Transport::sliderValue(x, SliderPos->width(), SliderPos->maximum()));
    if (MediaMode == ModeCd)
        cdSliderSeek();
    else
        app.form2()->engine().seek(qint64(SliderPos->value()) * Transport::UnitsPerMs);
}

void TForm1::TimerTimer()
{
    if (MediaMode == ModeCd) {
        CdPoll();
        return;
    }
    MediaEngine &engine = app.form2()->engine();
    if (PlayState != StateNone) {
        const qint64 position = engine.position();
        if (position >= 0)
            PositionMs = position / Transport::UnitsPerMs;
        SliderPos->setValue(int(qMin<qint64>(PositionMs, INT_MAX)));
    }
    StatusTime->setText(TimeText::hms(PositionMs) + QLatin1Char('/') + DurationText);
    SubtitleClock = Transport::subtitleClockSeconds(PositionMs, app.form4()->subtitleShiftMinutes(),
                                                    TxtShift, app.form4()->subtitleShiftSeconds());
    if (RepeatStop > 0 && engine.position() >= RepeatStop) {
        engine.seek(RepeatStart);
        app.formOSD()->ShowOSD(QStringLiteral("Repeat"));
    }
    if (app.form4()->DokladnyCzas->isChecked())
        exactSubtitles().sync();
    else if (m_exact)
        m_exact->stop();
    if (NapisyCheck->down() && !app.form4()->DokladnyCzas->isChecked())
        matchSubtitles();
}

void TForm1::SliderFUNWheel(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    SliderFUN->setValue(SliderFUN->value() + (delta > 0 ? 1 : -1));
    event->accept();
}

void TForm1::TimerFreezTimer()
{
    if (PlayState == StateNone || !app.form4()->AntiFreeze->isChecked() || !app.form2()->RendererHeld)
        return;
    MediaEngine &engine = app.form2()->engine();
    const bool playing = PlayState != StateStopped && PlayState != StatePaused;
    const qint64 position = engine.position();
    if (m_antiFreeze.tick(engine.framesDrawn(), playing, position)) {
        app.formOSD()->ShowOSD(QStringLiteral("AntiFreeze ON"));
        engine.seek(position + 200);
    }
}

// --- idle ------------------------------------------------------------------------------

void TForm1::placeVideoAbovePanel()
{
    QWidget *video = app.form2();
    const QPoint place = PanelGeometry::videoAbovePanel(frameGeometry(), video->frameGeometry().size());
    if (video->pos() != place)
        video->move(place);
}

void TForm1::placePanelBelowVideo()
{
    QWidget *video = app.form2();
    const QPoint place = PanelGeometry::panelBelowVideo(video->frameGeometry(), frameGeometry().size());
    if (pos() != place)
        move(place);
}

void TForm1::AppEventsIdle()
{
    if (!PendingHandOver.isEmpty()) {
        OpenMovieFileName = PendingHandOver;
        PendingHandOver.clear();
        OpenGivenFile = true;
        ButtonOpenClick();
        return;
    }
    if (app.fullScreenActive() || !pinned())
        return;
    if (QApplication::activeWindow() == this)
        placeVideoAbovePanel();
    else if (QApplication::activeWindow() == app.form2())
        placePanelBelowVideo();

    TForm2 *video = app.form2();
    const bool picture = VideoWidth > 0 && VideoHeight > 0;
    if (picture || OpenMovieFileName.isEmpty()) {
        if (!video->isVisible() && isVisible())
            video->show();
    } else {
        video->hide();
        ButtonFullScreen->setEnabled(false); // sound only
    }
    placeFollowers();
}

void TForm1::placeFollowers()
{
    TForm2 *video = app.form2();
    const QRect v = video->frameGeometry();
    const int frameHeight = v.height() - video->height();

    // Subtitles: centred; their height above the bottom is NapisBottom percent of the room.
    TForm3 *subtitles = app.form3();
    const int left = v.left() + v.width() / 2 - subtitles->width() / 2;
    int top = subtitles->y();
    if (!app.dragging)
        top = SubtitleLayout::windowTop(v, subtitles->height(), app.captionHeight, app.form4()->NapisBottom->value(),
                                        subtitles->composition().place, video->geometry().top() - v.top());
    if (subtitles->pos() != QPoint(left, top))
        subtitles->move(left, top);

    TFormOSD *osd = app.formOSD();
    const QPoint osdPos(app.form4()->OSDLeft->isChecked() ? v.left() + 5 : v.left() + v.width() - osd->width() - 5,
                        v.top() + frameHeight - 4);
    if (osd->pos() != osdPos)
        osd->move(osdPos);

    TFormMenu *menu = app.formMenu();
    const QPoint menuPos(v.left() + 10, (v.height() - menu->height()) / 2 + v.top() + 12);
    if (menu->pos() != menuPos)
        menu->move(menuPos);
}
