// An audio disc's tracks in the list.
#include "ui/playlist/TFormPlayList.h"

#include "ui/skins/TZDButton.h"

#include <QTableWidget>

namespace {
enum Column { Number, Name, Ext, Size, Time, Resolution, Location };
}

void TFormPlayList::ShowDiscTracks(const QList<DiscTrack> &tracks)
{
    PlayList->clearContents();
    // The grid keeps one (empty) entry row; the first track fills it.
    PlayList->setRowCount(qMax<qsizetype>(1, tracks.size()));
    if (tracks.isEmpty())
        return;
    // A track has no size on disk: the size column goes.
    PlayList->setColumnWidth(Size, 0);
    for (int row = 0; row < tracks.size(); ++row) {
        const DiscTrack &t = tracks.at(row);
        const QString cells[] = {QString::number(row + 1), t.name, QStringLiteral("CDA"), QStringLiteral(" "),
                                 t.length, QStringLiteral(" "), t.path};
        for (int c = Number; c <= Location; ++c)
            PlayList->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
    for (TZDButton *b : {BPlay, BStop, BNext, BPrev})
        b->setEnabled(true);
}

bool TFormPlayList::ShowsDisc(const QString &firstTrackPath) const
{
    const QTableWidgetItem *first = PlayList->item(0, Location);
    return first && first->text() == firstTrackPath;
}
