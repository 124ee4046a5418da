// The video window's side of picture geometry: the resize hook that keeps the picture's
// proportions, the fit after every resize, and the wiring of the geometry commands.
#include "ui/video/TForm2.h"

#include "core/PanelGeometry.h"
#include "core/PictureGeometry.h"
#include "engine/MediaEngine.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"

#include <QAction>
#include <QCheckBox>
#include <QFontInfo>
#include <QScreen>

using PictureGeometry::Aspect;

namespace {
Aspect chosenAspect(const TForm1 *panel)
{
    if (panel->Button16x9->down())
        return Aspect::Wide16x9;
    if (panel->Button4x3->down())
        return Aspect::Tv4x3;
    return Aspect::Native;
}
} // namespace

QSize TForm2::fullScreenTarget() const
{
    if (!FullScreenTarget.isEmpty())
        return FullScreenTarget;
    return screen() ? screen()->geometry().size() : QSize();
}

bool TForm2::mediaLoaded() const
{
    return m_engine->isCreated() && app.form1()->VideoWidth > 0 && app.form1()->VideoHeight > 0;
}

int TForm2::subtitleStrip() const
{
    // Twice the font's pixel size: its height without the leading QFontMetrics adds.
    return app.form4()->NapisPod->isChecked() ? 2 * QFontInfo(app.form3()->font()).pixelSize() : 0;
}

QSize TForm2::FormCanResize(const QSize &proposed) const
{
    const TForm1 *panel = app.form1();
    if (!app.form4()->Proporcional->isChecked() || !mediaLoaded() || app.fullScreenActive())
        return proposed;
    // Qt hands us client sizes, so the picture height is the client height less the
    // strip; the frame never enters the width.
    const int width = PictureGeometry::widthForHeight(proposed.height() - subtitleStrip(),
                                                      {panel->VideoWidth, panel->VideoHeight},
                                                      chosenAspect(panel));
    return width > 0 ? QSize(width, proposed.height()) : proposed;
}

void TForm2::FormResize()
{
    app.form3()->hide();
    if (height() < PictureGeometry::MinStretchHeight) {
        resize(width(), PictureGeometry::MinStretchHeight);
        return;
    }
    if (app.fullScreenActive()) {
        const int target = fullScreenTarget().height();
        if (target > 0 && height() != target)
            resize(width(), target);
        return;
    }
    if (mediaLoaded())
        fitPicture();
}

void TForm2::setPictureHeight(int pictureHeight)
{
    const TForm1 *panel = app.form1();
    if (!mediaLoaded() || pictureHeight <= 0)
        return;
    // With subtitles under the picture the strip rides along unchanged, so the picture
    // itself follows the zoom exactly.
    QSize size(width(), pictureHeight + subtitleStrip());
    if (app.form4()->Proporcional->isChecked())
        size = FormCanResize(size);
    else
        size.setWidth(PictureGeometry::roundEven(double(pictureHeight) * panel->VideoWidth / panel->VideoHeight));
    resize(size);
    move(PanelGeometry::videoAbovePanel(panel->frameGeometry(), frameGeometry().size()));
}

void TForm2::refitPicture()
{
    const QSize allowed = FormCanResize(size());
    if (allowed != size())
        resize(allowed);
    FormResize();
}

void TForm2::Dowolny1Click()
{
    // The preferences keep the switch; the item shows it (KeepProportions calls back).
    app.form4()->KeepProportions(!app.form4()->Proporcional->isChecked());
}

void TForm2::connectGeometry()
{
    TForm1 *panel = app.form1();
    connect(Powiksz1, &QAction::triggered, panel, &TForm1::ButtonUpClick);
    connect(Pomniejsz1, &QAction::triggered, panel, &TForm1::ButtonDownClick);
    connect(PanScan1, &QAction::triggered, panel, &TForm1::ButtonPanScanToggle);
    connect(Oryginal1, &QAction::triggered, panel, &TForm1::ButtonNormalSizeClick);
    connect(N16x91, &QAction::triggered, panel, &TForm1::Button16x9Click);
    connect(N431, &QAction::triggered, panel, &TForm1::Button4x3Click);
    connect(Dowolny1, &QAction::triggered, this, &TForm2::Dowolny1Click);
}
