// The function slider of the control panel: its mode button, its levels, the mute button
// and the mouse wheel.
#include "ui/app/TForm1.h"

#include "core/FunctionSlider.h"
#include "core/Messages.h"
#include "engine/MediaEngine.h"
#include "ui/app/ExactSubtitles.h"
#include "ui/app/Player.h"
#include "ui/osd/TFormOSD.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QWheelEvent>

namespace FS = FunctionSlider;

namespace {

// Wheel turns over the panel, its controls or the slider itself move the slider one step;
// the slider's own wheel handling would jump by three.
class FunctionWheel : public QObject
{
public:
    explicit FunctionWheel(TForm1 *panel) : QObject(panel), m_panel(panel) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel)
            return QObject::eventFilter(watched, event);
        m_panel->SliderFUNWheel(static_cast<QWheelEvent *>(event));
        return true;
    }

private:
    TForm1 *m_panel;
};

// The stored level of each mode.
int &levelOf(TForm1 &panel, int mode)
{
    switch (FS::validMode(mode)) {
    case FS::Txt: return panel.TxtShift;
    case FS::Speed: return panel.SpeedLevel;
    case FS::Balance: return panel.BalanceLevel;
    case FS::Brightness: return panel.BrightLevel;
    case FS::Contrast: return panel.ContrastLevel;
    case FS::Saturation: return panel.SaturationLevel;
    case FS::Quality: return panel.QualityLevel;
    case FS::Volume:
    default: return panel.VolumeLevel;
    }
}

MediaEngine::PictureControls pictureControlsOf(const TForm1 &panel)
{
    MediaEngine::PictureControls c;
    c.brightness = FS::brightness(panel.BrightLevel);
    c.contrast = FS::contrast(panel.ContrastLevel);
    c.saturation = FS::saturation(panel.SaturationLevel);
    return c;
}

} // namespace

void TForm1::connectFunctionSlider()
{
    connect(BFunction, &TZDButton::clicked, this, &TForm1::BFunctionClick);
    connect(SliderFUN, &QSlider::valueChanged, this, &TForm1::SliderFUNChange);
    connect(ButtonVolume, &TZDButton::clicked, this, &TForm1::ButtonVolumeClick);
    // Each control gets the filter itself: a wheel event only travels up to the panel when
    // the system made it, and the controls should behave alike however it arrives. The
    // position slider keeps its own wheel.
    auto *wheel = new FunctionWheel(this);
    installEventFilter(wheel);
    for (QWidget *w : findChildren<QWidget *>())
        if (w->window() == this && w != SliderPos)
            w->installEventFilter(wheel);
}

void TForm1::BFunctionClick()
{
    const int mode = FS::nextMode(BFunction->tag());
    BFunction->setTag(mode);
    LFunction->setText(FS::modeName(mode));
    // Only a value that differs from the slider's fires SliderFUNChange, and so is applied.
    SliderFUN->setValue(levelOf(*this, mode));
    // The picture controls live in the graph: without one the picture modes have nothing
    // to act on.
    const bool enabled = FS::modeEnabled(mode, app.form2()->engine().isCreated());
    SliderFUN->setEnabled(enabled);
    LFunction->setEnabled(enabled);
}

void TForm1::ResetTxtShift()
{
    TxtShift = 0;
    if (FS::validMode(BFunction->tag()) == FS::Txt) {
        const QSignalBlocker quiet(SliderFUN);
        SliderFUN->setValue(0);
    }
}

void TForm1::SliderFUNChange(int value)
{
    const int mode = FS::validMode(BFunction->tag());
    const int level = FS::clampLevel(value);
    MediaEngine &engine = app.form2()->engine();
    const bool loaded = PlayState != StateNone;
    const bool graph = loaded && engine.isCreated();
    TFormOSD *osd = app.formOSD();

    switch (mode) {
    case FS::Txt:
        // With nothing loaded there is no subtitle clock to shift.
        if (!loaded)
            return;
        TxtShift = level;
        osd->ShowOSD(FS::shiftText(app.messages().text(4), level));
        if (m_exact)
            m_exact->sync(true);
        return;
    case FS::Speed:
        SpeedLevel = level;
        if (graph) {
            engine.setRate(FS::rate(level));
            osd->ShowOSD(FS::speedText(level));
            if (m_exact)
                m_exact->sync();
        }
        return;
    case FS::Balance:
        BalanceLevel = level;
        if (graph) {
            engine.setBalance(FS::balance(level));
            osd->ShowOSD(FS::barText(mode, level));
        }
        return;
    case FS::Volume:
        // Turning the volume is heard: it ends a mute.
        ButtonVolume->setDown(false);
        VolumeLevel = level;
        if (graph)
            engine.setVolume(FS::volume(level));
        setDiscVolume();
        if (loaded)
            osd->ShowOSD(FS::barText(mode, level));
        return;
    default:
        levelOf(*this, mode) = level;
        if (!engine.isCreated())
            return;
        // Quality has nothing in our graphs to act on (see FunctionSlider::decoderQuality).
        if (mode != FS::Quality)
            engine.setPictureControls(pictureControlsOf(*this));
        osd->ShowOSD(FS::barText(mode, level));
        return;
    }
}

void TForm1::FunctionStep(int modeBefore, int step)
{
    // The mode button moves on from the mode before the one wanted; the slider's change
    // handler then applies the step and shows it.
    BFunction->setTag(modeBefore);
    BFunctionClick();
    SliderFUN->setValue(SliderFUN->value() + step);
}

void TForm1::ToggleMute()
{
    ButtonVolume->setDown(!ButtonVolume->down());
    ButtonVolumeClick();
}

void TForm1::ButtonVolumeClick()
{
    // The button has already flipped its down state; the key command flips it first too.
    const bool muted = ButtonVolume->down();
    app.form2()->engine().setVolume(muted ? FS::Muted : FS::volume(VolumeLevel));
    setDiscVolume();
    app.formOSD()->ShowOSD(FS::muteText(muted));
}
