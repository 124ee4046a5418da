// The key dispatcher of the video window: the decision comes from KeyDispatch, the
// effects are the operations the other windows own.
#include "ui/video/TForm2.h"

#include "core/FunctionSlider.h"
#include "core/KeyDispatch.h"
#include "core/KeyTable.h"
#include "engine/MediaEngine.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/moviemenu/TFormMenu.h"
#include "ui/osd/TFormOSD.h"
#include "ui/settings/KeyEditor.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"

#include <QApplication>
#include <QLabel>
#include <QSlider>

namespace {

using KeyTable::Command;

// The correction jump skips 3 s, whatever the row's description says.
constexpr qint64 CorrectionJump = 30'000'000;
constexpr int ShiftPixels = 10;
// A click of the function button moves to the mode after its tag.
constexpr int VolumeModeBefore = FunctionSlider::Volume - 1;
constexpr int BrightModeBefore = FunctionSlider::Brightness - 1;
constexpr int MsgCorrect = 6, MsgStepBefore = 7, MsgStepAfter = 8;

void showOsd(Player &app, const QString &text)
{
    app.formOSD()->ShowOSD(text);
}

void playPause(TForm1 &panel)
{
    if (panel.PlayState == TForm1::StatePlaying)
        panel.BPauseClick();
    else if (panel.PlayState == TForm1::StatePaused || panel.PlayState == TForm1::StateStopped)
        panel.BPlayClick();
}

void correct(Player &app)
{
    showOsd(app, app.messages().text(MsgCorrect));
    MediaEngine &engine = app.form2()->engine();
    const qint64 position = engine.position();
    if (position >= 0)
        engine.seek(position + CorrectionJump);
}

void frameStep(Player &app, int frames)
{
    TForm1 &panel = *app.form1();
    // A failed step leaves the play state alone and says nothing.
    if (panel.PlayState == TForm1::StateNone || !app.form2()->engine().frameStep(frames))
        return;
    panel.BPauseClick();
    showOsd(app, app.messages().text(MsgStepBefore) + QString::number(frames)
                     + app.messages().text(MsgStepAfter));
}

// Start point, stop point (then the main timer loops), off.
void repeatStep(Player &app)
{
    TForm1 &panel = *app.form1();
    MediaEngine &engine = app.form2()->engine();
    if (panel.RepeatStart != 0 && panel.RepeatStop != 0) {
        panel.RepeatStart = panel.RepeatStop = 0;
        showOsd(app, QStringLiteral("Repeat OFF"));
        return;
    }
    const qint64 position = engine.position();
    // Without a film there is no time to mark.
    if (panel.PlayState == TForm1::StateNone || position < 0)
        return;
    const QString time = panel.StatusTime->text().left(8);
    if (panel.RepeatStart == 0) {
        panel.RepeatStart = position;
        showOsd(app, QStringLiteral("Repeat Start Time: ") + time);
    } else {
        panel.RepeatStop = position;
        engine.seek(panel.RepeatStart);
        showOsd(app, QStringLiteral("Repeat Stop Time: ") + time);
    }
}

void shiftPicture(Player &app, int dx, int dy)
{
    MediaEngine &engine = app.form2()->engine();
    engine.setWindowPosition(engine.windowPosition().translated(dx, dy));
}

void run(Player &app, Command command)
{
    TForm1 &panel = *app.form1();
    switch (command) {
    case Command::PlayPause: return playPause(panel);
    case Command::NextEntry: return panel.BNextClick();
    case Command::PreviousEntry: return panel.BPrevClick();
    case Command::SkipForward: return panel.BStepClick();
    case Command::SkipBack: return panel.BBackClick();
    case Command::Mute: return panel.ToggleMute();
    case Command::FullScreen: return app.form2()->ButtonFullScreenClick();
    case Command::FullScreenResize: return app.form2()->FullScreenResizeClick();
    case Command::LeaveFullScreen:
        if (app.fullScreenActive())
            app.form2()->ReturnToWindow();
        return;
    case Command::OsdInfo: return app.formOSD()->TimerAutoInfoTimer();
    case Command::Correct: return correct(app);
    case Command::ZoomIn: return panel.ButtonUpClick();
    case Command::ZoomOut: return panel.ButtonDownClick();
    case Command::OriginalSize: return panel.ButtonNormalClick();
    case Command::Stop: return panel.BStopClick();
    case Command::Step1:
    case Command::Step2:
    case Command::Step3:
    case Command::Step4:
    case Command::Step5:
    case Command::Step6:
    case Command::Step7:
    case Command::Step8:
    case Command::Step9:
        return frameStep(app, int(command) - int(Command::Step1) + 1);
    case Command::VolumeUp: return panel.FunctionStep(VolumeModeBefore, 1);
    case Command::VolumeDown: return panel.FunctionStep(VolumeModeBefore, -1);
    // The picture moves opposite to the view, as the built-in descriptions name it.
    case Command::ShiftUp: return shiftPicture(app, 0, ShiftPixels);
    case Command::ShiftDown: return shiftPicture(app, 0, -ShiftPixels);
    case Command::ShiftLeft: return shiftPicture(app, -ShiftPixels, 0);
    case Command::ShiftRight: return shiftPicture(app, ShiftPixels, 0);
    case Command::Picture16x9: return panel.Button16x9Click();
    case Command::Picture4x3: return panel.Button4x3Click();
    case Command::PictureNormal: return panel.ButtonNormalSizeClick();
    case Command::HeightUp: return panel.ButtonHeightUpClick();
    case Command::HeightDown: return panel.ButtonHeightDownClick();
    case Command::RepeatAB: return repeatStep(app);
    case Command::MovieMenu:
        if (app.formMenu()->isVisible())
            return app.formMenu()->hide();
        return app.formMenu()->ShowMenu();
    case Command::OpenMovie: return panel.ButtonOpenClick();
    case Command::BrightnessUp: return panel.FunctionStep(BrightModeBefore, 1);
    case Command::BrightnessDown: return panel.FunctionStep(BrightModeBefore, -1);
    case Command::SnapShot: return app.form2()->ButtonSnapShotClick();
    case Command::PlayList: return panel.ButtonPlayListClick();
    }
}

} // namespace

void TForm2::dispatchKey(quint32 code, int remoteRow)
{
    TForm4 *prefs = app.form4();
    KeyEditor *editor = prefs ? prefs->keyEditor : nullptr;
    KeyDispatch::State state;
    state.countdownRunning = app.formOSD()->countdownRunning();
    state.dialogOpen = app.dialogOpen;
    state.remoteRow = remoteRow;
    state.capturing = editor && editor->capturing();
    state.preferencesActive = prefs && QApplication::activeWindow() == prefs;
    state.fullScreen = app.fullScreenActive();

    static const KeyBindings builtIn;
    const KeyDispatch::Decision d = KeyDispatch::decide(code, state, prefs ? prefs->keys() : builtIn);
    switch (d.outcome) {
    case KeyDispatch::Outcome::BreakCountdown:
        app.formOSD()->breakCountdown(); // says so itself
        return;
    case KeyDispatch::Outcome::Ignored:
        return;
    case KeyDispatch::Outcome::Capture:
        editor->capture(d.code, d.keepEditorOpen);
        return;
    case KeyDispatch::Outcome::Run:
        for (int row : d.rows)
            run(app, KeyTable::builtIn()[row - 1].command);
        return;
    }
}
