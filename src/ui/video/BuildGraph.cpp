// Building the playback graph for one file, and what the engine reports while it plays.
#include "ui/video/TForm2.h"

#include "core/CodecReport.h"
#include "core/FunctionSlider.h"
#include "core/Transport.h"
#include "engine/MediaEngine.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/filters/TFormFiltry.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"

#include <QCheckBox>
#include <QFileInfo>

void TForm2::ReleaseGraph()
{
    m_engine->release();
    RendererHeld = false;
    m_graphFilters.clear();
    emit graphBuilt(m_graphFilters);
}

void TForm2::BuildGraph(const QString &path)
{
    TForm1 *panel = app.form1();
    m_graphFilters.clear();
    if (!QFileInfo::exists(path))
        return;
    m_engine->release();
    RendererHeld = false;
    panel->PositionMs = 0;
    panel->DurationMs = 0; // a film that cannot be built must not show the last one's length
    // The filters dialog's choices go into this graph.
    m_engine->setPresetFilters(app.formFiltry()->chosenVideoFilter(), app.formFiltry()->chosenAudioFilter(),
                               app.formFiltry()->chosenAudioOutput());
    if (!m_engine->create()) {
        app.dialogs().message(this, QMessageBox::Warning, QStringLiteral("Brivara"),
                              QStringLiteral("Unable to create DirectShow Interface (Reinstall DirectX minimum V8.0!)"));
        return;
    }
    // Movie menus and codec names come from the file itself (movie menu, codec identification).
    panel->MenuInFile = app.form4() && app.form4()->OdczytajMenu(path);

    const CodecReport::FileCodes codes = CodecReport::readCodes(path);

    const MediaEngine::RenderResult result = m_engine->render(QFileInfo(path).absoluteFilePath());
    if (const QStringList dropped = m_engine->droppedPresets(); !dropped.isEmpty())
        app.formFiltry()->FilterDropped(dropped);
    if (result != MediaEngine::RenderResult::Ok)
        ReportMissingCodec(path, codes);
    panel->PlayState = TForm1::StateBuilt;
    ColorControl1->setEnabled(false);
    m_graphFilters = m_engine->filtersInUse();
    emit graphBuilt(m_graphFilters);
    SnapShotMark = 0;
    // Every graph carries its picture controls.
    for (const MediaEngine::FilterInfo &filter : m_graphFilters)
        if (filter.factory == QLatin1String("videobalance") && filter.hasPropertyPage)
            ColorControl1->setEnabled(true);
    RendererHeld = m_engine->framesDrawn() >= 0;

    const qint64 frames = m_engine->durationFrames();
    const qint64 duration = m_engine->duration();
    // Our engine counts video frames only; a sound file has none but still a length, and
    // must play. Nothing to count and no length: left built, not started.
    const bool soundOnly = m_engine->videoSize().width() == 0 && duration > 0;
    if (frames == 0 && !soundOnly)
        return;
    if (frames > 0) {
        panel->FrameRate = double(frames) / (double(duration) / MediaEngine::UnitsPerSecond);
        emit frameRateMeasured(panel->FrameRate);
    }
    // The position slider and the full-screen bar take their range from it.
    panel->DurationMs = duration / Transport::UnitsPerMs;

    m_engine->setOwner(Panel);
    fitPicture();
    m_engine->setPictureVisible(true);
    panel->BStopClick();
    panel->PlayState = TForm1::StateStopped;
    // A new film starts centred; the engine would otherwise carry the last film's balance.
    m_engine->setBalance(0);
    m_engine->setVolume(panel->ButtonVolume->down() ? MediaEngine::Silence
                                                    : FunctionSlider::volume(panel->VolumeLevel));
}

void TForm2::fitPicture()
{
    int height = Panel->height();
    // The picture keeps 20 pixels clear above the subtitle strip.
    if (const int strip = subtitleStrip())
        height -= strip + 20;
    m_engine->setWindowPosition(QRect(0, 0, Panel->width(), qMax(0, height)));
}
