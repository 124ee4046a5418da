// Full screen in both of its kinds: at the desktop's resolution or with a display-mode
// change, on the first or the second monitor; the pointer that hides itself and the
// progress strip at the bottom edge.
#include "ui/video/TForm2.h"

#include "core/FullScreenGeometry.h"
#include "core/PictureGeometry.h"
#include "engine/MediaEngine.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/osd/TFormOSD.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TDXDraw.h"
#include "ui/video/TFormFullScreenProgress.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <cmath>

namespace {
constexpr QSize WindowedMaximum(1600, 1200);

QScreen *secondScreen()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    return screens.size() > 1 ? screens[1] : nullptr;
}

// What the desktop shows on a screen, for the OSD line and the target of the plain kind.
DisplayMode desktopMode(const TDXDraw &draw, QScreen *screen)
{
    DisplayMode mode;
    mode.width = screen->geometry().width();
    mode.height = screen->geometry().height();
    // A 24-bit X visual keeps its pixels in 32 bits, which is what the mode list shows.
    mode.bits = screen->depth() == 24 ? 32 : screen->depth();
    mode.hz = int(std::lround(screen->refreshRate()));
    if (screen == QGuiApplication::primaryScreen())
        if (const auto shown = draw.desktop()) {
            mode.bits = shown->bits;
            mode.hz = shown->hz;
        }
    return mode;
}
} // namespace

bool TForm2::onSecondMonitor() const
{
    return FullScreenonMonitor2->isEnabled() && FullScreenonMonitor2->isChecked() && secondScreen();
}

void TForm2::ButtonFullScreenClick()
{
    // Entering again for a newly opened film keeps the screen already covered.
    if (!DXDraw->Active()) {
        QScreen *screen = onSecondMonitor() ? secondScreen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        DXDraw->Target = desktopMode(*DXDraw, screen);
    }
    enterFullScreen(false);
}

void TForm2::FullScreenResizeClick()
{
    // The mode of the desktop's own screen is what changes; the second monitor keeps its own.
    if (!DXDraw->Active() && (!DXDraw->canChangeModes() || onSecondMonitor())) {
        ButtonFullScreenClick();
        if (DXDraw->Active() && !m_onMonitor2 && !m_saidNoModes) {
            m_saidNoModes = true;
            app.formOSD()->ShowOSD(QStringLiteral("No display modes here: FULLSCREEN at the desktop's resolution"));
        }
        return;
    }
    if (!DXDraw->Active())
        DXDraw->Target = app.form4()->fullScreenMode();
    enterFullScreen(true);
}

void TForm2::enterFullScreen(bool modeChange)
{
    TForm1 *panel = app.form1();
    if (!mediaLoaded() || !isVisible())
        return;
    app.form3()->hide();
    const bool again = panel->ButtonFullScreen->tag() != 0;
    if (DXDraw->Active() && !again) {
        ReturnToWindow();
        return;
    }

    if (!DXDraw->Active()) {
        m_onMonitor2 = onSecondMonitor();
        if (modeChange && !DXDraw->changeMode()) {
            // Nothing has moved yet: the player stays in its window, the display as it was.
            app.formOSD()->ShowOSD(QStringLiteral("FULLSCREEN ERROR (%1)").arg(DXDraw->Target.text()));
            return;
        }
        WindowedBounds = geometry();
        if (m_onMonitor2)
            m_fullScreenRect = secondScreen()->geometry();
        else if (modeChange)
            m_fullScreenRect = QRect(0, 0, DXDraw->Target.width, DXDraw->Target.height);
        else
            m_fullScreenRect = QGuiApplication::primaryScreen()->geometry();
        FullScreenTarget = m_fullScreenRect.size();
        DXDraw->setActive(true);
    }

    panel->FullScreenEntered(m_onMonitor2, m_fullScreenRect);
    // The window manager's full-screen state lifts the window over panels and task bars;
    // without a window manager the geometry alone covers the screen.
    // (Setting a geometry drops the state again, so the geometry goes first.)
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setGeometry(m_fullScreenRect);
    setWindowState(windowState() | Qt::WindowFullScreen);
    raise();
    activateWindow();
    placeFullScreenPicture();
    app.formOSD()->ShowOSD(FullScreenGeometry::enteredText(DXDraw->Target));
    restartCursorTimer();
}

void TForm2::placeFullScreenPicture()
{
    const TForm1 *panel = app.form1();
    // Subtitles under the picture lift it by one line's height.
    const int lift = app.form4()->NapisPod->isChecked() ? subtitleStrip() / 2 : 0;
    const auto placed = PictureGeometry::panScan(FullScreenTarget, {panel->VideoWidth, panel->VideoHeight},
                                                 panel->ButtonPanScan->down(), app.form4()->PanScan->tag(), lift);
    if (!placed)
        return;
    ZoomRect = QRect(placed->left, placed->top, placed->width, placed->height);
    m_engine->setWindowPosition(ZoomRect);
}

void TForm2::ReturnToWindow()
{
    if (!DXDraw->Active())
        return;
    app.formFullScreenProgress()->HideStrip();
    app.formOSD()->hide();
    showPointer();
    FullScreenTarget = QSize();
    DXDraw->restore();
    app.form4()->PanScanChange();

    setWindowState(windowState() & ~Qt::WindowFullScreen);
    setMaximumSize(WindowedMaximum);
    QRect bounds = WindowedBounds;
    bounds.moveTo(qMax(0, bounds.left()), qMax(0, bounds.top()));
    const int nativeHeight = app.form1()->VideoHeight;
    if (app.form4()->NapisPod->isChecked())
        bounds.setHeight(nativeHeight + subtitleStrip());
    setGeometry(bounds);
    ZoomRect = QRect(0, 0, bounds.width(), nativeHeight);
    if (mediaLoaded())
        FormResize();
    m_fullScreenRect = QRect();
    m_onMonitor2 = false;

    app.form1()->FullScreenLeft(MShowPanel->isChecked());
    activateWindow();
    setFocus();
}

void TForm2::ButtonFullScrMonitor2Click()
{
    if (!FullScreenonMonitor2->isEnabled())
        return;
    FullScreenonMonitor2->setChecked(!FullScreenonMonitor2->isChecked());
    FullScreenonMonitor2Click();
}

void TForm2::FullScreenonMonitor2Click()
{
    app.form1()->ShowMonitor2Choice(FullScreenonMonitor2->isChecked());
    if (!DXDraw->Active())
        return;
    // Through the window, so the picture is measured again for the other screen.
    ReturnToWindow();
    QCoreApplication::processEvents();
    ButtonFullScreenClick();
}

void TForm2::TimerCursorTimer()
{
    if (DXDraw->Active() && app.form4()->MouseHide->isChecked() && !m_pointerHidden && mediaLoaded()
        && !m_onMonitor2)
        hidePointer();
}

void TForm2::hidePointer()
{
    m_pointerHidden = true;
    // Hiding the pointer may bring a move event of its own at the same place; only a
    // move elsewhere is the user's.
    m_hiddenAt = QCursor::pos();
    setCursor(Qt::BlankCursor);
    Panel->setCursor(Qt::BlankCursor);
    app.form1()->hide();
}

void TForm2::showPointer()
{
    m_pointerHidden = false;
    unsetCursor();
    Panel->unsetCursor();
}

void TForm2::fullScreenMouseMove(const QPoint &global)
{
    if (m_pointerHidden && global != m_hiddenAt)
        showPointer();
    restartCursorTimer();
    const bool panorama = app.form4()->OSDPanorama->isChecked();
    TFormFullScreenProgress *strip = app.formFullScreenProgress();
    if (FullScreenGeometry::pointerAtBottom(global.y(), m_fullScreenRect, panorama))
        strip->ShowStrip(FullScreenGeometry::progressStrip(m_fullScreenRect, panorama));
    else
        strip->HideStrip();
}

void TForm2::fullScreenLeftClick()
{
    if (m_onMonitor2)
        return;
    TForm1 *panel = app.form1();
    if (panel->isVisible()) {
        panel->hide();
        app.form4()->close();
    } else if (MShowPanel->isChecked()) {
        panel->show();
        panel->raise();
    }
}

void TForm2::connectFullScreen()
{
    TForm1 *panel = app.form1();
    connect(panel->ButtonFullScreen, &TZDButton::clicked, this, &TForm2::ButtonFullScreenClick);
    connect(panel->FullScreenResize, &TZDButton::clicked, this, &TForm2::FullScreenResizeClick);
    connect(panel->ButtonFullScrMonitor2, &TZDButton::clicked, this, &TForm2::ButtonFullScrMonitor2Click);
    connect(FilmwOknie1, &QAction::triggered, this, &TForm2::ButtonFullScreenClick);
    connect(FullScreenonMonitor2, &QAction::triggered, this, &TForm2::FullScreenonMonitor2Click);
    connect(TimerCursor, &QTimer::timeout, this, &TForm2::TimerCursorTimer);

    TFormFullScreenProgress *strip = app.formFullScreenProgress();
    connect(strip, &TFormFullScreenProgress::pointerMoved, this, [this](const QPoint &global) {
        app.form3()->emptyQueue();
        if (m_pointerHidden && global != m_hiddenAt)
            showPointer();
        restartCursorTimer();
    });
    connect(strip, &TFormFullScreenProgress::seekRequested, this, [this](qint64 positionMs) {
        if (DXDraw->Active() && m_engine->isCreated())
            m_engine->seek(positionMs * 10000);
    });

    // Monitors come and go (a projector plugged in): the choice follows.
    auto screensChanged = [this] { FullScreenonMonitor2->setEnabled(QGuiApplication::screens().size() > 1); };
    connect(qApp, &QGuiApplication::screenAdded, this, screensChanged);
    connect(qApp, &QGuiApplication::screenRemoved, this, screensChanged);
}
