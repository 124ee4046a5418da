#pragma once

#include "ui/app/PlayerWindow.h"

#include "core/SkinFile.h"
#include "core/Transport.h"
#include "engine/MediaEngine.h"

#include <QImage>
#include <QMap>
#include <QRegion>
#include <optional>
#include <QProperty>

class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QSlider;
class QTimer;
class QWheelEvent;
class TZDButton;
class ExactSubtitles;

// The control panel: the main window. It holds the playback state every other window
// reads, and the transport operations they call.
class TForm1 : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TForm1(Player &app);
    ~TForm1() override;

    // --- shared playback state -------------------------------------------------------
    enum { ModeFile = 1, ModeCd = 2 };
    enum { StateNone = 0, StatePlaying = 1, StateStopped = 2, StatePaused = 3, StateBuilt = 4 };
    // Every write of these four notifies: the windows that show them follow by themselves
    // (addNotifier), so the code that changes them never reaches into those windows.
    QProperty<int> MediaMode{ModeFile};
    QProperty<int> PlayState{StateNone};
    QString CurrentFile;
    qint64 ResumePos = 0;         // 100-ns units
    QString DurationText = QStringLiteral("00:00:00");
    QProperty<qint64> DurationMs{0};
    QProperty<qint64> PositionMs{0};
    int VideoWidth = 0;
    int VideoHeight = 0;
    double FrameRate = 0;
    QString LastDir;
    bool MenuInFile = false;
    bool Minimized = false;
    bool FirstOpen = true;
    bool OpenGivenFile = false;
    QString OpenMovieFileName;    // the file to open / the current file, full path
    // What the open dialog is primed with next time: the last folder and the bare name.
    QString OpenDialogFileName;
    QString DialogFileNameTXT;    // the subtitle dialog's file name (the loader's input)
    QString PendingHandOver;      // a file handed over, opened at the next idle moment
    int TextTrack = -1;           // the film's subtitle track shown instead of a file, -1: none
    int TxtShift = 0, SpeedLevel = 0, BalanceLevel = 0, VolumeLevel = 0;
    int BrightLevel = 0, ContrastLevel = 0, SaturationLevel = 0, QualityLevel = 0;
    int FullScreenPanelLeft = 0, FullScreenPanelTop = 0;
    // A-B repeat points, 100-ns units; 0 = not set.
    qint64 RepeatStart = 0, RepeatStop = 0;
    // Position plus the subtitle shifts, whole seconds (the subtitle matching reads it).
    qint64 SubtitleClock = 0;
    int FreezeCount() const { return m_antiFreeze.freezeCount(); }

    // --- operations other windows call ----------------------------------------------
    void ButtonOpenClick();
    void BPlayClick();
    void BPauseClick();
    void BStopClick();
    void BStepClick();
    void BBackClick();
    void BNextClick();
    void BPrevClick();
    // Subtitles: reads the current subtitle file into the list; with rebuildMenu the
    // subtitle menu is rebuilt first and may choose the file itself.
    void LoadTXT(bool rebuildMenu);
    void ButtonOpenTXTClick();
    void MenuTXTClick(QAction *item);
    // The subtitle step of the main timer: shows the entry whose start is the clock's second.
    void matchSubtitles();
    // Subtitle tracks inside the film (SubtitleTracks.cpp): listed in the subtitle menu,
    // chosen like a file; the engine's cues of the chosen one fill the subtitle list.
    void listTextTracks();
    void MenuTrackClick(QAction *item);
    void TextCueArrived(const MediaEngine::TextCue &cue);
    // A file takes the place of the track.
    void leaveTextTrack();
    // Exact timing's scheduler, made when exact timing is first used.
    ExactSubtitles &exactSubtitles();

    // Audio discs (AudioCd.cpp): the rest of opening a ".cda" track, and the main timer's
    // tick while one is the medium.
    void CdOpen();
    void CdPoll();

    // The engine reached the end of the film.
    void EndOfMedia();
    // The watchdog's one-second tick.
    void TimerFreezTimer();
    // A wheel turn over the OSD, subtitles or picture moves the function slider one step.
    void SliderFUNWheel(QWheelEvent *event);
    // The function slider (FunctionSlider.cpp): next mode, a new level, mute on/off.
    void BFunctionClick();
    void SliderFUNChange(int value);
    void ButtonVolumeClick();
    // Files dropped on the panel (or the video window): only the first counts.
    void DropFiles(const QStringList &paths);
    void ButtonPlayListClick();
    // The playlist has two entries or more (or no longer has): next and previous follow.
    void EnablePlayListSteps(bool on);
    // What the media open dialog is titled and offers (the playlist's add button uses it too).
    static QString OpenMovieTitle();
    static QStringList OpenMovieFilters();
    // The picture-size text of the status line ("640x480/25", or "Audio").
    QString StatusRozText() const;
    // A recent-files item: opened through the idle handler, as a hand-over is.
    void LastOpenClick(const QString &path);
    void ButtonSetupClick();
    void CaptionSzpilkaClick();
    void CaptionMinClick();
    // Picture geometry (the keyboard and the video window's menu call these too).
    void ButtonUpClick();
    void ButtonDownClick();
    void ButtonNormalClick();
    void ButtonPanScanClick();
    void Button16x9Click();
    void Button4x3Click();
    void ButtonNormalSizeClick();
    void ButtonHeightUpClick();
    void ButtonHeightDownClick();
    void TimerTimer();
    // Runs once each time the event queue drains.
    void AppEventsIdle();
    void AppEventsMinimize();
    void AppEventsRestore();
    // Rebuilds the window's shape (on resize and activation).
    void RebuildRegion();
    bool pinned() const;
    // A stored volume level; the slider shows it when it stands on the volume mode.
    void RestoreVolume(int level);
    // The repeat switch as the settings restore it.
    void RestoreRepeat(bool on);
    // The key commands' way to the function slider: `step` levels in the mode after
    // `modeBefore`, as the mode button and the slider would do it.
    void FunctionStep(int modeBefore, int step);
    // The subtitle editor folded the function slider's subtitle shift into the list: the
    // shift is 0 again, quietly (the slider follows when it shows that mode).
    void ResetTxtShift();
    // The mute key: flips the mute button, then acts as its click.
    void ToggleMute();
    // The pan-scan button: its down state is the switch.
    void ButtonPanScanToggle();

signals:
    // ButtonOpenClick has begun (even if the dialog is then cancelled).
    void openStarted();
    // A medium that exists is about to be opened: what showed the last one can go.
    void mediumOpening(const QString &path);
    // A file has been opened and started: its length and picture size are known.
    void mediaOpened(const QString &path);
    // The panel is closing: the windows stop their timers before the run values are written.
    void closing();

public:

    // --- skins (PanelSkins.cpp): the panel re-dresses itself; the preferences window and
    // the menu call these ---
    // The elements a skin describes, in the order a saved skin lists them.
    QStringList SkinElements() const;
    std::optional<SkinFile::Kind> SkinElementKind(const QString &name) const;
    // The element's values as a saved skin holds them, and the pictures behind them.
    SkinFile::Section SkinElementValues(const QString &name) const;
    QImage SkinElementBitmap(const QString &name, const QString &key) const;
    // One key of one element, shown at once. Bitmap values are files (absolute, or inside
    // `folder`); an empty one clears the picture. False with a message when a bitmap
    // cannot be read.
    bool SetSkinValue(const QString &name, const QString &key, const QString &value,
                      const QString &folder = {}, QString *error = nullptr);
    // Re-dresses the panel from the skin folder. The built-in skin stretches its background
    // and keeps the designed shape; any other takes its size and shape from the background.
    // Returns what could not be read (empty when everything loaded); the rest still loads.
    QString LoadSkin(const QString &folder, bool builtIn);
    // Writes the panel as a skin into the folder, replacing what is there in one step.
    QString SaveSkin(const QString &folder);
    // A background picture from a file: the panel takes its size and shape.
    QString LoadSkinBackground(const QString &file);
    // 0: the designed background and shape; 1: a skin's background gives size and shape.
    int SkinFlag() const { return m_skinFlag; }

    // --- full screen (PanelFullScreen.cpp): what the video window asks of the panel ----
    // Entering: the three caption buttons hide; unless full screen is on the second
    // monitor, the panel goes to its full-screen place and hides until a click shows it.
    void FullScreenEntered(bool secondMonitor, const QRect &screen);
    // Leaving: the full-screen place is remembered, the panel goes back to where it was
    // and shows again when `show`.
    void FullScreenLeft(bool show);
    // The monitor-2 button shows the menu item's check.
    void ShowMonitor2Choice(bool onSecond);

    // --- controls (object names as the panel was designed) ---------------------------
    QLabel *Image1 = nullptr;
    TZDButton *BPlay = nullptr, *BPause = nullptr, *BStop = nullptr, *BBack = nullptr,
              *BStep = nullptr;
    QLabel *ProgName = nullptr;
    QFrame *Border = nullptr;
    QLabel *StatusFileName = nullptr, *StatusRoz = nullptr, *StatusTime = nullptr;
    TZDButton *BNext = nullptr, *BPrev = nullptr, *ButtonVolume = nullptr,
              *ButtonPlayList = nullptr, *ButtonSetup = nullptr, *BRepeat = nullptr;
    QSlider *SliderPos = nullptr, *SliderFUN = nullptr;
    TZDButton *BFunction = nullptr;
    QLabel *LFunction = nullptr;
    TZDButton *ButtonOpen = nullptr, *ButtonOpenTXT = nullptr, *NapisyCheck = nullptr,
              *BFiltry = nullptr;
    TZDButton *ButtonDown = nullptr, *ButtonUp = nullptr, *ButtonPanScan = nullptr,
              *ButtonFullScreen = nullptr;
    TZDButton *CaptionSzpilka = nullptr, *CaptionMin = nullptr, *FullScreenResize = nullptr,
              *CaptionClose = nullptr;
    TZDButton *Button16x9 = nullptr, *Button4x3 = nullptr, *ButtonNormalSize = nullptr,
              *ButtonHeightUp = nullptr, *ButtonHeightDown = nullptr,
              *ButtonFullScrMonitor2 = nullptr, *ButtonSnapShot = nullptr;
    QLineEdit *RemoteCode = nullptr;
    QMenu *MenuTXT = nullptr;
    QMenu *MenuFiltry = nullptr;
    QAction *Wicejofiltrach1 = nullptr;
    QTimer *Timer = nullptr;
    QTimer *TimerFreez = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectControls();
    void connectFunctionSlider();
    void FormClose();
    void placeVideoAbovePanel();
    void placePanelBelowVideo();
    void skip(bool forward);
    void sliderSeek(int x);
    void placeFollowers();
    void followScreens();
    bool rebuildSubtitleMenu();
    QString cdTrack() const;
    void cdSkip(bool forward);
    void cdSliderSeek();
    void cdNoDisc();
    // After the video window built a graph: the position slider takes its length, and
    // its filters with a settings page fill "Filtry".
    void showBuiltGraph(const QList<MediaEngine::FilterInfo> &filters);
    // A disc sounds as loud as a film would: the volume level, or silence while muted.
    void setDiscVolume();

    void setSkinBackground(const QImage &image, bool stretched);

    QMap<QString, QWidget *> m_controls;
    QImage m_background;
    QRegion m_skinShape;
    int m_skinFlag = 0;
    Transport::AntiFreeze m_antiFreeze;
    ExactSubtitles *m_exact = nullptr;
    bool m_shownOnce = false;
    bool m_closed = false;
    QPoint m_dragPress;
    // Saved on entering full screen, put back on leaving.
    bool m_inFullScreen = false;
    QRect m_boundsBeforeFullScreen;
    bool m_captionButtonsShown[3] = {true, true, true};
};
