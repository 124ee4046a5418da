// The control panel's picture geometry commands: zoom, native size, pan-scan, forced
// aspect and vertical stretch. In a window they size the video window; in full screen
// they place the picture inside it through the engine.
#include "ui/app/TForm1.h"

#include "core/PictureGeometry.h"
#include "engine/MediaEngine.h"
#include "ui/app/Player.h"
#include "ui/osd/TFormOSD.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QAction>
#include <QCheckBox>
#include <QScreen>
#include <QTimer>

using PictureGeometry::Aspect;
using PictureGeometry::roundEven;

namespace {
PictureGeometry::ZoomRect toZoom(const QRect &r)
{
    return {r.left(), r.top(), r.width(), r.height()};
}

void putHeight(MediaEngine &engine, int height)
{
    QRect r = engine.windowPosition();
    r.setHeight(height);
    engine.setWindowPosition(r);
}

void putTop(MediaEngine &engine, int top)
{
    QRect r = engine.windowPosition();
    r.moveTop(top);
    engine.setWindowPosition(r);
}
} // namespace

void TForm1::ButtonUpClick()
{
    // While a disc plays, the drive's door follows the zoom buttons.
    if (MediaMode == ModeCd)
        app.cdAudio().send(QStringLiteral("set cd door closed"));
    TForm2 *video = app.form2();
    if (!video->mediaLoaded() || !video->isVisible())
        return;
    TForm4 *prefs = app.form4();
    if (app.fullScreenActive()) {
        ButtonDown->show();
        ButtonPanScan->setDown(true);
        prefs->StepPanScan(prefs->PanScanUpDown->tag());
        // Only meeting the limit exactly hides the button; the keyboard can go past it.
        if (prefs->PanScan->tag() == 50)
            ButtonUp->hide();
        ButtonPanScanClick();
        app.formOSD()->ShowOSD(QStringLiteral("Zoom IN"));
        return;
    }
    const QScreen *screen = video->screen();
    const auto step = PictureGeometry::zoomIn(toZoom(video->ZoomRect), prefs->ButtonUpDown->tag(),
                                              screen ? screen->geometry().width() : 0);
    if (!step)
        return;
    const int height = roundEven(step->height);
    video->setPictureHeight(height);
    video->ZoomRect = QRect(0, 0, video->width(), height);
    app.formOSD()->ShowOSD(QStringLiteral("Zoom IN"));
}

void TForm1::ButtonDownClick()
{
    if (MediaMode == ModeCd)
        app.cdAudio().send(QStringLiteral("set cd door open"));
    TForm2 *video = app.form2();
    if (!video->mediaLoaded() || !video->isVisible())
        return;
    TForm4 *prefs = app.form4();
    if (app.fullScreenActive()) {
        ButtonUp->show();
        ButtonPanScan->setDown(true);
        prefs->StepPanScan(-prefs->PanScanUpDown->tag());
        if (prefs->PanScan->tag() == 5)
            ButtonDown->hide();
        ButtonPanScanClick();
        app.formOSD()->ShowOSD(QStringLiteral("Zoom OUT"));
        return;
    }
    app.form3()->HideSubtitle();
    const auto step = PictureGeometry::zoomOut(toZoom(video->ZoomRect), prefs->ButtonUpDown->tag());
    if (!step)
        return;
    const int height = roundEven(step->height);
    video->setPictureHeight(height);
    video->ZoomRect = QRect(0, 0, video->width(), height);
    app.formOSD()->ShowOSD(QStringLiteral("Zoom OUT"));
}

void TForm1::ButtonNormalClick()
{
    TForm2 *video = app.form2();
    if (OpenDialogFileName.isEmpty() || !video->isVisible() || !video->mediaLoaded())
        return;
    if (app.fullScreenActive()) {
        ButtonPanScan->setDown(false);
        ButtonPanScanClick();
        return;
    }
    video->setPictureHeight(VideoHeight);
    video->ZoomRect = QRect(0, 0, video->width(), VideoHeight);
    app.formOSD()->ShowOSD(QStringLiteral("Oryginal Size"));
}

void TForm1::ButtonPanScanClick()
{
    TForm2 *video = app.form2();
    if (!video->mediaLoaded() || !app.fullScreenActive())
        return;
    const bool on = ButtonPanScan->down();
    app.formOSD()->ShowOSD(on ? QStringLiteral("PanScan ON") : QStringLiteral("PanScan OFF"));
    const int lift = app.form4()->NapisPod->isChecked() ? video->subtitleStrip() / 2 + 20 : 0;
    const auto placed = PictureGeometry::panScan(video->fullScreenTarget(), {VideoWidth, VideoHeight}, on,
                                                 app.form4()->PanScan->tag(), lift);
    if (!placed)
        return;
    const QRect rect(placed->left, placed->top, placed->width, placed->height);
    // Our engine takes the four edges at once; the child may stick out on every side.
    video->engine().setWindowPosition(rect);
    video->ZoomRect = rect;
}

namespace {
struct AspectControls
{
    TZDButton *button;
    TZDButton *other;
    const char *text;
};

void forceAspect(Player &app, Aspect aspect)
{
    TForm1 *panel = app.form1();
    TForm2 *video = app.form2();
    const bool wide = aspect == Aspect::Wide16x9;
    const AspectControls c = wide ? AspectControls{panel->Button16x9, panel->Button4x3, "Wide 16:9"}
                                  : AspectControls{panel->Button4x3, panel->Button16x9, "TV 4:3"};
    if (!video->engine().isCreated()) {
        c.button->setDown(false);
        return;
    }
    app.form4()->KeepProportions(true);
    c.button->setDown(true);
    video->ShowAspect(aspect);
    c.other->setDown(false);
    const int height = PictureGeometry::aspectHeight(video->ZoomRect.width(), aspect);
    putHeight(video->engine(), height);
    if (app.fullScreenActive())
        putTop(video->engine(), PictureGeometry::centredTop(video->fullScreenTarget().height(), height));
    else
        video->refitPicture();
    app.formOSD()->ShowOSD(QString::fromLatin1(c.text));
}

void stretch(Player &app, bool up)
{
    TForm2 *video = app.form2();
    if (!app.fullScreenActive() || !video->engine().isCreated())
        return;
    MediaEngine &engine = video->engine();
    const int now = engine.windowPosition().height();
    const int height = up ? PictureGeometry::heightUp(now) : PictureGeometry::heightDown(now);
    putHeight(engine, height);
    putTop(engine, PictureGeometry::centredTop(video->fullScreenTarget().height(), height));
    app.formOSD()->ShowOSD(up ? QStringLiteral("Height Up") : QStringLiteral("Height Down"));
}
} // namespace

void TForm1::Button16x9Click()
{
    forceAspect(app, Aspect::Wide16x9);
}

void TForm1::Button4x3Click()
{
    forceAspect(app, Aspect::Tv4x3);
}

void TForm1::ButtonNormalSizeClick()
{
    TForm2 *video = app.form2();
    if (!video->engine().isCreated())
        return;
    app.form4()->KeepProportions(true);
    const int height = video->ZoomRect.height();
    putHeight(video->engine(), height);
    Button4x3->setDown(false);
    Button16x9->setDown(false);
    video->ShowAspect(Aspect::Native);
    if (app.fullScreenActive())
        putTop(video->engine(), PictureGeometry::centredTop(video->fullScreenTarget().height(), height));
    else
        video->refitPicture();
    app.formOSD()->ShowOSD(QStringLiteral("Aspect Oryginal"));
}

void TForm1::ButtonHeightUpClick()
{
    stretch(app, true);
}

void TForm1::ButtonHeightDownClick()
{
    stretch(app, false);
}
