#include "ui/osd/TFormOSD.h"

#include "core/OsdLayout.h"
#include "core/OsdText.h"
#include "core/PanelLayout.h"
#include "engine/MediaEngine.h"
#include "platform/Power.h"
#include "platform/ScreenSaver.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/osd/OsdShape.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/video/TForm2.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QWheelEvent>

namespace {

// The window's font is set in points by the preferences, in pixels as built in: resize
// in whichever unit it carries.
int fontSize(const QFont &font)
{
    return font.pointSize() > 0 ? font.pointSize() : font.pixelSize();
}

QFont withSize(QFont font, int size)
{
    if (font.pointSize() > 0)
        font.setPointSize(size);
    else
        font.setPixelSize(size);
    return font;
}

} // namespace

TFormOSD::TFormOSD(Player &app)
    : PlayerWindow(app, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                            | Qt::WindowDoesNotAcceptFocus)
{
    setWindowTitle(QStringLiteral("OSD"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Clicks fall on nothing; only the wheel is taken (wheelEvent).
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, QColor(0, 255, 0)); // lime
    setPalette(p);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(27);
    setFont(f);

    TimerOSD = new QTimer(this);
    TimerOSD->setObjectName("TimerOSD");
    TimerOSD->setInterval(3000);
    connect(TimerOSD, &QTimer::timeout, this, &TFormOSD::TimerOSDTimer);

    TimerAutoInfo = new QTimer(this);
    TimerAutoInfo->setObjectName("TimerAutoInfo");
    TimerAutoInfo->setInterval(1200000);
    connect(TimerAutoInfo, &QTimer::timeout, this, &TFormOSD::TimerAutoInfoTimer);
    TimerAutoInfo->start();

    TimerCloseSystem = new QTimer(this);
    TimerCloseSystem->setObjectName("TimerCloseSystem");
    TimerCloseSystem->setInterval(1000);
    connect(TimerCloseSystem, &QTimer::timeout, this, &TFormOSD::TimerCloseSystemTimer);
    resize(120, 47);
    connect(app.form1(), &TForm1::closing, TimerOSD, &QTimer::stop);

    // The first sample: the first information line then shows the load since start.
    m_cpu.refresh();
}

// --- messages --------------------------------------------------------------------------

QFont TFormOSD::fittedFont(const QString &text, bool fullScreen) const
{
    const QFont base = font();
    const int size = fontSize(base) * (fullScreen ? 2 : 1);
    const int fitted = OsdLayout::fittedFontSize(
        size, [&](int s) { return QFontMetrics(withSize(base, s)).horizontalAdvance(text); },
        app.form2()->width(), fullScreen, app.form4()->fullScreenMode().width);
    return withSize(base, fitted);
}

void TFormOSD::ShowOSD(const QString &text)
{
    TimerOSD->stop();
    hide();
    TForm2 *video = app.form2();
    TForm4 *prefs = app.form4();
    // The preferences come last of the windows: nothing is shown while they are made.
    if (!prefs || !prefs->OSDOn->isChecked() || !video->isVisible())
        return;
    TimerOSD->setInterval(int(prefs->OSDTime->value() * 1000));

    const bool fullScreen = app.fullScreenActive();
    m_text = text;
    m_textFont = fittedFont(text, fullScreen);
    const QFontMetrics metrics(m_textFont);
    const int w = metrics.horizontalAdvance(text);
    const QSize size(w + OsdLayout::Spare, metrics.height() + OsdLayout::ExtraHeight);

    m_path = QPainterPath();
    m_path.addText(0, metrics.ascent(), m_textFont, text);
    const QRegion shape = OsdShape::region(m_path, size, prefs->OSDObwodka->tag());
    // Blank text has no letters; an empty mask would show the whole black window instead.
    if (shape.isEmpty())
        return;

    const QRect frame = video->frameGeometry();
    const QPoint topLeft(OsdLayout::left(frame, w, prefs->OSDLeft->isChecked()),
                         OsdLayout::top(frame, video->height(), prefs->OSDPanorama->isChecked(),
                                        fullScreen));
    setGeometry(QRect(topLeft, size));
    setMask(shape);
    show();
    update();
    TimerOSD->start();
}

void TFormOSD::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Inside the (1, 0) outline and its first shifted copy: the rest of the shape shows
    // the window's black as the outline.
    p.fillPath(m_path.translated(2, 1), palette().color(QPalette::WindowText));
}

void TFormOSD::TimerOSDTimer()
{
    hide();
    TimerOSD->stop();
}

void TFormOSD::wheelEvent(QWheelEvent *event)
{
    app.form1()->SliderFUNWheel(event);
}

// --- information line ----------------------------------------------------------------------

void TFormOSD::SetAutoInfoInterval(int ms) { TimerAutoInfo->setInterval(ms); }

void TFormOSD::TimerAutoInfoTimer()
{
    TForm1 *panel = app.form1();
    TForm4 *prefs = app.form4();
    if (!prefs)
        return;
    const MediaEngine &engine = app.form2()->engine();

    OsdText::InfoInputs in;
    in.movieTime = prefs->OSDMovieTime->isChecked();
    in.positionText = panel->StatusTime->text();
    const qint64 position = engine.position();
    in.position = position >= 0 ? position : panel->PositionMs * 10000;
    in.durationMs = panel->DurationMs;
    if (prefs->OSDCpuUsage->isChecked()) {
        QString error;
        std::optional<double> load;
        if (m_cpu.refresh(&error))
            load = m_cpu.usage(0, &error);
        if (load)
            in.cpuFraction = load;
        else
            qWarning("OSD: processor load unavailable: %s", qPrintable(error));
    }
    // Only a film with a picture has a renderer that counts frames.
    if (prefs->OSDFrames->isChecked() && engine.framesDrawn() >= 0)
        in.framesPerSecond = engine.averageFrameRate();
    ShowOSD(OsdText::infoLine(in));
}

// --- countdown -------------------------------------------------------------------------------

void TFormOSD::startCountdown(int seconds)
{
    SecondsLeft = qMax(1, seconds);
    TimerCloseSystem->start();
    // The desktop may blank the screen by itself while the countdown waits.
    app.screenSaver().release();
}

bool TFormOSD::countdownRunning() const
{
    return TimerCloseSystem->isActive();
}

void TFormOSD::breakCountdown()
{
    if (!countdownRunning())
        return;
    TimerCloseSystem->stop();
    SecondsLeft = 0;
    app.screenSaver().inhibit();
    ShowOSD(app.messages().text(5));
}

void TFormOSD::TimerCloseSystemTimer()
{
    const bool system = app.form2()->CloseSystem->isChecked();
    ShowOSD(OsdText::countdown(app.messages().text(system ? 18 : 31), SecondsLeft));
    if (--SecondsLeft >= 1)
        return;
    TimerCloseSystem->stop();
    if (system)
        shutDown();
    else
        turnMonitorOff();
}

void TFormOSD::shutDown()
{
    Power &power = app.power();
    QString why;
    // Asked while the program still runs: once the panel closes, the program is ending
    // and a message box would not stay up.
    const bool possible = power.canPowerOff(&why);
    if (!possible)
        app.dialogs().message(nullptr, QMessageBox::Warning, PanelLayout::programTitle(),
                              QStringLiteral("The computer cannot be turned off:\n") + why);
    // Closing the panel writes the settings before the system goes down.
    app.form1()->close();
    if (possible && !power.powerOff(&why)) {
        qWarning("Power off failed: %s", qPrintable(why));
        app.dialogs().message(nullptr, QMessageBox::Warning, PanelLayout::programTitle(),
                              QStringLiteral("The computer cannot be turned off:\n") + why);
    }
}

void TFormOSD::turnMonitorOff()
{
    QString why;
    // A display without power management simply stays on.
    if (!app.power().monitorOff(&why))
        qInfo("Monitor stays on: %s", qPrintable(why));
}
