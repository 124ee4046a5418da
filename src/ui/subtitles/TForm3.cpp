#include "ui/subtitles/TForm3.h"

#include "core/SubtitleLayout.h"
#include "platform/Compositor.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>
#include <QTimer>
#include <QWheelEvent>

namespace {
// How dark the box behind semi-transparent subtitles is (of 255).
constexpr int BoxAlpha = 150;
} // namespace

TForm3::TForm3(Player &app)
    : PlayerWindow(app, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                            | Qt::WindowDoesNotAcceptFocus)
{
    setWindowTitle(QStringLiteral("Napisy"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Black is the outline and the box; the letters take the font's colour.
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, QColor(192, 192, 192));
    setPalette(p);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(20);
    f.setBold(true);
    setFont(f);
    setCursor(Qt::SplitVCursor);

    // The see-through box needs an alpha channel, which the window gets only when it is
    // created, and a compositor to blend it: both are settled here, once. Asking the X
    // server for the compositor's selection is cheap and needs no extension.
    m_translucent = QGuiApplication::platformName() == QLatin1String("xcb") && Compositor::running();
    if (m_translucent)
        setAttribute(Qt::WA_TranslucentBackground);

    TimerNapisClear = new QTimer(this);
    TimerNapisClear->setObjectName("TimerNapisClear");
    TimerNapisClear->setInterval(4000);
    connect(TimerNapisClear, &QTimer::timeout, this, &TForm3::TimerNapisClearTimer);
    resize(492, 66);
    followPanel();
}

void TForm3::followPanel()
{
    TForm1 *panel = app.form1();
    // Playing starts the clear timer, also with nothing on screen; a pause holds it.
    // Stopping leaves it to run out.
    m_playState = panel->PlayState.addNotifier([this, panel] {
        // An exactly timed text goes at its stop, which its scheduler keeps.
        if (panel->PlayState == TForm1::StatePlaying && !m_timed)
            TimerNapisClear->start();
        else if (panel->PlayState == TForm1::StatePaused)
            TimerNapisClear->stop();
    });
    connect(panel, &TForm1::mediumOpening, TimerNapisClear, &QTimer::stop);
    connect(panel, &TForm1::closing, TimerNapisClear, &QTimer::stop);
}

void TForm3::HideSubtitle()
{
    TimerNapisClear->stop();
    hide();
}

void TForm3::SetDisplayTime(int ms) { TimerNapisClear->setInterval(ms); }

void TForm3::emptyQueue()
{
    m_iq.clear();
    emit queueEmptied();
}

void TForm3::greet() { ShowSubtitle(QStringLiteral("ZD"), false, 500); }

int TForm3::kind() const
{
    const int id = app.form4()->FontTypeGroup->checkedId();
    return id >= SubtitleStyle::Transparent && id <= SubtitleStyle::SemiTransparent ? id
                                                                                      : SubtitleStyle::Transparent;
}

bool TForm3::semiBoxActive() const { return m_shownKind == SubtitleStyle::SemiTransparent && m_translucent; }

SubtitleStyle TForm3::style() const
{
    const TForm4 *prefs = app.form4();
    SubtitleStyle s;
    s.kind = kind();
    s.outline = prefs->EObwodka->tag() > 0 ? prefs->EObwodka->tag() : int(prefs->EObwodka->value());
    s.autoHeight = prefs->FontAutoHeight->isChecked();
    s.fontVol = prefs->FontVol->value();
    s.fontPoints = prefs->EFontSize->value();
    s.napisBottom = prefs->NapisBottom->value();
    s.underPicture = prefs->NapisPod->isChecked();
    s.widthPercent = prefs->FWidth->value();
    s.splitWide = prefs->IQDziel->isChecked();
    s.shrinkWide = prefs->IQZmniejsz->isChecked();
    return s;
}

SubtitleStage TForm3::stage() const
{
    const TForm2 *video = app.form2();
    SubtitleStage s;
    s.videoFrame = video->frameGeometry();
    s.videoClientWidth = video->width();
    s.pictureHeight = video->ZoomRect.height();
    s.fullScreen = app.fullScreenActive();
    const DisplayMode mode = app.form4()->fullScreenMode();
    s.display = QSize(mode.width, mode.height);
    s.dpi = logicalDpiY();
    s.videoClientTop = video->geometry().top() - video->frameGeometry().top();
    return s;
}

void TForm3::ShowSubtitle(const QString &text, bool fromQueue, qint64 gapToNext)
{
    // A minimised player neither draws nor keeps texts for later.
    if (app.form1()->Minimized)
        return;
    const TForm4 *prefs = app.form4();

    const IQText::Settings timing = prefs->iqSettings();
    // Only letters being read hold a new text back. The panel restarts the clear timer
    // whenever playing starts, also with nothing on screen; taken alone, that running
    // timer would keep the first subtitle of a film waiting for no one.
    const bool reading = TimerNapisClear->isActive() && m_textShown && isVisible();
    const IQText::Decision decision = m_iq.decide(text, fromQueue, gapToNext, reading, timing);
    if (decision.queued)
        return;
    TimerNapisClear->stop();
    TimerNapisClear->setInterval(decision.displayMs);
    m_timed = false;
    drawText(text);
    TimerNapisClear->start();
}

void TForm3::ShowTimed(const QString &text)
{
    if (app.form1()->Minimized)
        return;
    // Nothing waits behind an exactly timed text: the next one has its own moment.
    m_iq.clear();
    TimerNapisClear->stop();
    m_timed = true;
    drawText(text);
}

void TForm3::ClearTimed()
{
    m_timed = false;
    TimerNapisClearTimer();
}

void TForm3::drawText(const QString &text)
{
    const SubtitleStyle s = style();
    m_shown = SubtitleComposer::compose(text, font(), s, stage());
    m_text = text;
    m_shownKind = s.kind;
    m_textShown = true;
    setGeometry(m_shown.geometry);
    // Only the outlined letters show in the transparent kind (and in the semi-transparent
    // one when nothing can blend its box); the other kinds keep their whole rectangle.
    const bool cutToLetters =
        s.kind == SubtitleStyle::Transparent || (s.kind == SubtitleStyle::SemiTransparent && !m_translucent);
    if (cutToLetters && m_shown.outline.isEmpty()) {
        // No letters (a blank text): an empty shape would mean no shape at all.
        hide();
    } else {
        if (cutToLetters)
            setMask(m_shown.outline);
        else
            clearMask();
        show();
        raise();
        update();
    }
}

void TForm3::TimerNapisClearTimer()
{
    TimerNapisClear->stop();
    // While the window is held by the mouse nothing moves on: later texts are dropped.
    if (app.dragging) {
        m_iq.clear();
        return;
    }
    m_textShown = false;
    // The opaque kind's black strip stays; only its letters go.
    if (kind() == SubtitleStyle::Opaque)
        update();
    else
        hide();
    if (const std::optional<QString> next = m_iq.peekNext()) {
        // The text is still counted as waiting while its time is computed.
        ShowSubtitle(*next, true, 0);
        m_iq.takeNext();
    }
}

void TForm3::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (semiBoxActive()) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(rect(), QColor(0, 0, 0, BoxAlpha));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        // The letters keep their black rim on the dimmed box.
        if (m_textShown) {
            p.save();
            p.setClipRegion(m_shown.outline);
            p.fillRect(rect(), Qt::black);
            p.restore();
        }
    } else {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(rect(), palette().color(QPalette::Window));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    if (!m_textShown)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = palette().color(QPalette::WindowText);
    for (const SubtitleComposition::Line &line : m_shown.lines)
        for (const SubtitleComposition::Piece &piece : line.pieces)
            p.fillPath(piece.letters, piece.colour.isValid() ? piece.colour : colour);
}

void TForm3::mousePressEvent(QMouseEvent *event)
{
    app.dragging = true;
    m_grabY = qRound(event->position().y());
    event->accept();
}

void TForm3::mouseMoveEvent(QMouseEvent *event)
{
    if (!app.dragging)
        return;
    const int newTop = qRound(event->position().y()) - m_grabY + y();
    const std::optional<double> percent =
        SubtitleLayout::dragPercent(app.form2()->frameGeometry(), height(), app.captionHeight, newTop);
    // Out of the video window: the window stays where it was.
    if (!percent)
        return;
    emit dragged(*percent);
    move(x(), newTop);
}

void TForm3::mouseReleaseEvent(QMouseEvent *event)
{
    app.dragging = false;
    event->accept();
}

void TForm3::wheelEvent(QWheelEvent *event)
{
    app.form1()->SliderFUNWheel(event);
}

void TForm3::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && app.fullScreenActive()) {
        leaveFullScreen();
        event->accept();
        return;
    }
    PlayerWindow::keyPressEvent(event);
}

// The full-screen command toggles: while full screen is on, it goes back to the window.
void TForm3::leaveFullScreen() { app.form1()->ButtonFullScreen->click(); }
