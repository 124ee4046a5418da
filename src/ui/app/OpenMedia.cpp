// Opening a medium, the end of a film, and files dropped on the panel.
#include "ui/app/TForm1.h"

#include "core/CdAudioDevice.h"
#include "core/CdTrackName.h"
#include "core/FunctionSlider.h"
#include "core/MediaFiles.h"
#include "core/Messages.h"
#include "core/PanelLayout.h"
#include "core/TimeText.h"
#include "engine/MediaEngine.h"
#include "ui/app/Dialogs.h"
#include "ui/app/FileDrops.h"
#include "ui/app/Player.h"
#include "ui/moviemenu/TFormMenu.h"
#include "ui/osd/TFormOSD.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QSlider>
#include <QTimer>

QString TForm1::OpenMovieTitle() { return QStringLiteral("Brivara - Wybierz Film"); }

QStringList TForm1::OpenMovieFilters()
{
    return {QStringLiteral("Filmy (*.AVI *.avi *.mpg *.asf *.mpa *.mpeg *.mpe *.mov *.m2p *.m2v *.wmv *.dat)"),
            QStringLiteral("Muzyka/Dźwięki (*.wav *.mp3 *.m3u *.mid *.cda)"), QStringLiteral("Wszystkie Pliki (*)")};
}

QString TForm1::StatusRozText() const { return StatusRoz->text(); }

void TForm1::EnablePlayListSteps(bool on)
{
    BNext->setEnabled(on);
    BPrev->setEnabled(on);
}

void TForm1::ButtonOpenClick()
{
    m_antiFreeze.reset();
    MenuInFile = false;
    emit openStarted();
    app.dialogOpen = true;

    // A second instance's file waits for the idle handler, which opens it instead.
    if (!PendingHandOver.isEmpty()) {
        app.dialogOpen = false;
        return;
    }
    QStringList chosen{OpenMovieFileName};
    if (!OpenGivenFile) {
        chosen = app.dialogs().openFiles(this, OpenMovieTitle(), LastDir, OpenMovieFilters(), true);
        FirstOpen = false;
        if (chosen.isEmpty()) {
            app.dialogOpen = false;
            return;
        }
        OpenMovieFileName = chosen.first();
    }
    app.dialogOpen = false;
    ButtonSnapShot->setTag(0);
    if (chosen.size() > 1)
        app.formPlayList()->replaceWith(chosen);

    const QString path = OpenMovieFileName;
    const MediaFiles::Kind kind = MediaFiles::classify(path);
    MediaMode = ModeFile;
    StatusRoz->setVisible(true);
    TForm2 *video = app.form2();
    if (kind == MediaFiles::Kind::Audio)
        StatusRoz->setText(QStringLiteral("Audio"));
    else if (kind == MediaFiles::Kind::Video)
        video->show();

    const bool exists = kind == MediaFiles::Kind::AudioCdTrack ? CdTrackName::exists(path) : QFileInfo::exists(path);
    if (!exists) {
        app.formOSD()->ShowOSD(app.messages().text(1));
        OpenGivenFile = false;
        return;
    }
    // Any disc playing stops here; what showed the last medium can go.
    app.cdAudio().send(QStringLiteral("stop cd"));
    emit mediumOpening(path);
    if (kind == MediaFiles::Kind::AudioCdTrack) {
        video->ReleaseGraph();
    } else {
        video->BuildGraph(path);
        showBuiltGraph(video->graphFilters());
    }

    TxtShift = SpeedLevel = BalanceLevel = 0;
    TextTrack = -1; // the new graph shows no track until one is chosen
    if (BFunction->tag() != FunctionSlider::Volume)
        SliderFUN->setValue(0);
    app.form3()->emptyQueue();
    app.form4()->SubtitleMarker = 999999;
    SliderPos->setEnabled(true);
    ButtonFullScreen->setEnabled(true);

    const QString name = QFileInfo(path).fileName();
    StatusFileName->setText(app.messages().text(0) + name);
    BPlay->setEnabled(true);
    BPlay->setDown(true);
    BStop->setEnabled(true);
    BStep->setEnabled(true);
    BBack->setEnabled(true);

    if (kind == MediaFiles::Kind::AudioCdTrack) {
        CdOpen();
        return;
    }

    const QSize picture = video->engine().videoSize();
    DurationText = TimeText::hms(DurationMs);
    if (picture.width() < 20)
        video->hide();
    VideoWidth = picture.width();
    VideoHeight = picture.height();

    const int room = video->subtitleStrip();
    if (!app.fullScreenActive()) {
        QSize client;
        if (app.form4()->WindowSize->isChecked())
            client = picture;
        else
            client = QSize(width(), VideoWidth > 0 ? int(double(width()) / VideoWidth * VideoHeight)
                                                   : video->height());
        // The picture rectangle is the picture alone; the subtitle strip lies below it.
        video->ZoomRect = QRect(QPoint(0, 0), client);
        client.rheight() += room;
        video->resize(client);
    } else {
        video->WindowedBounds.setSize(picture + QSize(0, room ? room + 20 : 0));
    }
    if (VideoWidth > 0)
        StatusRoz->setText(QStringLiteral("%1x%2/%3").arg(VideoWidth).arg(VideoHeight).arg(
            QString::number(FrameRate, 'g', 15).left(4)));

    // Placement: above the panel, centred; the first film also centres the pair on screen.
    const QRect screen = this->screen()->availableGeometry();
    const QSize videoFrame = video->frameGeometry().size();
    const int top = FirstOpen ? screen.top() + (screen.height() - (height() + videoFrame.height())) / 2
                              : y() - videoFrame.height();
    const QPoint place(x() + width() / 2 - videoFrame.width() / 2, top);
    if (pinned() && !app.fullScreenActive())
        video->move(place);
    else
        video->WindowedBounds.moveTopLeft(place);
    FirstOpen = false;

    if (!video->recentFiles().contains(path))
        video->addRecentFile(path);

    // Subtitles: the film's own .txt, or whatever the loader finds beside it.
    DialogFileNameTXT.clear();
    QDir::setCurrent(QFileInfo(path).absolutePath());
    if (app.form4()->CLoadTXT->isChecked()) {
        const QString candidate = MediaFiles::subtitleCandidate(path);
        DialogFileNameTXT = QFileInfo::exists(candidate) ? candidate : QString();
        LoadTXT(true);
    } else {
        NapisyCheck->setDown(false);
        listTextTracks();
    }

    Timer->start();
    const bool resuming = CurrentFile == QLatin1String("Start");
    if (resuming)
        video->engine().seek(ResumePos);
    if (!(MenuInFile && app.form4()->MenuStopMovie->isChecked()))
        BPlayClick();
    if (resuming)
        app.formOSD()->ShowOSD(QStringLiteral("AutoResume"));
    CurrentFile = path.left(255);
    ResumePos = 0;

    // Films of ten minutes and more greet with the product's mark; shorter ones do not.
    if (DurationText.size() > 3 && DurationText.at(3) != QLatin1Char('0'))
        app.form3()->greet();
    else
        app.form3()->hide();

    TimerTimer();
    emit mediaOpened(path);

    if (!OpenGivenFile)
        LastDir = QFileInfo(path).absolutePath() + QLatin1Char('/');
    else
        OpenDialogFileName = LastDir + name;
    OpenGivenFile = false;

    // Full screen fits itself to the new picture: the re-entry mark keeps it from toggling.
    if (app.fullScreenActive()) {
        ButtonFullScreen->setTag(1);
        ButtonFullScreen->click();
        ButtonFullScreen->setTag(0);
    }
    if (pinned() && !app.fullScreenActive())
        placePanelBelowVideo();
    if (app.form4()->FullScreenStart->isChecked() && !app.fullScreenActive())
        ButtonFullScreen->click();
    if (MenuInFile)
        app.formMenu()->ShowMenu();
}

void TForm1::EndOfMedia()
{
    BStopClick();
    PlayState = StateStopped;
    if (app.form4()->Movie2Part->isChecked()) {
        if (const auto next = MediaFiles::nextPartName(CurrentFile); next && QFileInfo::exists(*next)) {
            const int part = CurrentFile.at(CurrentFile.lastIndexOf(QLatin1Char('.')) - 1).digitValue() + 1;
            OpenMovieFileName = *next;
            OpenGivenFile = true;
            ButtonOpenClick();
            app.formOSD()->ShowOSD(QStringLiteral("Start Part ") + QString::number(part));
            return;
        }
    }
    TForm2 *video = app.form2();
    if (video->CloseSystem->isChecked() || video->CloseMonitor->isChecked())
        app.formOSD()->startCountdown(30);
    else if (BRepeat->down())
        BPlayClick();
    else if (app.formPlayList()->BNext->isEnabled())
        app.formPlayList()->BNext->click();
}

void TForm1::DropFiles(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const QString path = paths.first().left(260);
    if (MediaFiles::isSubtitle(path)) {
        DialogFileNameTXT = path;
        LoadTXT(false);
        return;
    }
    OpenMovieFileName = path;
    OpenGivenFile = true;
    ButtonOpenClick();
}

void TForm1::dragEnterEvent(QDragEnterEvent *event) { FileDrops::acceptFiles(event); }

void TForm1::dropEvent(QDropEvent *event) { DropFiles(FileDrops::takeFiles(event)); }
