#include "ui/app/MediaControls.h"

#include "core/CdTrackName.h"
#include "core/FunctionSlider.h"
#include "engine/MediaEngine.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QEvent>
#include <QSlider>
#include <QTimer>

MediaControls::MediaControls(Player &player, std::unique_ptr<MediaControl> control, QObject *parent)
    : QObject(parent), m_player(player), m_control(std::move(control))
{
    TForm1 *panel = m_player.form1();
    // The first paint of the panel is the first picture; the bus comes after it.
    panel->installEventFilter(this);
    m_notifiers.push_back(panel->PlayState.addNotifier([this] { refreshSoon(); }));
    m_notifiers.push_back(panel->MediaMode.addNotifier([this] { refreshSoon(); }));
    m_notifiers.push_back(panel->DurationMs.addNotifier([this] { refreshSoon(); }));
    connect(panel, &TForm1::mediaOpened, this, &MediaControls::refreshSoon);
    connect(panel->Timer, &QTimer::timeout, this, &MediaControls::refreshSoon);
    connect(panel->SliderFUN, &QSlider::valueChanged, this, &MediaControls::refreshSoon);
    connect(panel->ButtonVolume, &TZDButton::clicked, this, &MediaControls::refreshSoon);
}

MediaControls::~MediaControls() = default;

bool MediaControls::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_started && event->type() == QEvent::Paint) {
        m_started = true;
        watched->removeEventFilter(this);
        // After this paint has reached the screen, not inside it.
        QTimer::singleShot(0, this, &MediaControls::startOnBus);
    }
    return false;
}

void MediaControls::startOnBus()
{
    m_control->start(this);
    refresh();
}

MprisState::Snapshot MediaControls::snapshot() const
{
    const TForm1 *panel = m_player.form1();
    MprisState::Snapshot s;
    s.playState = panel->PlayState;
    s.cd = panel->MediaMode == TForm1::ModeCd;
    s.file = panel->CurrentFile;
    s.durationMs = panel->DurationMs;
    s.mediumCount = m_mediumCount;
    s.cdTitle = m_cdTitle;
    s.volumeLevel = panel->VolumeLevel;
    s.muted = panel->ButtonVolume->down();
    s.speedLevel = panel->SpeedLevel;
    s.canGoNext = panel->BNext->isEnabled();
    s.canGoPrevious = panel->BPrev->isEnabled();
    return s;
}

void MediaControls::refreshSoon()
{
    if (m_refreshQueued || !m_started)
        return;
    m_refreshQueued = true;
    QTimer::singleShot(0, this, &MediaControls::refresh);
}

void MediaControls::refresh()
{
    m_refreshQueued = false;
    const TForm1 *panel = m_player.form1();
    if (panel->CurrentFile != m_lastFile) {
        m_lastFile = panel->CurrentFile;
        ++m_mediumCount;
        m_cdTitle.clear();
        if (panel->MediaMode == TForm1::ModeCd)
            m_cdTitle = m_player.cdAudio().send(QStringLiteral("status cd title track ")
                                                + CdTrackName::twoDigits(CdTrackName::number(m_lastFile)));
        m_lastPositionMs = 0;
        m_sinceLastPosition.start();
    }
    const MprisState::Snapshot s = snapshot();
    m_control->publish(MprisState::properties(s));

    const qint64 now = panel->PositionMs;
    if (m_sinceLastPosition.isValid()
        && MprisState::jumped(m_lastPositionMs, now, m_sinceLastPosition.elapsed(),
                              FunctionSlider::rate(s.speedLevel), s.playState == TForm1::StatePlaying))
        m_control->seeked(now * 1000);
    m_lastPositionMs = now;
    m_sinceLastPosition.start();
}

void MediaControls::play() { m_player.form1()->BPlayClick(); }
void MediaControls::pause() { m_player.form1()->BPauseClick(); }
void MediaControls::stop() { m_player.form1()->BStopClick(); }

void MediaControls::playPause()
{
    if (m_player.form1()->PlayState == TForm1::StatePlaying)
        pause();
    else
        play();
}

void MediaControls::next()
{
    if (m_player.form1()->BNext->isEnabled())
        m_player.form1()->BNextClick();
}

void MediaControls::previous()
{
    if (m_player.form1()->BPrev->isEnabled())
        m_player.form1()->BPrevClick();
}

qint64 MediaControls::positionUs() const
{
    const TForm1 *panel = m_player.form1();
    if (panel->PlayState == TForm1::StateNone)
        return 0;
    if (panel->MediaMode != TForm1::ModeCd) {
        const qint64 units = m_player.form2()->engine().position();
        if (units >= 0)
            return units / 10; // 100-ns units
    }
    return qint64(panel->PositionMs) * 1000;
}

void MediaControls::seekToUs(qint64 positionUs)
{
    // As the position slider seeks a film; the panel's timer shows the new place.
    m_player.form3()->emptyQueue();
    m_player.form2()->engine().seek(positionUs * 10); // 100-ns units
    m_lastPositionMs = positionUs / 1000;
    m_sinceLastPosition.start();
    m_control->seeked(positionUs);
}

void MediaControls::seek(qint64 offsetUs)
{
    const TForm1 *panel = m_player.form1();
    if (!MprisState::properties(snapshot()).value(QStringLiteral("CanSeek")).toBool())
        return;
    const std::optional<qint64> target =
        MprisState::seekTarget(positionUs(), offsetUs, qint64(panel->DurationMs) * 1000);
    if (target)
        seekToUs(*target);
    else
        next();
}

void MediaControls::setPosition(const QString &trackId, qint64 positionUs)
{
    const TForm1 *panel = m_player.form1();
    // A position for a medium that is no longer the current one is stale: ignored.
    if (!MprisState::properties(snapshot()).value(QStringLiteral("CanSeek")).toBool()
        || trackId != MprisState::trackId(snapshot()) || positionUs < 0
        || positionUs > qint64(panel->DurationMs) * 1000)
        return;
    seekToUs(positionUs);
}

bool MediaControls::openUri(const QString &uri)
{
    const std::optional<QString> path = MprisState::localPath(uri);
    if (!path)
        return false;
    m_player.handOver(*path);
    return true;
}

void MediaControls::setVolume(double volume)
{
    TForm1 *panel = m_player.form1();
    const MprisState::VolumeChoice choice = MprisState::volumeChoice(volume, panel->VolumeLevel);
    const bool muted = panel->ButtonVolume->down();
    if (choice.mute != muted)
        panel->ToggleMute();
    if (!choice.mute && choice.level != panel->VolumeLevel)
        panel->FunctionStep(FunctionSlider::Volume - 1, choice.level - panel->VolumeLevel);
    refreshSoon();
}

void MediaControls::setRate(double rate)
{
    TForm1 *panel = m_player.form1();
    if (!(rate > 0)) { // a rate of 0 is a pause
        pause();
        return;
    }
    const int level = MprisState::speedLevel(rate);
    if (level != panel->SpeedLevel)
        panel->FunctionStep(FunctionSlider::Speed - 1, level - panel->SpeedLevel);
    refreshSoon();
}

void MediaControls::raise() { m_player.handOver(QString()); }
void MediaControls::quit() { m_player.quit(); }
