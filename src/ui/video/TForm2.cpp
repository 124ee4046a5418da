#include "ui/video/TForm2.h"

#include "core/Version.h"
#include "engine/MediaEngine.h"
#include "ui/app/FileDrops.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/osd/TFormOSD.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/PageInfo.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TDXDraw.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

TForm2::TForm2(Player &app, std::unique_ptr<MediaEngine> engine)
    : PlayerWindow(app, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::WindowMinMaxButtonsHint),
      m_engine(std::move(engine))
{
    setWindowTitle(QStringLiteral("Brivara"));
    resize(500, 275);
    setMaximumSize(1600, 1200);
    setAcceptDrops(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Panel = new QWidget(this);
    Panel->setObjectName("Panel");
    Panel->setAutoFillBackground(true);
    QPalette p = Panel->palette();
    p.setColor(QPalette::Window, Qt::black);
    Panel->setPalette(p);
    Panel->setToolTip(QStringLiteral("Prawy klawisz myszki to menu!"));
    Panel->setContextMenuPolicy(Qt::NoContextMenu); // the right button is handled on press
    layout->addWidget(Panel);

    // The maker's address on the empty picture; the film covers it once it plays.
    auto *panelLayout = new QVBoxLayout(Panel);
    PanelCaption = new QLabel(QString::fromLatin1(Brivara::WebAddress), Panel);
    PanelCaption->setObjectName("PanelCaption");
    PanelCaption->setAlignment(Qt::AlignCenter);
    PanelCaption->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The address must never hold the window wider than the picture it stands in for.
    PanelCaption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(43);
    f.setBold(true);
    f.setItalic(true);
    PanelCaption->setFont(f);
    PanelCaption->setStyleSheet(QStringLiteral("color: blue;"));
    panelLayout->addWidget(PanelCaption);

    TimerCursor = new QTimer(this);
    TimerCursor->setObjectName("TimerCursor");
    TimerCursor->setInterval(5000);

    // The display-mode object lives as long as the window that shows full screen.
    DXDraw = std::make_unique<TDXDraw>(app, app.displayModes());

    OpenUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    buildPopupMenu();
    connectGeometry();
    followPanel();
    connectFullScreen();
    connectMenuActions();
    connect(m_engine.get(), &MediaEngine::complete, this, [this] { this->app.form1()->EndOfMedia(); });
    connect(m_engine.get(), &MediaEngine::textCue, this,
            [this](const MediaEngine::TextCue &cue) { this->app.form1()->TextCueArrived(cue); });
    // A film that breaks while it plays says why, as the engine's other messages do.
    connect(m_engine.get(), &MediaEngine::errorOccurred, this,
            [this](const QString &message) { this->app.formOSD()->ShowOSD(message); });
    // Moves without a button hide the pointer, show the progress strip and end a drag.
    setMouseTracking(true);
    Panel->setMouseTracking(true);
    Panel->installEventFilter(this);
    installEventFilter(this);

}

TForm2::~TForm2()
{
    // The engine's picture lives inside Panel: let it go before the widgets do.
    if (m_engine)
        m_engine->release();
}

void TForm2::followPanel()
{
    TForm1 *panel = app.form1();
    // The picture stops explaining itself once a film is on its way; the title names it.
    connect(panel, &TForm1::mediumOpening, this, [this](const QString &path) {
        Panel->setToolTip(QString());
        PanelCaption->clear();
        setWindowTitle(QStringLiteral("Brivara: ") + QFileInfo(path).fileName());
    });
    connect(panel, &TForm1::closing, TimerCursor, &QTimer::stop);
}

void TForm2::ShowPopupMenu(const QPoint &globalPos) { PopupMenu->popup(globalPos); }

void TForm2::ShowAspect(PictureGeometry::Aspect aspect)
{
    using PictureGeometry::Aspect;
    (aspect == Aspect::Wide16x9 ? N16x91 : aspect == Aspect::Tv4x3 ? N431 : Oryginal1)->setChecked(true);
}

void TForm2::ShowFreeAspect(bool on) { Dowolny1->setChecked(on); }
void TForm2::RestoreFullScreenOn2(bool on) { FullScreenonMonitor2->setChecked(on); }
void TForm2::RestoreAutoResume(bool on) { AutoResume->setChecked(on); }

void TForm2::restartCursorTimer()
{
    TimerCursor->stop();
    TimerCursor->start();
}

void TForm2::buildPopupMenu()
{
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName("PopupMenu");
    auto item = [this](QMenu *menu, QAction *&member, const char *name, const QString &caption) {
        member = menu->addAction(caption);
        member->setObjectName(name);
        return member;
    };
    auto submenu = [this](QMenu *&member, const char *name, const QString &caption) {
        member = PopupMenu->addMenu(caption);
        member->setObjectName(name);
        member->menuAction()->setObjectName(QString::fromLatin1(name) + "Item");
        return member;
    };
    auto check = [](QAction *a, bool on) {
        a->setCheckable(true);
        a->setChecked(on);
    };

    item(PopupMenu, PauzaPlay1, "PauzaPlay1", "Pauza/Play");
    item(PopupMenu, WPrzd1, "WPrzd1", "Przewiń w Przód");
    item(PopupMenu, WTy1, "WTy1", "Przewiń w Tył");
    item(PopupMenu, Nastpny1, "Nastpny1", "Następny");
    item(PopupMenu, Poprzedni1, "Poprzedni1", "Poprzedni");
    item(PopupMenu, PanScan1, "PanScan1", "PanScan");
    item(PopupMenu, Powiksz1, "Powiksz1", "Powiększ");
    item(PopupMenu, Pomniejsz1, "Pomniejsz1", "Pomniejsz");
    item(PopupMenu, ColorControl1, "ColorControl1", "Color Control")->setEnabled(false);
    submenu(MSkin, "MSkin", "Skórka")->setEnabled(false);
    submenu(AspectRatio1, "AspectRatio1", "Aspect Ratio");
    auto *aspect = new QActionGroup(this);
    for (auto [member, name, caption] :
         {std::tuple{&Oryginal1, "Oryginal1", "Oryginal"}, std::tuple{&N16x91, "N16x91", "16:9"},
          std::tuple{&N431, "N431", "4:3"}, std::tuple{&Dowolny1, "Dowolny1", "Dowolny"}}) {
        item(AspectRatio1, *member, name, QString::fromUtf8(caption));
        check(*member, member == &Oryginal1);
        aspect->addAction(*member);
    }
    // Free aspect is a switch of its own beside the three shapes.
    aspect->removeAction(Dowolny1);
    item(PopupMenu, NapisyPodObrazem1, "NapisyPodObrazem1", "Napisy Pod Obrazem");
    item(PopupMenu, FilmwOknie1, "FilmwOknie1", "Film w Oknie/FullScreen");
    item(PopupMenu, PlayLista1, "PlayLista1", "PlayLista");
    item(PopupMenu, MShowPanel, "MShowPanel", "Widoczny Panel Sterujący");
    MShowPanel->setCheckable(true);
    MShowPanel->setChecked(true);
    PopupMenu->addSeparator();
    check(item(PopupMenu, FullScreenonMonitor2, "FullScreenonMonitor2", "FullScreen na Monitorze 2"),
          false);
    // Full screen on a second monitor needs one at start.
    FullScreenonMonitor2->setEnabled(QGuiApplication::screens().size() > 1);
    PopupMenu->addSeparator();
    submenu(MLastOpen, "MLastOpen", "Ostatnio Otwarte")->setEnabled(false);
    MLastOpen->addSeparator();
    item(MLastOpen, MClearLastOpen, "MClearLastOpen", "Kasuj Liste");
    check(item(PopupMenu, AutoResume, "AutoResume", "AutoResume"), false);
    check(item(PopupMenu, CloseMonitor, "CloseMonitor", "Wyłącz Monitor po Filmie"), false);
    check(item(PopupMenu, CloseSystem, "CloseSystem", "Wyłącz Komputer po Filmie"), false);
    PopupMenu->addSeparator();
    submenu(LangMenuParent, "LangMenuParent", "Język");
    auto *languages = new QActionGroup(this);
    check(item(LangMenuParent, LangMenu, "LangMenu", "Polish"), true);
    check(item(LangMenuParent, English1, "English1", "English"), false);
    languages->addAction(LangMenu);
    languages->addAction(English1);
    item(PopupMenu, MSetup, "MSetup", "Parametry Programu");
    item(PopupMenu, OProgramie1, "OProgramie1", "O Programie");
    item(PopupMenu, ZakoczProgram1, "ZakoczProgram1", "Zakończ Program");

    connect(PauzaPlay1, &QAction::triggered, this, [this] {
        if (!app.form1()->BPause->down())
            app.form1()->BPauseClick();
        else
            app.form1()->BPlayClick();
    });
    connect(PlayLista1, &QAction::triggered, this, [this] { app.form1()->ButtonPlayListClick(); });
    connect(MShowPanel, &QAction::triggered, this, [this] { MShowPanelClick(); });
    connect(MClearLastOpen, &QAction::triggered, this, [this] { MClearLastOpenClick(); });
    connect(MSetup, &QAction::triggered, this, [this] { app.form1()->ButtonSetupClick(); });
    connect(OProgramie1, &QAction::triggered, this, [this] {
        app.form4()->ShowPage(app.form4()->SetupInfo);
        app.form1()->ButtonSetupClick();
    });
    connect(ZakoczProgram1, &QAction::triggered, this, [this] { app.form1()->close(); });
    connect(PopupMenu, &QMenu::aboutToShow, this, [this] { restartCursorTimer(); });
}

void TForm2::addRecentFile(const QString &path)
{
    auto *item = new QAction(path, MLastOpen);
    connect(item, &QAction::triggered, this, [this, item] { app.form1()->LastOpenClick(item->text()); });
    MLastOpen->insertAction(MLastOpen->actions().value(0), item);
    MLastOpen->setEnabled(true);
    // Nine files plus the two fixed items.
    const QList<QAction *> items = MLastOpen->actions();
    if (items.size() > 11)
        delete items[9];
}

QStringList TForm2::recentFiles() const
{
    QStringList files;
    const QList<QAction *> items = MLastOpen->actions();
    for (int i = 0; i + 2 < items.size(); ++i)
        files << items[i]->text();
    return files;
}

void TForm2::MShowPanelClick()
{
    // The action has already flipped its own check by the time we get here.
    const bool shown = MShowPanel->isChecked();
    MShowPanel->setText(app.messages().text(shown ? 16 : 17));
    app.form1()->setVisible(shown);
}

void TForm2::MClearLastOpenClick()
{
    // Every file goes; the separator and this item always stay.
    while (MLastOpen->actions().size() >= 3)
        delete MLastOpen->actions().first();
}

void TForm2::dragEnterEvent(QDragEnterEvent *event) { FileDrops::acceptFiles(event); }

void TForm2::dropEvent(QDropEvent *event) { app.form1()->DropFiles(FileDrops::takeFiles(event)); }

void TForm2::resizeEvent(QResizeEvent *event)
{
    PlayerWindow::resizeEvent(event);
    // The hook may correct the size once; a size the window cannot take (its maximum)
    // must not start a tug of war.
    const QSize allowed = FormCanResize(size());
    if (allowed != size() && m_resizeDepth < 2) {
        ++m_resizeDepth;
        resize(allowed);
        --m_resizeDepth;
    }
    FormResize();
}

void TForm2::closeEvent(QCloseEvent *event)
{
    // The video window cannot outlive the panel: closing it ends the program.
    event->accept();
    QTimer::singleShot(0, app.form1(), [this] { app.form1()->close(); });
}

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != this && watched != Panel)
        return PlayerWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ChildAdded:
        // The engine's picture is a native child of the panel: without tracking of its
        // own, the pointer's moves over the picture would never reach the panel.
        if (auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
            child->setMouseTracking(true);
        return false;
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (app.formOSD()->countdownRunning()) {
            app.formOSD()->breakCountdown();
            return true;
        }
        const QPoint client = mapFromGlobal(e->globalPosition().toPoint());
        if (e->button() == Qt::RightButton) {
            // In a window the menu opens where a standard frame puts the pointer; in full
            // screen the client area is the screen, so at the pointer itself.
            ShowPopupMenu(DXDraw->Active() ? mapToGlobal(client) : pos() + client + QPoint(3, 20));
        } else if (e->button() == Qt::LeftButton) {
            m_dragging = !m_dragging;
            m_dragStart = client;
            if (DXDraw->Active())
                fullScreenLeftClick();
        }
        return true;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (DXDraw->Active()) {
            fullScreenMouseMove(e->globalPosition().toPoint());
        } else {
            restartCursorTimer();
            if (m_dragging)
                move(pos() + mapFromGlobal(e->globalPosition().toPoint()) - m_dragStart);
        }
        return false;
    }
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        return false;
    case QEvent::MouseButtonDblClick:
        m_dragging = false;
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && !DXDraw->Active())
            ButtonFullScreenClick();
        return true;
    case QEvent::Wheel:
        app.form1()->SliderFUNWheel(static_cast<QWheelEvent *>(event));
        return true;
    default:
        return PlayerWindow::eventFilter(watched, event);
    }
}
