// An audio disc's tracks in the list.
#include "ui/playlist/TFormPlayList.h"

#include "core/PlaylistModel.h"
#include "ui/skins/TZDButton.h"

#include <QTableView>

using namespace PlaylistEntry;

void TFormPlayList::ShowDiscTracks(const QList<DiscTrack> &tracks)
{
    m_model->clear();
    if (tracks.isEmpty())
        return;
    // A track has no size on disk: the size column goes.
    PlayList->setColumnWidth(Size, 0);
    QList<Row> rows;
    rows.reserve(tracks.size());
    for (const DiscTrack &t : tracks)
        rows.append(Row{QString(), t.name, QStringLiteral("CDA"), QStringLiteral(" "), t.length, QStringLiteral(" "),
                        t.path});
    m_model->appendAll(rows);
    for (TZDButton *b : {BPlay, BStop, BNext, BPrev})
        b->setEnabled(true);
}

bool TFormPlayList::ShowsDisc(const QString &firstTrackPath) const
{
    return !m_model->isEmpty() && m_model->cell(0, Path) == firstTrackPath;
}
