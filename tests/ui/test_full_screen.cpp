#include "support/FilmPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/osd/TFormOSD.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TDXDraw.h"
#include "ui/video/TForm2.h"
#include "ui/video/TFormFullScreenProgress.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QProgressBar>
#include <QScreen>
#include <QtTest>

namespace {
struct Fixture : FilmPlayer
{
    Fixture() : FilmPlayer(QSize(320, 240), 450) { openFilm(); }
    TForm2 *video() const { return t->form2(); }
    bool active() const { return t->fullScreenActive(); }
    QRect screen() const { return QGuiApplication::primaryScreen()->geometry(); }
    QList<bool> captionButtons() const
    {
        return {!panel()->CaptionSzpilka->isHidden(), !panel()->CaptionMin->isHidden(),
                !panel()->FullScreenResize->isHidden()};
    }
    // A move of the pointer as the window system reports it, at a screen position.
    void moveOver(QWidget *w, QPoint global, Qt::MouseButtons buttons = Qt::NoButton)
    {
        QMouseEvent e(QEvent::MouseMove, w->mapFromGlobal(global), global, Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    void press(QWidget *w, QPoint local, Qt::MouseButton button)
    {
        QMouseEvent e(QEvent::MouseButtonPress, local, w->mapToGlobal(local), button, button, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
};
} // namespace

class TestFullScreen : public QObject
{
    Q_OBJECT
private slots:
    void fTwiceCoversTheScreenThenRestoresTheWindow()
    {
        Fixture f;
        TForm2 *v = f.video();
        const QRect windowed = v->geometry();
        const QList<bool> buttons = f.captionButtons();
        QVERIFY(f.panel()->isVisible());

        f.panel()->ButtonFullScreen->click();
        QVERIFY(f.active());
        QVERIFY(v->DXDraw->Active());
        QCOMPARE(v->geometry(), f.screen());
        QVERIFY(v->windowState() & Qt::WindowFullScreen);
        QVERIFY(!f.panel()->isVisible());
        QCOMPARE(f.captionButtons(), (QList<bool>{false, false, false}));
        QCOMPARE(f.osd(), QStringLiteral("FULLSCREEN ON (%1x%2x32 60Hz)").arg(f.screen().width()).arg(f.screen().height()));
        // The picture is letterboxed across the whole width.
        const int h = f.screen().width() * 240 / 320;
        QCOMPARE(f.t.engine->windowPosition(), QRect(0, (f.screen().height() - h) / 2, f.screen().width(), h));
        QVERIFY(f.t.displayModes->setModes.isEmpty());

        f.panel()->ButtonFullScreen->click();
        QVERIFY(!f.active());
        QCOMPARE(v->geometry(), windowed);
        QVERIFY(!(v->windowState() & Qt::WindowFullScreen));
        QVERIFY(f.panel()->isVisible());
        QCOMPARE(f.captionButtons(), buttons);
        QVERIFY(v->maximumWidth() <= 1600);

        // A new film in full screen stays in full screen, fitted again; the window it
        // returns to has the new picture's size, and the caption buttons come back.
        f.panel()->ButtonFullScreen->click();
        f.t.engine->setVideoSize(QSize(400, 300));
        f.openFilm(QStringLiteral("second.avi"));
        QVERIFY(f.active());
        QCOMPARE(v->geometry(), f.screen());
        QCOMPARE(f.t.engine->windowPosition().width(), f.screen().width());
        f.panel()->ButtonFullScreen->click();
        QVERIFY(!f.active());
        QCOMPARE(v->size(), QSize(400, 300));
        QCOMPARE(f.captionButtons(), buttons);
    }

    void entryIsRefusedWithoutAPicture()
    {
        FilmPlayer f(QSize(0, 0), 60);
        f.openFilm(QStringLiteral("song.mp3"));
        f.t->form2()->ButtonFullScreenClick();
        QVERIFY(!f.t->fullScreenActive());
    }

    void modeChangeSetsTheChosenModeAndPutsTheDesktopBack()
    {
        Fixture f;
        TForm4 *prefs = f.t->form4();
        prefs->BGetDimension->click();
        QCOMPARE(prefs->DisplayModeBox->count(), 3);
        prefs->DisplayModeBox->setCurrentText(QStringLiteral("800x600 32bit 60Hz"));
        QCOMPARE(prefs->fullScreenMode(), (DisplayMode{800, 600, 32, 60}));

        f.panel()->FullScreenResize->click();
        QVERIFY(f.active());
        QCOMPARE(f.t.displayModes->shown, (DisplayMode{800, 600, 32, 60}));
        QCOMPARE(f.video()->geometry(), QRect(0, 0, 800, 600));
        QCOMPARE(f.osd(), QStringLiteral("FULLSCREEN ON (800x600x32 60Hz)"));

        f.video()->dispatchKey(65536); // Esc
        QVERIFY(!f.active());
        QCOMPARE(f.t.displayModes->shown, (DisplayMode{1024, 768, 32, 60}));
        QCOMPARE(f.t.displayModes->restores, 1);
        QVERIFY(f.panel()->isVisible());
    }

    void aRefusedModeLeavesThePlayerWindowedAndTheDisplayAlone()
    {
        Fixture f;
        const QRect windowed = f.video()->geometry();
        const QList<bool> buttons = f.captionButtons();
        f.t.displayModes->refuseAll = true;
        f.video()->FullScreenResizeClick();
        QVERIFY(!f.active());
        QVERIFY(f.video()->DXDraw->Error);
        QCOMPARE(f.t.displayModes->shown, (DisplayMode{1024, 768, 32, 60}));
        QCOMPARE(f.video()->geometry(), windowed);
        QVERIFY(!(f.video()->windowState() & Qt::WindowFullScreen));
        QVERIFY(f.panel()->isVisible());
        QCOMPARE(f.captionButtons(), buttons);
        QVERIFY(!f.osd().startsWith(QStringLiteral("FULLSCREEN ON")));
    }

    void withoutModesRWorksAsFAndSaysSoOnce()
    {
        Fixture f;
        f.t.displayModes->hasService = false;
        f.video()->FullScreenResizeClick();
        QVERIFY(f.active());
        QCOMPARE(f.video()->geometry(), f.screen());
        QVERIFY(f.osd().startsWith(QStringLiteral("No display modes here")));
        f.video()->FullScreenResizeClick();
        QVERIFY(!f.active());
        f.video()->FullScreenResizeClick();
        QVERIFY(f.osd().startsWith(QStringLiteral("FULLSCREEN ON")));
    }

    void oneScreenLeavesTheSecondMonitorOff()
    {
        Fixture f;
        QCOMPARE(QGuiApplication::screens().size(), 1);
        QVERIFY(!f.video()->FullScreenonMonitor2->isEnabled());
        QVERIFY(!f.panel()->ButtonFullScrMonitor2->isEnabled());
        f.video()->ButtonFullScrMonitor2Click();
        QVERIFY(!f.video()->FullScreenonMonitor2->isChecked());
        QVERIFY(!f.video()->onSecondMonitor());
    }

    void thePointerHidesAndOnlyAClickBringsThePanelBack()
    {
        Fixture f;
        TForm2 *v = f.video();
        f.panel()->ButtonFullScreen->click();
        QVERIFY(v->TimerCursor->isActive());
        QCOMPARE(v->TimerCursor->interval(), 5000);

        v->TimerCursorTimer();
        QVERIFY(v->pointerHidden());
        QCOMPARE(v->Panel->cursor().shape(), Qt::BlankCursor);
        QVERIFY(!f.panel()->isVisible());

        // The move that hiding brings, at the same place, is not the user's.
        f.moveOver(v->Panel, QCursor::pos());
        QVERIFY(v->pointerHidden());
        f.moveOver(v->Panel, QCursor::pos() + QPoint(7, 3));
        QVERIFY(!v->pointerHidden());
        QCOMPARE(v->Panel->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!f.panel()->isVisible());

        f.press(v->Panel, QPoint(200, 200), Qt::LeftButton);
        QVERIFY(f.panel()->isVisible());
        f.press(v->Panel, QPoint(200, 200), Qt::LeftButton);
        QVERIFY(!f.panel()->isVisible());

        // Without the preference the pointer stays.
        f.t->form4()->MouseHide->setChecked(false);
        v->TimerCursorTimer();
        QVERIFY(!v->pointerHidden());
        v->ReturnToWindow();
        v->TimerCursorTimer();
        QVERIFY(!v->pointerHidden());
    }

    void theBottomEdgeShowsTheStripWhichSeeks()
    {
        Fixture f;
        TForm2 *v = f.video();
        TFormFullScreenProgress *strip = f.t->formFullScreenProgress();
        f.panel()->ButtonFullScreen->click();
        const QRect s = f.screen();

        f.moveOver(v->Panel, QPoint(300, s.bottom() - 20));
        QVERIFY(!strip->isVisible());
        f.moveOver(v->Panel, QPoint(300, s.bottom() - 10));
        QVERIFY(strip->isVisible());
        QCOMPARE(strip->geometry(), QRect(0, s.height() - 15, s.width(), 15));
        f.moveOver(v->Panel, QPoint(300, s.bottom() - 40));
        QVERIFY(!strip->isVisible());

        f.t->form4()->OSDPanorama->setChecked(true);
        f.moveOver(v->Panel, QPoint(300, s.bottom() - 70));
        QVERIFY(strip->isVisible());
        QCOMPARE(strip->geometry(), QRect(0, s.height() - 80, s.width(), 15));

        // Dragging with the left button seeks; a plain move does not.
        QProgressBar *bar = strip->FullScreenProgress;
        QCOMPARE(bar->maximum(), 450000);
        const int seeks = f.t.engine->seeks().size();
        f.moveOver(bar, bar->mapToGlobal(QPoint(100, 5)));
        QCOMPARE(f.t.engine->seeks().size(), seeks);
        f.moveOver(bar, bar->mapToGlobal(QPoint(bar->width() / 2, 5)), Qt::LeftButton);
        const qint64 perPixel = 450000 / (bar->width() - 4);
        QCOMPARE(f.t.engine->lastSeek(), perPixel * (bar->width() / 2 - 2) * 10000);

        f.panel()->ButtonFullScreen->click();
        QVERIFY(!strip->isVisible());
    }
};

QTEST_MAIN(TestFullScreen)
#include "test_full_screen.moc"
