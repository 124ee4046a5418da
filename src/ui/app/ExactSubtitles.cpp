#include "ui/app/ExactSubtitles.h"

#include "core/ExactTiming.h"
#include "core/Transport.h"
#include "engine/MediaEngine.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
#include <QSlider>
#include <QTimer>

#include <cmath>

namespace {
// The longest wait armed at once; the panel's tick arms again long before.
constexpr qint64 DayMs = 24 * 3600 * 1000;
} // namespace

ExactSubtitles::ExactSubtitles(Player &app, QObject *parent) : QObject(parent), app(app)
{
    TForm1 *panel = app.form1();
    // Playing arms the timer, pausing holds it; every jump in the film (they all empty the
    // subtitle window's queue) is read once the jump is done.
    m_playState = panel->PlayState.addNotifier([this] { sync(); });
    connect(app.form3(), &TForm3::queueEmptied, this, [this] { sync(true); }, Qt::QueuedConnection);
    connect(panel, &TForm1::mediumOpening, this, &ExactSubtitles::stop);
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("TimerNapisyDokladne"));
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, [this] { sync(); });
}

void ExactSubtitles::stop()
{
    m_timer->stop();
    if (m_clearAtMs >= 0 && app.form3()->timedShown())
        app.form3()->ClearTimed();
    m_clearAtMs = -1;
    m_shownRow = 0;
}

void ExactSubtitles::sync(bool jumped)
{
    m_timer->stop();
    TForm1 *panel = app.form1();
    TForm4 *setup = app.form4();
    TForm3 *window = app.form3();
    MediaEngine &engine = app.form2()->engine();
    const qint64 position = engine.position();
    if (panel->PlayState == TForm1::StateNone || position < 0)
        return;
    const qint64 clock = Transport::subtitleClockMs(position / Transport::UnitsPerMs, setup->subtitleShiftMinutes(),
                                                    panel->TxtShift, setup->subtitleShiftSeconds());
    m_lastClockMs = clock;

    // Its time is up, or the film jumped back before it began: the text on screen goes.
    if (m_clearAtMs >= 0 && (clock >= m_clearAtMs || clock < m_shownStartMs)) {
        m_clearAtMs = -1;
        if (window->timedShown())
            window->ClearTimed();
    }
    // After a jump the entry shown last may come again, unless it is still on screen.
    if (jumped && m_clearAtMs < 0)
        m_shownRow = 0;

    if (panel->NapisyCheck->down()) {
        const ExactTiming::Step step = ExactTiming::step(setup->subtitles(), clock, m_shownRow);
        if (step.row > 0) {
            const qint64 d =
                ExactTiming::displayMs(step.text.size(), step.fileDurationMs, step.gapMs, setup->iqSettings());
            window->ShowTimed(step.text);
            m_shownRow = step.row;
            m_shownStartMs = step.startMs;
            m_clearAtMs = step.startMs + d;
            setup->SubtitleMarker = step.row;
            setup->ShowSubtitleRow(step.row);
        }
        qint64 wake = step.nextStartInMs;
        if (m_clearAtMs >= 0 && (wake < 0 || m_clearAtMs - clock < wake))
            wake = m_clearAtMs - clock;
        if (wake >= 0 && panel->PlayState == TForm1::StatePlaying) {
            // Film time runs `rate` times as fast as the wall clock.
            const double rate = engine.rate() > 0 ? engine.rate() : 1.0;
            m_timer->start(int(qBound<qint64>(1, qint64(std::ceil(double(wake) / rate)), DayMs)));
        }
    } else if (m_clearAtMs >= 0 && panel->PlayState == TForm1::StatePlaying) {
        const double rate = engine.rate() > 0 ? engine.rate() : 1.0;
        m_timer->start(int(qBound<qint64>(1, qint64(std::ceil(double(m_clearAtMs - clock) / rate)), DayMs)));
    }
}
