#include "ui/playlist/TFormPlayList.h"

#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/skins/DefaultGlyphs.h"
#include "ui/skins/TZDButton.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

TFormPlayList::TFormPlayList(Player &app)
    : PlayerWindow(app, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Brivara - PlayList (Lista plików)"));
    resize(338, 300);
    setMinimumSize(323, 150);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    PlayList = new QTableWidget(2, 7, this);
    PlayList->setObjectName("PlayList");
    PlayList->setHorizontalHeaderLabels({"Lp", "Nazwa Pliku", "Ext", "Size [MB]", "Time", "Res.",
                                         "Directory (Location)"});
    const int widths[] = {25, 200, 30, 50, 64, 64, 500};
    for (int c = 0; c < 7; ++c)
        PlayList->setColumnWidth(c, widths[c]);
    PlayList->verticalHeader()->hide();
    PlayList->verticalHeader()->setDefaultSectionSize(16);
    PlayList->setSelectionBehavior(QAbstractItemView::SelectRows);
    PlayList->setToolTip(QStringLiteral("Kliknij, aby obejrzeć film!"));
    // Row 0 of the grid is its heading; the header row stands for it, leaving one empty entry row.
    PlayList->setRowCount(1);
    layout->addWidget(PlayList, 1);

    auto *bar = new QHBoxLayout;
    bar->setSpacing(0);
    layout->addLayout(bar);
    auto button = [&](TZDButton *&member, const char *name, const QString &hint,
                      const QString &caption = {}, bool enabled = true, bool toggle = false) {
        member = new TZDButton(this);
        member->setObjectName(name);
        member->setToolTip(hint);
        member->setCaption(caption);
        member->setEnabled(enabled);
        member->setButtonStyle(toggle ? TZDButton::btSpeed : TZDButton::btNormal);
        member->setGlyphUp(DefaultGlyphs::forControl(QString::fromLatin1(name)));
        member->setFixedSize(caption.size() > 3 ? 90 : 22, 20);
        if (!caption.isEmpty())
            member->setTextPosition(TZDButton::tpRight);
        bar->addWidget(member);
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
    button(ZDButton1, "ZDButton1", "", "Save (to print)");
    bar->addStretch(1);

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
}

void TFormPlayList::RestoreRepeat(bool on) { BRepeat->setDown(on); }

// The list's own add, order and file handling arrive with the playlist; until then a
// multiple choice keeps only the file that is opened.
void TFormPlayList::replaceWith(const QStringList &) {}
