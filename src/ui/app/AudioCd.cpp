// Audio disc playback: a track opened as a file is, played, polled and skipped through
// the disc device's command strings.
#include "ui/app/TForm1.h"

#include "core/CdAudioDevice.h"
#include "core/CdTime.h"
#include "core/CdTrackName.h"
#include "core/FunctionSlider.h"
#include "ui/app/Player.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTimer>

namespace {
qint64 secondsOf(const QString &mmss) { return CdTime::seconds(mmss).value_or(0); }
} // namespace

QString TForm1::cdTrack() const { return CdTrackName::twoDigits(CdTrackName::number(CurrentFile)); }

void TForm1::CdOpen()
{
    const QString path = OpenMovieFileName;
    CurrentFile = path;
    // No graph, so no filters to list.
    const QList<QAction *> items = MenuFiltry->actions();
    for (int i = 0; i + 2 < items.size(); ++i)
        delete items[i];
    VideoWidth = VideoHeight = 0;
    MediaMode = ModeCd;
    app.form2()->hide();

    CdAudioDevice &cd = app.cdAudio();
    cd.selectDrive(CdTrackName::drive(path));
    cd.send(QStringLiteral("open cdaudio alias cd"));
    cd.send(QStringLiteral("set cd time format tmsf"));
    const QString tt = cdTrack();
    DurationText = cd.send(QStringLiteral("status cd length track ") + tt).left(5);
    const int count = cd.send(QStringLiteral("status cd number of tracks")).toInt();

    // Another track of the disc already listed keeps the list (and where it stands in it).
    const QString drive = cd.selectedDrive();
    if (!app.formPlayList()->ShowsDisc(CdTrackName::path(drive, 1))) {
        QList<TFormPlayList::DiscTrack> tracks;
        for (int i = 1; i <= count; ++i) {
            const QString n = CdTrackName::twoDigits(i);
            const QString title = cd.send(QStringLiteral("status cd title track ") + n);
            tracks.append({title.isEmpty() ? QStringLiteral("Track") + n : title,
                           cd.send(QStringLiteral("status cd length track ") + n).left(5),
                           CdTrackName::path(drive, i)});
        }
        app.formPlayList()->ShowDiscTracks(tracks);
        for (TZDButton *b : {BPlay, BStop, BNext, BPrev})
            b->setEnabled(true);
    }
    const QString title = cd.send(QStringLiteral("status cd title track ") + tt);
    StatusFileName->setText(QStringLiteral("Audio CD - ") + tt + QStringLiteral(" / ") + QString::number(count)
                            + (title.isEmpty() ? QString() : QStringLiteral(" - ") + title));
    DurationText += QLatin1Char('/') + cd.send(QStringLiteral("status cd length")).left(5);
    setDiscVolume();
    cd.send(QStringLiteral("play cd from ") + tt);

    SliderPos->setValue(0);
    SliderPos->setMaximum(CdTime::sliderUnits(secondsOf(DurationText)));
    DurationMs = secondsOf(DurationText) * 1000;
    PositionMs = 0;
    app.form4()->setSubtitles({}, {});
    NapisyCheck->setDown(false);
    Timer->start();
    app.dialogOpen = false;
    PlayState = StatePlaying;
    StatusTime->setText(QStringLiteral("00:00/") + DurationText);
    FirstOpen = false;
    OpenGivenFile = false;
    BPause->setEnabled(true);
}

void TForm1::CdPoll()
{
    CdAudioDevice &cd = app.cdAudio();
    QString mode = cd.send(QStringLiteral("status cd mode"));
    if (mode == QLatin1String("playing")) {
        PlayState = StatePlaying;
    } else if (mode == QLatin1String("stopped")) {
        // The device knows no pause: a paused disc is a stopped one.
        if (PlayState == StatePaused)
            mode = QStringLiteral("paused");
        else
            PlayState = StateStopped;
    } else if (mode == QLatin1String("not ready")) {
        PlayState = StateNone;
    }
    StatusRoz->setText(mode);

    const bool present = cd.send(QStringLiteral("status cd media present")) == QLatin1String("true");
    if (present && PlayState == StateNone) {
        // The disc is back: its track opens again by itself.
        OpenMovieFileName = CurrentFile;
        OpenGivenFile = true;
        ButtonOpenClick();
    }
    if (!present || PlayState == StateNone) {
        cdNoDisc();
        return;
    }

    const QString position = cd.send(QStringLiteral("status cd position"));
    const QString elapsed = position.mid(3, 5);
    StatusTime->setText(elapsed + QLatin1Char('/') + DurationText);
    SliderPos->setValue(CdTime::sliderUnits(secondsOf(elapsed)));
    PositionMs = secondsOf(elapsed) * 1000 + position.mid(9, 2).toInt() * 1000 / CdTime::FramesPerSecond;

    // The track has played to its end (the device stopped there, not a pause near it).
    const QString text = StatusTime->text();
    if (PlayState == StateStopped && text.left(5) == text.mid(6, 5) && !elapsed.isEmpty()) {
        if (BRepeat->down()) {
            cd.send(QStringLiteral("play cd from ") + cdTrack());
            PlayState = StatePlaying;
        } else {
            BNextClick();
        }
    }
}

void TForm1::setDiscVolume()
{
    const int volume = ButtonVolume->down() ? FunctionSlider::Muted : FunctionSlider::volume(VolumeLevel);
    app.cdAudio().send(QStringLiteral("setaudio cd volume to ") + QString::number(volume));
}

void TForm1::cdNoDisc()
{
    StatusRoz->setText(QStringLiteral("No Disc"));
    StatusTime->setText(QStringLiteral("Insert AudioCD!"));
    SliderPos->setValue(0);
    for (TZDButton *b : {BPlay, BStop, BPause, BNext, BPrev, BBack, BStep})
        b->setEnabled(false);
    // The disc's list goes; whatever else the user has put in the list meanwhile stays.
    const QString drive = CdTrackName::drive(CurrentFile);
    if (app.formPlayList()->ShowsDisc(CdTrackName::path(drive, 1)))
        app.formPlayList()->ShowDiscTracks({});
    PlayState = StateNone;
}

void TForm1::cdSkip(bool forward)
{
    const auto target = CdTime::skipTarget(StatusTime->text(), app.form4()->ButtonSkipBack->tag(), forward, DurationText);
    if (target)
        app.cdAudio().send(QStringLiteral("play cd from ") + cdTrack() + QLatin1Char(':') + *target + QStringLiteral(":00"));
}

void TForm1::cdSliderSeek()
{
    const QString target = CdTime::sliderTarget(SliderPos->value(), DurationText);
    CdAudioDevice &cd = app.cdAudio();
    cd.send(QStringLiteral("play cd from ") + cdTrack() + QLatin1Char(':') + target + QStringLiteral(":00"));
    if (PlayState != StatePlaying)
        cd.send(QStringLiteral("pause cd"));
}
