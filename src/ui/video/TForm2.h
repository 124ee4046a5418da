#pragma once

#include "core/PictureGeometry.h"
#include "engine/MediaEngine.h"
#include "ui/app/PlayerWindow.h"

#include <QMap>
#include <QPropertyNotifier>
#include <QUrl>
#include <functional>
#include <memory>

namespace CodecReport {
struct FileCodes;
}

class MediaEngine;
class TDXDraw;
class QAction;
class QLabel;
class QMenu;
class QTimer;

// The video window: the picture, its context menu, and the media engine that draws into it.
class TForm2 : public PlayerWindow
{
    Q_OBJECT
public:
    TForm2(Player &app, std::unique_ptr<MediaEngine> engine);
    ~TForm2() override;

    MediaEngine &engine() const { return *m_engine; }

    // Releases the old graph and builds one for the file: preset filters, the filters
    // menu, frames and duration, the picture inside this window, stopped at the start.
    void BuildGraph(const QString &path);
    // No graph for what is opened next (an audio disc): the last one goes, and with it
    // the filters it announced.
    void ReleaseGraph();
    // The elements of the graph last built (empty while none is).
    const QList<MediaEngine::FilterInfo> &graphFilters() const { return m_graphFilters; }
    // True while the graph has a video renderer whose frame count the watchdog can read.
    bool RendererHeld = false;
    // The picture rectangle in the client area (zoom and pan-scan work on it).
    QRect ZoomRect;
    // Where the window goes back to when full screen ends.
    QRect WindowedBounds;

    // --- picture geometry (Geometry.cpp) ---
    // The size full screen covers; empty = the size of the screen the window is on.
    QSize FullScreenTarget;
    QSize fullScreenTarget() const;
    // A graph with a picture is built.
    bool mediaLoaded() const;
    // Height of the subtitle strip under the picture (two subtitle lines), 0 without NapisPod.
    int subtitleStrip() const;
    // The resize hook on client sizes: with Proporcional the height decides the width.
    QSize FormCanResize(const QSize &proposed) const;
    void FormResize();
    void Dowolny1Click();
    // A window zoom: the client height for a picture height, the width kept in proportion,
    // the window set back on the control panel.
    void setPictureHeight(int pictureHeight);
    // Runs the resize hook and the fit on the current size (after an aspect change).
    void refitPicture();

    // --- keyboard commands (KeyCommands.cpp) ---
    // The key dispatcher: runs the key-table rows a key press's code is bound to; with
    // remoteRow > 0 a remote command names the row instead.
    void dispatchKey(quint32 code, int remoteRow = 0);

    // A file that could not be fully decoded: which codec it lacks, and the offer to get it
    // (the desktop's plugin installer, or the codec's page in the browser).
    void ReportMissingCodec(const QString &path, const CodecReport::FileCodes &codes);
    // Opens an address in the user's browser.
    std::function<bool(const QUrl &)> OpenUrl;

    // The language file's popup-menu captions, by the item's number (from 1, separators
    // counted).
    void ApplyMenuTexts(const QMap<int, QString> &captions);

    // Recent files: newest first, at most nine; the submenu ends with a separator and
    // the clear item.
    void addRecentFile(const QString &path);
    QStringList recentFiles() const;

    // The skin submenu (SkinMenu.cpp): one radio item per skin name, each put on top as
    // it comes; enabled once there is one. CheckSkinItem ticks the item of that name.
    void FillSkinMenu(const QStringList &names);
    void CheckSkinItem(const QString &name);
    // A skin item was clicked: the preferences window applies the skin of that name.
    void MenuSelectSkinClick(QAction *item);

    // Restarts the pointer-hide countdown (any mouse activity over the player's windows).
    void restartCursorTimer();
    // The context menu at a screen position (the panel's right button opens it too).
    void ShowPopupMenu(const QPoint &globalPos);
    // The aspect items of the menu follow the panel's aspect buttons.
    void ShowAspect(PictureGeometry::Aspect aspect);
    // "Dowolny" is ticked while the picture's proportions are not kept.
    void ShowFreeAspect(bool on);
    // Stored switches of the menu, as the settings restore them.
    void RestoreFullScreenOn2(bool on);
    void RestoreAutoResume(bool on);

    // --- full screen (FullScreen.cpp) ---
    // The display-mode object; its Active flag is the full-screen flag.
    std::unique_ptr<TDXDraw> DXDraw;
    // At the desktop's resolution (F, ButtonFullScreen, double click, FilmwOknie1).
    void ButtonFullScreenClick();
    // With the display mode of the preferences (R, FullScreenResize).
    void FullScreenResizeClick();
    void ReturnToWindow();
    void ButtonFullScrMonitor2Click();
    void FullScreenonMonitor2Click();
    void TimerCursorTimer();
    // Full screen is (or would go) on the second monitor.
    bool onSecondMonitor() const;
    bool pointerHidden() const { return m_pointerHidden; }
    // The screen rectangle full screen covers (empty while windowed).
    QRect fullScreenRect() const { return m_fullScreenRect; }

    // --- snapshot (Snapshot.cpp) ---
    // 0 until the first press after a medium opened, 1 from then on.
    int SnapShotMark = 0;
    void ButtonSnapShotClick();
    // Captures the current frame and, once armed, saves it; true when a frame was captured.
    bool GetBitmap();

    // --- the context menu (VideoMenu.cpp) ---
    void WPrzd1Click(bool forward);
    void ColorControl1Click();
    void LangMenuClick(QAction *item);

    QWidget *Panel = nullptr;
    QLabel *PanelCaption = nullptr;
    QTimer *TimerCursor = nullptr;
    QMenu *PopupMenu = nullptr;

    QAction *PauzaPlay1 = nullptr;
    QAction *WPrzd1 = nullptr;
    QAction *WTy1 = nullptr;
    QAction *Nastpny1 = nullptr;
    QAction *Poprzedni1 = nullptr;
    QAction *PanScan1 = nullptr;
    QAction *Powiksz1 = nullptr;
    QAction *Pomniejsz1 = nullptr;
    QAction *ColorControl1 = nullptr;
    QMenu *MSkin = nullptr;
    QMenu *AspectRatio1 = nullptr;
    QAction *Oryginal1 = nullptr;
    QAction *N16x91 = nullptr;
    QAction *N431 = nullptr;
    QAction *Dowolny1 = nullptr;
    QAction *NapisyPodObrazem1 = nullptr;
    QAction *FilmwOknie1 = nullptr;
    QAction *PlayLista1 = nullptr;
    QAction *MShowPanel = nullptr;
    QAction *FullScreenonMonitor2 = nullptr;
    QMenu *MLastOpen = nullptr;
    QAction *MClearLastOpen = nullptr;
    QAction *AutoResume = nullptr;
    QAction *CloseMonitor = nullptr;
    QAction *CloseSystem = nullptr;
    QMenu *LangMenuParent = nullptr;
    QAction *LangMenu = nullptr;
    QAction *English1 = nullptr;
    QAction *MSetup = nullptr;
    QAction *OProgramie1 = nullptr;
    QAction *ZakoczProgram1 = nullptr;

signals:
    // The skin the user picked from the skin submenu.
    void skinChosen(const QString &name);
    // A graph is built: its elements, for the windows that list them.
    void graphBuilt(const QList<MediaEngine::FilterInfo> &filters);
    // The film's own frame rate, measured when its graph was built.
    void frameRateMeasured(double framesPerSecond);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void enterFullScreen(bool modeChange);
    void placeFullScreenPicture();
    void fullScreenMouseMove(const QPoint &global);
    void fullScreenLeftClick();
    void hidePointer();
    void showPointer();
    void connectFullScreen();
    void connectMenuActions();
    QImage withSubtitle(const QImage &frame) const;
    void buildPopupMenu();
    void fitPicture();
    void MShowPanelClick();
    void MClearLastOpenClick();
    void connectGeometry();
    void followPanel();
    int m_resizeDepth = 0;
    QList<MediaEngine::FilterInfo> m_graphFilters;

    std::unique_ptr<MediaEngine> m_engine;
    bool m_dragging = false;
    QPoint m_dragStart;

    QRect m_fullScreenRect;
    bool m_onMonitor2 = false;
    bool m_pointerHidden = false;
    QPoint m_hiddenAt;
    bool m_saidNoModes = false;
};
