#pragma once

#include "ui/app/PlayerWindow.h"

#include "core/Transport.h"

#include <QMap>

class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QSlider;
class QTimer;
class QWheelEvent;
class TZDButton;

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
    int MediaMode = ModeFile;
    int PlayState = StateNone;
    QString CurrentFile;
    qint64 ResumePos = 0;         // 100-ns units
    QString DurationText = QStringLiteral("00:00:00");
    qint64 DurationMs = 0;
    qint64 PositionMs = 0;
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
    bool rebuildSubtitleMenu();

    QMap<QString, QWidget *> m_controls;
    Transport::AntiFreeze m_antiFreeze;
    bool m_shownOnce = false;
    bool m_closed = false;
    QPoint m_dragPress;
};
