#include "ui/playlist/TFormPlayList.h"

#include "core/PlaylistModel.h"
#include "core/PlaylistSteps.h"
#include "ui/app/Dialogs.h"
#include "ui/app/FileDrops.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/skins/DefaultGlyphs.h"
#include "ui/skins/TZDButton.h"

#include <QDateTime>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QTableView>
#include <QVBoxLayout>

using namespace PlaylistEntry;

TFormPlayList::TFormPlayList(Player &app)
    : PlayerWindow(app, Qt::Window | Qt::WindowStaysOnTopHint),
      m_model(new PlaylistModel(this)),
      m_search(new MediaSearchTask(this)),
      m_random(quint32(QDateTime::currentMSecsSinceEpoch()))
{
    setWindowTitle(QStringLiteral("Brivara - PlayList (Lista plików)"));
    resize(338, 300);
    setMinimumSize(323, 150);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    PlayList = new QTableView(this);
    PlayList->setObjectName("PlayList");
    PlayList->setModel(m_model);
    const int widths[] = {25, 200, 30, 50, 64, 64, 500};
    for (int c = 0; c < ColumnCount; ++c)
        PlayList->setColumnWidth(c, widths[c]);
    PlayList->verticalHeader()->hide();
    PlayList->verticalHeader()->setDefaultSectionSize(16);
    PlayList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    PlayList->horizontalHeader()->setSectionsClickable(true);
    PlayList->horizontalHeader()->setHighlightSections(false);
    PlayList->setSelectionBehavior(QAbstractItemView::SelectRows);
    PlayList->setSelectionMode(QAbstractItemView::SingleSelection);
    PlayList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PlayList->setWordWrap(false);
    PlayList->setToolTip(QStringLiteral("Kliknij, aby obejrzeć film!"));
    PlayList->viewport()->installEventFilter(this);
    layout->addWidget(PlayList, 1);

    buildSearchPanel();
    layout->addWidget(SpeedBar2);
    buildButtonBar();
    connectControls();
}

TFormPlayList::~TFormPlayList() = default;

void TFormPlayList::buildButtonBar()
{
    // Buttons stand side by side at fixed places; those past the window's edge ("Save (to
    // print)") come into view when the window is widened.
    auto *bar = new QWidget(this);
    bar->setObjectName("PlayListBar");
    bar->setFixedHeight(22);
    layout()->addWidget(bar);
    int x = 0;
    auto button = [&](TZDButton *&member, const char *name, const QString &hint, const QString &caption = {},
                      bool enabled = true, bool toggle = false) {
        member = new TZDButton(bar);
        member->setObjectName(name);
        member->setToolTip(hint);
        member->setCaption(caption);
        member->setEnabled(enabled);
        member->setButtonStyle(toggle ? TZDButton::btSpeed : TZDButton::btNormal);
        member->setGlyphUp(DefaultGlyphs::forControl(QString::fromLatin1(name)));
        const int w = caption.size() > 3 ? 90 : (caption.size() > 1 ? 30 : 22);
        member->setGeometry(x, 1, w, 20);
        if (!caption.isEmpty())
            member->setTextPosition(TZDButton::tpRight);
        x += w;
    };
    button(BPlay, "BPlay", "Play (Odtwarzaj)", {}, false);
    button(BPause, "BPause", "Pauza", {}, false);
    button(BStop, "BStop", "STOP", {}, false);
    button(BNext, "BNext", "Następny", {}, false);
    button(BPrev, "BPrev", "Poprzedni", {}, false);
    button(BRepeat, "BRepeat", "Powtarzaj w kółko całą/zaznaczoną listę", {}, true, true);
    button(BAdd, "BAdd", "Dodaj Film do listy");
    button(BDel, "BDel", "Usuń Film z Listy");
    button(BClear, "BClear", "Czyść Liste");
    button(BFind, "BFind", "Szukaj");
    button(BOpen, "BOpen", "Otwórz Listę");
    button(BSave, "BSave", "Zapisz Listę");
    button(PlayListAdv, "PlayListAdv", "More >>", ">");
    button(BRND, "BRND", "Odtwarzaj losowo", "RND", true, true);
    x += 8;
    button(ZDButton1, "ZDButton1", "", "Save (to print)");
}

void TFormPlayList::connectControls()
{
    connect(BPlay, &TZDButton::clicked, this, &TFormPlayList::BPlayClick);
    connect(BPause, &TZDButton::clicked, this, &TFormPlayList::BPauseClick);
    connect(BStop, &TZDButton::clicked, this, &TFormPlayList::BStopClick);
    connect(BNext, &TZDButton::clicked, this, &TFormPlayList::BNextClick);
    connect(BPrev, &TZDButton::clicked, this, &TFormPlayList::BPrevClick);
    connect(BAdd, &TZDButton::clicked, this, &TFormPlayList::BAddClick);
    connect(BDel, &TZDButton::clicked, this, &TFormPlayList::BDelClick);
    connect(BClear, &TZDButton::clicked, this, &TFormPlayList::BClearClick);
    connect(BFind, &TZDButton::clicked, this, &TFormPlayList::BFindClick);
    connect(BOpen, &TZDButton::clicked, this, &TFormPlayList::BOpenClick);
    connect(BSave, &TZDButton::clicked, this, &TFormPlayList::BSaveClick);
    connect(PlayListAdv, &TZDButton::clicked, this, &TFormPlayList::PlayListAdvClick);
    connect(BRND, &TZDButton::clicked, this, &TFormPlayList::BRNDClick);
    connect(ZDButton1, &TZDButton::clicked, this, &TFormPlayList::ZDButton1Click);
    connect(PlayList, &QTableView::doubleClicked, this, &TFormPlayList::PlayListDblClick);
    connect(PlayList->horizontalHeader(), &QHeaderView::sectionPressed, this, &TFormPlayList::PlayListMouseDown);
    // The control panel announces every file it opens: the entry being played gets its
    // length and picture size.
    connect(app.form1(), &TForm1::mediaOpened, this, &TFormPlayList::fillPlayedEntry);

    // Play and pause offer what the panel's state allows; a built or empty graph leaves
    // them as they were.
    TForm1 *panel = app.form1();
    m_playState = panel->PlayState.addNotifier([this, panel] {
        const int state = panel->PlayState;
        if (state == TForm1::StatePlaying || state == TForm1::StatePaused || state == TForm1::StateStopped) {
            BPlay->setEnabled(state != TForm1::StatePlaying);
            BPause->setEnabled(state == TForm1::StatePlaying);
        }
    });
    // A search still walking the disk ends with the program.
    connect(panel, &TForm1::closing, this, [this] { m_search->stop(); });
}

void TFormPlayList::RestoreRepeat(bool on) { BRepeat->setDown(on); }

// --- the list's own operations ------------------------------------------------------------

int TFormPlayList::entryCount() const { return m_model->entryCount(); }

QString TFormPlayList::cell(int row, int column) const
{
    return row >= 1 && row <= m_model->rows() && column >= 0 && column < ColumnCount ? m_model->cell(row - 1, column)
                                                                                     : QString();
}

int TFormPlayList::selectedRow() const
{
    const QModelIndex current = PlayList->currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

void TFormPlayList::selectRow(int row)
{
    if (row < 1 || row > m_model->rows())
        return;
    PlayList->setCurrentIndex(m_model->index(row - 1, 0));
    PlayList->selectRow(row - 1);
}

void TFormPlayList::setPendingTexts(const QString &time, const QString &resolution)
{
    m_pendingTime = time;
    m_pendingResolution = resolution;
}

bool TFormPlayList::searchPanelShown() const { return !SpeedBar2->isHidden(); }

void TFormPlayList::AddMovie(const QString &path)
{
    std::optional<double> size;
    Row row = fromDisk(path, app.messages().text(15), &size);
    // While the search panel shows, its size limits hold for every file added.
    if (searchPanelShown() && size && !withinSearchLimits(*size))
        return;
    if (!m_pendingTime.isEmpty()) {
        row[Time] = m_pendingTime;
        row[Resolution] = m_pendingResolution;
    }
    m_model->append(row);
    entriesAdded();
}

void TFormPlayList::entriesAdded()
{
    if (m_model->isEmpty())
        return;
    BPlay->setEnabled(true);
    BStop->setEnabled(true);
    if (m_model->entryCount() > 1)
        enableSteps(true);
    if (searchPanelShown())
        showFoundCount();
}

void TFormPlayList::enableSteps(bool on)
{
    BNext->setEnabled(on);
    BPrev->setEnabled(on);
    app.form1()->EnablePlayListSteps(on);
}

void TFormPlayList::replaceWith(const QStringList &files)
{
    BClearClick();
    setPendingTexts(QStringLiteral(" "), QStringLiteral(" "));
    for (const QString &file : files)
        AddMovie(file);
    selectRow(1);
}

void TFormPlayList::BClearClick()
{
    m_model->clear();
    enableSteps(false);
    BPlay->setEnabled(false);
    BStop->setEnabled(false);
    BPause->setEnabled(false);
}

void TFormPlayList::BDelClick()
{
    if (m_model->entryCount() <= 1) {
        BClearClick();
        return;
    }
    const int selected = selectedRow();
    m_model->removeEntry(selected - 1);
    selectRow(qMin(selected, m_model->rows()));
    if (m_model->entryCount() < 2)
        enableSteps(false);
}

void TFormPlayList::BAddClick()
{
    app.dialogOpen = true;
    setPendingTexts(QStringLiteral(" "), QStringLiteral(" "));
    const QStringList files = app.dialogs().openFiles(this, TForm1::OpenMovieTitle(), app.form1()->LastDir,
                                                      TForm1::OpenMovieFilters(), true);
    for (const QString &file : files)
        AddMovie(file);
    app.dialogOpen = false;
}

void TFormPlayList::playRow(int row)
{
    const QString path = cell(row, Path);
    if (path.isEmpty())
        return;
    TForm1 *panel = app.form1();
    panel->OpenMovieFileName = path;
    panel->OpenGivenFile = true;
    panel->ButtonOpenClick();
}

void TFormPlayList::fillPlayedEntry(const QString &path)
{
    const int row = selectedRow();
    if (cell(row, Path) != path)
        return;
    TForm1 *panel = app.form1();
    m_model->setCell(row - 1, Time, panel->DurationText);
    m_model->setCell(row - 1, Resolution, panel->StatusRozText());
}

void TFormPlayList::BPlayClick() { playRow(selectedRow()); }
void TFormPlayList::PlayListDblClick() { BPlayClick(); }
void TFormPlayList::BStopClick() { app.form1()->BStopClick(); }
void TFormPlayList::BPauseClick() { app.form1()->BPauseClick(); }

void TFormPlayList::BNextClick()
{
    if (const auto next = PlaylistSteps::next(selectedRow(), m_model->rows(), BRepeat->down(), BRND->down(), m_random)) {
        selectRow(*next);
        playRow(*next);
    }
}

void TFormPlayList::BPrevClick()
{
    if (const auto prev = PlaylistSteps::previous(selectedRow(), m_model->rows(), BRepeat->down(), BRND->down(), m_random)) {
        selectRow(*prev);
        playRow(*prev);
    }
}

void TFormPlayList::BRNDClick() { m_random.seed(quint32(QDateTime::currentMSecsSinceEpoch())); }

void TFormPlayList::PlayListAdvClick() { resize(640, height()); }

void TFormPlayList::PlayListMouseDown(int headingColumn)
{
    if (headingColumn >= 0)
        m_model->sortByColumn(headingColumn);
    else
        m_model->renumber();
}

void TFormPlayList::PlayListRowMoved(int from, int to)
{
    m_model->moveEntry(from - 1, to - 1);
    selectRow(to);
}

void TFormPlayList::DropFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        AddMovie(path);
}

// --- events ---------------------------------------------------------------------------------

void TFormPlayList::showEvent(QShowEvent *event)
{
    // Drops are taken once the window has been on screen.
    setAcceptDrops(true);
    PlayerWindow::showEvent(event);
}

void TFormPlayList::dragEnterEvent(QDragEnterEvent *event) { FileDrops::acceptFiles(event); }

void TFormPlayList::dropEvent(QDropEvent *event) { DropFiles(FileDrops::takeFiles(event)); }

bool TFormPlayList::eventFilter(QObject *watched, QEvent *event)
{
    // A row dragged to another row moves there.
    if (watched == PlayList->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            m_pressRow = mouse->button() == Qt::LeftButton ? PlayList->rowAt(mouse->position().toPoint().y()) : -1;
            m_pressAt = mouse->position().toPoint();
            PlayListMouseDown(-1);
        } else if (event->type() == QEvent::MouseButtonRelease && m_pressRow >= 0) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            const int to = PlayList->rowAt(mouse->position().toPoint().y());
            const bool dragged = (mouse->position().toPoint() - m_pressAt).manhattanLength() >= 4;
            const int from = m_pressRow;
            m_pressRow = -1;
            if (dragged && to >= 0 && to != from && !m_model->isEmpty())
                PlayListRowMoved(from + 1, to + 1);
        }
    }
    return PlayerWindow::eventFilter(watched, event);
}
