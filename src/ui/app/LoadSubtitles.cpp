// Finding, offering and reading the subtitle file of a film, and matching it as it plays.
#include "ui/app/TForm1.h"

#include "core/SubtitleCandidates.h"
#include "core/SubtitleParser.h"
#include "core/SubtitleTiming.h"
#include "core/TextDecoding.h"
#include "ui/app/Dialogs.h"
#include "ui/app/ExactSubtitles.h"
#include "ui/app/Player.h"
#include "ui/osd/TFormOSD.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTimer>

bool TForm1::rebuildSubtitleMenu()
{
    // Everything but the separator and "Szukaj innych plików z napisami..." goes.
    const QList<QAction *> items = MenuTXT->actions();
    for (int i = 0; i + 2 < items.size(); ++i)
        delete items[i];
    ButtonOpenTXT->setDropDownMenu(nullptr);

    SubtitleCandidates::Input in;
    const QDir here = QDir::current();
    for (const QString &mask : SubtitleCandidates::masks())
        in.localByMask << here.entryList({mask}, QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    in.localDir = here.absolutePath();
    in.folder = app.form4()->DirectoryTXT->text();
    if (!in.folder.isEmpty())
        in.folderTxt = QDir(in.folder).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Unsorted);
    in.current = DialogFileNameTXT;
    in.medium = OpenMovieFileName;
    in.allToMenu = app.form4()->AllTXTToMenu->isChecked();
    const SubtitleCandidates::Result result = SubtitleCandidates::choose(in);

    auto *group = MenuTXT->findChild<QActionGroup *>(QStringLiteral("MenuTXTGroup"));
    if (!group) {
        group = new QActionGroup(MenuTXT);
        group->setObjectName(QStringLiteral("MenuTXTGroup"));
    }
    QAction *fixed = MenuTXT->actions().value(0);
    for (const SubtitleCandidates::Item &c : result.items) {
        auto *item = new QAction(c.caption, MenuTXT);
        item->setCheckable(true);
        item->setChecked(c.checked);
        item->setData(c.path);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, item] { MenuTXTClick(item); });
        MenuTXT->insertAction(fixed, item);
    }
    if (result.dropDown)
        ButtonOpenTXT->setDropDownMenu(MenuTXT);
    DialogFileNameTXT = result.current;
    if (!result.load)
        NapisyCheck->setDown(false);
    return result.load;
}

void TForm1::LoadTXT(bool rebuildMenu)
{
    if (rebuildMenu && !rebuildSubtitleMenu()) {
        listTextTracks();
        return;
    }
    if (rebuildMenu)
        listTextTracks();
    if (DialogFileNameTXT.isEmpty())
        return;

    QStringList lines;
    QString error, encoding;
    if (!readSubtitleFile(DialogFileNameTXT, &lines, &error, &encoding)) {
        // The list keeps what it had; the user learns which file failed and why.
        app.dialogs().message(this, QMessageBox::Warning, QStringLiteral("Brivara"), error);
        return;
    }
    leaveTextTrack();
    // The manual frame rate, when it is on, overrides the film's and the file's own.
    const bool manualRate = app.form4()->CFrameToSec->isChecked();
    const ParsedSubtitles parsed = parseSubtitles(lines, DialogFileNameTXT,
                                                  manualRate ? app.form4()->EFrameToSec->value() : FrameRate,
                                                  !manualRate);
    if (!parsed.detected || parsed.entries.isEmpty()) {
        // Nothing to show: the old film's subtitles must not stay on under this one's name.
        app.form4()->setSubtitles({}, parsed.rawLines);
        NapisyCheck->setDown(false);
        // After the rest of an open (its "PLAY" would cover the message at once).
        const QString message = QStringLiteral("Brak napisów w pliku ") + QFileInfo(DialogFileNameTXT).fileName();
        QTimer::singleShot(0, this, [this, message] { app.formOSD()->ShowOSD(message); });
        return;
    }
    app.form4()->setSubtitles(parsed.entries, parsed.rawLines, encoding);
    NapisyCheck->setDown(true);
}

void TForm1::ButtonOpenTXTClick()
{
    app.dialogOpen = true;
    const QStringList files = app.dialogs().openFiles(
        this, QStringLiteral("Brivara - Wybierz Tekst"), QDir::currentPath(),
        {QStringLiteral("Teksty do Filmów (*.txt *.sub *.srt *.ssa *.smi *.ass *.vtt)"),
         QStringLiteral("Wszystkie Pliki (*)")},
        false);
    app.dialogOpen = false;
    if (files.isEmpty())
        return;
    DialogFileNameTXT = files.first();
    LoadTXT(true);
}

void TForm1::MenuTXTClick(QAction *item)
{
    item->setChecked(true);
    DialogFileNameTXT = item->data().toString();
    LoadTXT(false);
}

ExactSubtitles &TForm1::exactSubtitles()
{
    if (!m_exact)
        m_exact = new ExactSubtitles(app, this);
    return *m_exact;
}

void TForm1::matchSubtitles()
{
    TForm4 *setup = app.form4();
    const auto found = SubtitleTiming::match(setup->subtitles(), SubtitleTiming::clockText(SubtitleClock),
                                             setup->SubtitleMarker);
    if (!found || !found->show)
        return;
    app.form3()->ShowSubtitle(found->text, false, found->gapToNext);
    setup->SubtitleMarker = found->row;
    setup->ShowSubtitleRow(found->row);
}
