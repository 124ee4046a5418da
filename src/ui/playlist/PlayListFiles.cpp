// The playlist's files: opening, saving and the listing for printing.
#include "ui/playlist/TFormPlayList.h"

#include "core/PlaylistFiles.h"
#include "core/PlaylistModel.h"
#include "core/TextFile.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"

#include <QFileInfo>
#include <QTableView>

using namespace PlaylistEntry;

namespace {

const QString ListTitleSave = QStringLiteral("Zapisz PlayListe w:");
const QString ListTitleOpen = QStringLiteral("Otwórz PlayListe z:");
const QString DefaultListName = QStringLiteral("PlayList.zdl");

QList<Row> entries(const PlaylistModel &model)
{
    QList<Row> rows;
    rows.reserve(model.entryCount());
    for (int i = 0; i < model.entryCount(); ++i)
        rows.append(model.row(i));
    return rows;
}

} // namespace

void TFormPlayList::ReadPlayList(const QString &fileName)
{
    PlayList->setColumnWidth(Size, 50);
    BClearClick();
    const PlaylistFiles::ReadResult read = PlaylistFiles::read(fileName);
    if (!read.ok) {
        app.dialogs().message(this, QMessageBox::Warning, windowTitle(), read.error);
        return;
    }
    // One insertion for the whole file: a list of many thousands shows at once.
    const QString missing = app.messages().text(15);
    const bool limited = searchPanelShown();
    QList<Row> rows;
    rows.reserve(read.items.size());
    for (const PlaylistFiles::Item &item : read.items) {
        std::optional<double> size;
        Row row = fromDisk(item.path, missing, &size);
        if (limited && size && !withinSearchLimits(*size))
            continue;
        if (!item.time.isEmpty()) {
            row[Time] = item.time;
            row[Resolution] = item.resolution;
        }
        rows.append(std::move(row));
    }
    m_model->appendAll(rows);
    entriesAdded();
    setPendingTexts({}, {});
}

void TFormPlayList::BOpenClick()
{
    app.dialogOpen = true;
    const QString folder = !DirPlayList.isEmpty() ? DirPlayList : QFileInfo(FilePlayList).absolutePath();
    const QStringList chosen = app.dialogs().openFiles(
        this, ListTitleOpen, folder,
        {QStringLiteral("Pliki PlayListy (*.zdl *.m3u *.m3u8 *.pls)"), QStringLiteral("Wszystkie Pliki (*)")}, false);
    if (!chosen.isEmpty()) {
        FilePlayList = chosen.first();
        DirPlayList = QFileInfo(FilePlayList).absolutePath();
        ReadPlayList(FilePlayList);
    }
    app.dialogOpen = false;
}

void TFormPlayList::BSaveClick()
{
    app.dialogOpen = true;
    const QString name = FilePlayList.isEmpty() ? DefaultListName : QFileInfo(FilePlayList).fileName();
    const QString chosen = app.dialogs().saveFile(
        this, ListTitleSave, DirPlayList, name,
        {QStringLiteral("Pliki PlayListy (*.zdl)"), QStringLiteral("PlayLista M3U8 (*.m3u8)"),
         QStringLiteral("Wszystkie Pliki (*)")},
        QStringLiteral("zdl"));
    if (!chosen.isEmpty()) {
        FilePlayList = chosen;
        QString error;
        int skipped = 0;
        if (!PlaylistFiles::write(chosen, entries(*m_model), &error, &skipped))
            app.dialogs().message(this, QMessageBox::Warning, windowTitle(), error);
        else if (skipped > 0)
            app.dialogs().message(this, QMessageBox::Warning, windowTitle(),
                                  QStringLiteral("%1: pominięto pozycje ze znakiem sterującym (np. końcem wiersza) w nazwie (%2)")
                                      .arg(chosen).arg(skipped));
    }
    app.dialogOpen = false;
}

void TFormPlayList::ZDButton1Click()
{
    app.dialogOpen = true;
    const QString chosen = app.dialogs().saveFile(this, ListTitleSave, DirPlayList,
                                                  QStringLiteral("MyMovieSound.txt"), {}, QStringLiteral("txt"));
    if (!chosen.isEmpty()) {
        QString error;
        if (!TextFile::writeLines(chosen, PlaylistFiles::printLines(entries(*m_model)), &error))
            app.dialogs().message(this, QMessageBox::Warning, windowTitle(), error);
    }
    app.dialogOpen = false;
}
