#include "ui/app/TForm1.h"

#include "core/CdAudioDevice.h"
#include "core/FunctionSlider.h"
#include "core/PanelGeometry.h"
#include "core/PanelLayout.h"
#include "core/TimeText.h"
#include "engine/MediaEngine.h"
#include "platform/ScreenSaver.h"
#include "ui/app/Dialogs.h"
#include "ui/app/FirstPicture.h"
#include "ui/app/Player.h"
#include "ui/filters/TFormFiltry.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/DefaultGlyphs.h"
#include "ui/skins/TShadowLabel.h"
#include "ui/skins/TSkinSlider.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/osd/TFormOSD.h"
#include "ui/video/TForm2.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRegion>
#include <QScreen>
#include <QSlider>
#include <QTimer>

namespace {
// A control the layout table lacks (or of another kind) is a fault of the table: say which
// at start rather than crash later on a null pointer.
template <class T> T *layoutControl(const QMap<QString, QWidget *> &controls, const char *name)
{
    auto *w = qobject_cast<T *>(controls.value(QString::fromLatin1(name)));
    if (!w)
        qFatal("Control panel layout: no %s named %s", T::staticMetaObject.className(), name);
    return w;
}
} // namespace

TForm1::TForm1(Player &app)
    : PlayerWindow(app, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(PanelLayout::programTitle());
    // The panel was laid out for a small bitmap face; a 10-pixel sans keeps its texts
    // inside their labels where that face is missing.
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(10);
    setFont(f);
    setMinimumSize(PanelGeometry::MinWidth, PanelGeometry::MinHeight);
    setMaximumSize(PanelGeometry::MaxWidth, PanelGeometry::MaxHeight);
    resize(PanelGeometry::ClientWidth, PanelGeometry::ClientHeight);
    setAcceptDrops(true);
    setMouseTracking(true);

    buildControls();
    connectControls();
    followScreens();

    // Keep the desktop awake for the whole run; released when the panel closes. Asking
    // the desktop (on the bus) waits until the first picture is out.
    FirstPicture::after(app, [this] {
        if (!m_closed)
            this->app.screenSaver().inhibit();
    });
    VolumeLevel = 0;
    Minimized = false;
}

TForm1::~TForm1() = default;

void TForm1::buildControls()
{
    using PanelLayout::Kind;
    for (const PanelLayout::Control &c : PanelLayout::controls()) {
        const QString name = QString::fromLatin1(c.name);
        QWidget *w = nullptr;
        switch (c.kind) {
        case Kind::Background: {
            auto *image = new QLabel(this);
            m_background = DefaultGlyphs::panelBackground(c.rect.size());
            image->setPixmap(QPixmap::fromImage(m_background));
            image->setScaledContents(true);
            Image1 = image;
            w = image;
            break;
        }
        case Kind::Button:
        case Kind::Toggle: {
            auto *b = new TZDButton(this);
            b->setButtonStyle(c.kind == Kind::Toggle ? TZDButton::btSpeed : TZDButton::btNormal);
            b->setDown(c.down);
            b->setTag(c.tag);
            b->setCaption(QString::fromUtf8(c.caption));
            const QImage glyph = DefaultGlyphs::forControl(name);
            if (!glyph.isNull()) {
                b->setGlyphUp(glyph);
                b->setGlyphDisable(DefaultGlyphs::disabled(glyph));
            }
            else if (!b->caption().isEmpty()) {
                b->setGlyphState(TZDButton::gsNone);
                b->setTextPosition(TZDButton::tpRight); // the caption is all it shows
            }
            w = b;
            break;
        }
        case Kind::Label: {
            auto *l = new TShadowLabel(QString::fromUtf8(c.caption), this);
            w = l;
            break;
        }
        case Kind::Frame: {
            auto *frame = new QFrame(this);
            frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
            frame->setAttribute(Qt::WA_TransparentForMouseEvents);
            w = frame;
            break;
        }
        case Kind::PositionSlider:
        case Kind::FunctionSlider: {
            auto *s = new TSkinSlider(Qt::Horizontal, this);
            if (c.kind == Kind::PositionSlider) {
                s->setRange(0, 100000);
                s->setPageStep(1000);
                s->setSingleStep(1000);
            } else {
                s->setRange(-5, 5);
                s->setPageStep(1);
                s->setTickPosition(QSlider::TicksBelow);
                s->setTickInterval(1);
            }
            w = s;
            break;
        }
        case Kind::Edit: {
            auto *e = new QLineEdit(QString::fromUtf8(c.caption), this);
            w = e;
            break;
        }
        }
        w->setObjectName(name);
        w->setGeometry(c.rect);
        w->setEnabled(c.enabled);
        w->setVisible(c.visible);
        if (*c.hint)
            w->setToolTip(QString::fromUtf8(c.hint));
        m_controls.insert(name, w);
    }

    auto button = [this](const char *name) { return layoutControl<TZDButton>(m_controls, name); };
    auto label = [this](const char *name) { return layoutControl<QLabel>(m_controls, name); };
    BPlay = button("BPlay");
    BPause = button("BPause");
    BStop = button("BStop");
    BBack = button("BBack");
    BStep = button("BStep");
    ProgName = label("ProgName");
    Border = layoutControl<QFrame>(m_controls, "Border");
    StatusFileName = label("StatusFileName");
    StatusRoz = label("StatusRoz");
    StatusTime = label("StatusTime");
    BNext = button("BNext");
    BPrev = button("BPrev");
    ButtonVolume = button("ButtonVolume");
    ButtonPlayList = button("ButtonPlayList");
    ButtonSetup = button("ButtonSetup");
    BRepeat = button("BRepeat");
    SliderPos = layoutControl<QSlider>(m_controls, "SliderPos");
    SliderFUN = layoutControl<QSlider>(m_controls, "SliderFUN");
    BFunction = button("BFunction");
    LFunction = label("LFunction");
    ButtonOpen = button("ButtonOpen");
    ButtonOpenTXT = button("ButtonOpenTXT");
    NapisyCheck = button("NapisyCheck");
    BFiltry = button("BFiltry");
    ButtonDown = button("ButtonDown");
    ButtonUp = button("ButtonUp");
    ButtonPanScan = button("ButtonPanScan");
    ButtonFullScreen = button("ButtonFullScreen");
    CaptionSzpilka = button("CaptionSzpilka");
    CaptionMin = button("CaptionMin");
    FullScreenResize = button("FullScreenResize");
    CaptionClose = button("CaptionClose");
    Button16x9 = button("Button16x9");
    Button4x3 = button("Button4x3");
    ButtonNormalSize = button("ButtonNormalSize");
    ButtonHeightUp = button("ButtonHeightUp");
    ButtonHeightDown = button("ButtonHeightDown");
    ButtonFullScrMonitor2 = button("ButtonFullScrMonitor2");
    ButtonSnapShot = button("ButtonSnapShot");
    RemoteCode = layoutControl<QLineEdit>(m_controls, "RemoteCode");

    ProgName->setText(PanelLayout::programTitle());
    ProgName->setAlignment(Qt::AlignCenter);
    QFont bold = font();
    bold.setBold(true);
    ProgName->setFont(bold);
    static_cast<TShadowLabel *>(ProgName)->setFontColor(QColor(128, 128, 128));
    StatusFileName->setFont(bold);
    StatusTime->setFont(bold);
    StatusTime->setAlignment(Qt::AlignCenter);
    QFont tiny = font();
    tiny.setPixelSize(7);
    LFunction->setFont(tiny);

    MenuTXT = new QMenu(this);
    MenuTXT->setObjectName("MenuTXT");
    MenuTXT->addSeparator();
    QAction *other = MenuTXT->addAction(QStringLiteral("Szukaj innych plików z napisami..."));
    other->setObjectName("SzukajInnych1");
    ButtonOpenTXT->setDropDownMenu(MenuTXT);

    MenuFiltry = new QMenu(this);
    MenuFiltry->setObjectName("MenuFiltry");
    MenuFiltry->addSeparator();
    Wicejofiltrach1 = MenuFiltry->addAction(QStringLiteral("Więcej o filtrach..."));
    Wicejofiltrach1->setObjectName("Wicejofiltrach1");
    BFiltry->setDropDownMenu(MenuFiltry);

    Timer = new QTimer(this);
    Timer->setObjectName("Timer");
    Timer->setInterval(400);
    TimerFreez = new QTimer(this);
    TimerFreez->setObjectName("TimerFreez");
    TimerFreez->setInterval(1000);
    TimerFreez->start();

    // The background and the status labels move the panel; every control restarts the
    // pointer-hide countdown of the video window.
    for (QWidget *w : m_controls) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

void TForm1::connectControls()
{
    connect(BPlay, &TZDButton::clicked, this, &TForm1::BPlayClick);
    connect(BPause, &TZDButton::clicked, this, &TForm1::BPauseClick);
    connect(BStop, &TZDButton::clicked, this, &TForm1::BStopClick);
    connect(BStep, &TZDButton::clicked, this, &TForm1::BStepClick);
    connect(BBack, &TZDButton::clicked, this, &TForm1::BBackClick);
    connect(BNext, &TZDButton::clicked, this, &TForm1::BNextClick);
    connect(BPrev, &TZDButton::clicked, this, &TForm1::BPrevClick);
    connect(TimerFreez, &QTimer::timeout, this, &TForm1::TimerFreezTimer);
    connect(ButtonOpen, &TZDButton::clicked, this, &TForm1::ButtonOpenClick);
    connect(ButtonOpenTXT, &TZDButton::clicked, this, &TForm1::ButtonOpenTXTClick);
    connect(MenuTXT->actions().last(), &QAction::triggered, this, &TForm1::ButtonOpenTXTClick);
    connect(ButtonPlayList, &TZDButton::clicked, this, &TForm1::ButtonPlayListClick);
    connect(ButtonSetup, &TZDButton::clicked, this, &TForm1::ButtonSetupClick);
    connect(CaptionSzpilka, &TZDButton::clicked, this, &TForm1::CaptionSzpilkaClick);
    connect(CaptionMin, &TZDButton::clicked, this, &TForm1::CaptionMinClick);
    connect(CaptionClose, &TZDButton::clicked, this, [this] { close(); });
    connect(Wicejofiltrach1, &QAction::triggered, this, [this] {
        app.formFiltry()->show();
        app.formFiltry()->raise();
    });
    connect(Timer, &QTimer::timeout, this, &TForm1::TimerTimer);
    connect(ButtonUp, &TZDButton::clicked, this, &TForm1::ButtonUpClick);
    connect(ButtonDown, &TZDButton::clicked, this, &TForm1::ButtonDownClick);
    connect(ButtonPanScan, &TZDButton::clicked, this, &TForm1::ButtonPanScanToggle);
    connect(Button16x9, &TZDButton::clicked, this, &TForm1::Button16x9Click);
    connect(Button4x3, &TZDButton::clicked, this, &TForm1::Button4x3Click);
    connect(ButtonNormalSize, &TZDButton::clicked, this, &TForm1::ButtonNormalSizeClick);
    connect(ButtonHeightUp, &TZDButton::clicked, this, &TForm1::ButtonHeightUpClick);
    connect(ButtonHeightDown, &TZDButton::clicked, this, &TForm1::ButtonHeightDownClick);
    connectFunctionSlider();
}

void TForm1::showBuiltGraph(const QList<MediaEngine::FilterInfo> &filters)
{
    // The film's length is the position slider's range, from its beginning; a graph
    // without a length leaves the last range alone.
    if (DurationMs > 0) {
        SliderPos->setRange(0, int(qMin<qint64>(DurationMs, INT_MAX)));
        SliderPos->setValue(0);
    }

    // The filter items of the last film go; the separator and "Więcej o filtrach..." stay.
    const QList<QAction *> items = MenuFiltry->actions();
    for (int i = 0; i + 2 < items.size(); ++i)
        delete items[i];
    LFunction->setEnabled(true);
    SliderFUN->setEnabled(true);
    QAction *fixed = MenuFiltry->actions().value(0);
    for (const MediaEngine::FilterInfo &filter : filters) {
        if (!filter.hasPropertyPage)
            continue;
        auto *item = new QAction(filter.name, MenuFiltry);
        connect(item, &QAction::triggered, this,
                [this, name = filter.name] { app.formFiltry()->ShowPropertyPage(name); });
        MenuFiltry->insertAction(fixed, item);
    }
}

void TForm1::RestoreVolume(int level)
{
    VolumeLevel = qBound(-5, level, 5);
    // At start the slider stands on the volume mode and shows it.
    if (BFunction->tag() == FunctionSlider::Volume)
        SliderFUN->setValue(VolumeLevel);
}

void TForm1::RestoreRepeat(bool on) { BRepeat->setDown(on); }

void TForm1::ButtonPanScanToggle()
{
    // A plain button in the panel's layout: a click flips it before the placement reads it.
    ButtonPanScan->setDown(!ButtonPanScan->down());
    ButtonPanScanClick();
}

bool TForm1::pinned() const { return CaptionSzpilka->tag() == 0; }

// --- window shape and behaviour --------------------------------------------------------

void TForm1::RebuildRegion()
{
    // A skin supplies its own shape; the designed panel is its client area with three
    // strips cut from the bottom edge.
    if (m_skinFlag == 1) {
        setFixedSize(m_background.size());
        setMask(m_skinShape);
        update();
        return;
    }
    setMinimumSize(PanelGeometry::ClientWidth, PanelGeometry::ClientHeight);
    setMaximumSize(PanelGeometry::ClientWidth, PanelGeometry::ClientHeight);
    QRegion region;
    for (const QRect &r : PanelGeometry::unskinnedRegion(size()))
        region += r;
    setMask(region);
    update();
}

void TForm1::showEvent(QShowEvent *event)
{
    PlayerWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        if (QScreen *s = screen()) {
            const QRect area = s->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
        RebuildRegion();
    }
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    PlayerWindow::resizeEvent(event);
    RebuildRegion();
}

void TForm1::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        RebuildRegion();
    if (event->type() == QEvent::WindowStateChange) {
        auto *e = static_cast<QWindowStateChangeEvent *>(event);
        const bool wasMin = e->oldState() & Qt::WindowMinimized;
        const bool isMin = windowState() & Qt::WindowMinimized;
        if (isMin && !wasMin)
            AppEventsMinimize();
        else if (wasMin && !isMin)
            AppEventsRestore();
    }
    PlayerWindow::changeEvent(event);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || w->window() != this)
        return PlayerWindow::eventFilter(watched, event);
    const bool dragSource = w == Image1 || w == StatusFileName || w == StatusRoz
                            || w == StatusTime || w == ProgName || w == LFunction;
    if (w == SliderPos && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove)) {
        // The slider seeks where it is pressed or dragged with the left button alone.
        auto *e = static_cast<QMouseEvent *>(event);
        app.form2()->restartCursorTimer();
        if (e->buttons() == Qt::LeftButton && e->modifiers() == Qt::NoModifier && SliderPos->isEnabled()) {
            sliderSeek(int(e->position().x()));
            return true;
        }
        return event->type() == QEvent::MouseButtonPress && e->button() == Qt::LeftButton;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::RightButton) {
            app.form2()->ShowPopupMenu(e->globalPosition().toPoint());
            return true;
        }
        if (dragSource && e->button() == Qt::LeftButton) {
            app.dragging = true;
            m_dragPress = e->globalPosition().toPoint();
            return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (dragSource && app.dragging) {
            const QPoint now = e->globalPosition().toPoint();
            move(PanelGeometry::dragged(pos(), m_dragPress, now));
            m_dragPress = now;
        }
        app.form2()->restartCursorTimer();
        break;
    }
    case QEvent::MouseButtonRelease:
        if (dragSource && app.dragging) {
            app.dragging = false;
            if (app.fullScreenActive()) {
                FullScreenPanelLeft = x();
                FullScreenPanelTop = y();
            }
            return true;
        }
        break;
    default:
        break;
    }
    return PlayerWindow::eventFilter(watched, event);
}

void TForm1::CaptionSzpilkaClick()
{
    // The button's latched state is the picture; the tag is what the idle handler reads.
    CaptionSzpilka->setTag(CaptionSzpilka->tag() == 0 ? 1 : 0);
}

void TForm1::CaptionMinClick()
{
    for (QWidget *w : app.windows())
        if (w != this && w->isVisible())
            w->showMinimized();
    showMinimized();
}

void TForm1::AppEventsMinimize()
{
    Minimized = true;
    if (app.form2()->isVisible() && app.form4()->StopAfterMin->isChecked())
        BPauseClick();
}

void TForm1::AppEventsRestore()
{
    Minimized = false;
    for (QWidget *w : app.windows())
        if (w != this && (w->windowState() & Qt::WindowMinimized))
            w->showNormal();
    BPlayClick();
}

void TForm1::ButtonPlayListClick()
{
    QWidget *list = app.formPlayList();
    if (app.fullScreenActive()) {
        QWidget *video = app.form2();
        if (list->y() + list->height() > video->height())
            list->move(list->x(), 0);
        if (list->x() + list->width() > video->width())
            list->move(0, list->y());
    }
    if (list->isVisible()) {
        list->close();
    } else {
        list->show();
        list->raise();
    }
}

void TForm1::LastOpenClick(const QString &path)
{
    PendingHandOver = path;
    AppEventsIdle();
}

void TForm1::ButtonSetupClick()
{
    app.form4()->show();
    app.form4()->raise();
    app.form4()->activateWindow();
}

// --- closing ---------------------------------------------------------------------------

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    event->accept();
    emit app.closed();
}

void TForm1::FormClose()
{
    if (MediaMode == ModeCd) {
        app.cdAudio().send(QStringLiteral("stop cd"));
        app.cdAudio().send(QStringLiteral("close cd"));
    }
    app.screenSaver().release();
    Timer->stop();
    emit closing();
    if (MediaMode != ModeCd) {
        const qint64 position = app.form2()->engine().position();
        if (position >= 0)
            ResumePos = position;
    }
    BStopClick();
    app.form4()->writeRunValues();
}
