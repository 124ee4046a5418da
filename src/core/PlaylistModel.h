#pragma once

#include "core/PlaylistEntry.h"

#include <QAbstractTableModel>
#include <QList>

// The playlist's grid as data. Entries are model rows 0..n-1 (the grid's rows 1..n; its
// heading is the header). Like the grid it stands for, an empty list still has one row,
// with every cell empty, so "the first entry" always exists as a place to fill.
class PlaylistModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit PlaylistModel(QObject *parent = nullptr);

    static const QStringList &headings();

    // Entries in the list: 0 while the only row is the empty one.
    int entryCount() const;
    bool isEmpty() const { return entryCount() == 0; }
    // Rows the grid has (at least one).
    int rows() const { return int(m_rows.size()); }

    const PlaylistEntry::Row &row(int index) const { return m_rows.at(index); }
    QString cell(int index, int column) const { return m_rows.at(index).at(column); }
    void setCell(int index, int column, const QString &text);

    // Fills the empty first row, else appends; numbers the entry. Returns its row.
    int append(const PlaylistEntry::Row &row);
    // Many at once (a playlist file read, a search batch): one insertion for the view.
    void appendAll(const QList<PlaylistEntry::Row> &rows);
    // Back to the one empty row.
    void clear();
    // Removes one entry and renumbers the rows below it; the last entry leaves the empty row.
    void removeEntry(int index);
    // The entry at `from` now stands at `to`; the rows between shift by one and are renumbered.
    void moveEntry(int from, int to);
    // Column 0 of rows 0..last becomes 1..last+1 (every row when last is -1).
    void renumber(int last = -1);
    // Sorts by a column as a heading click does (no sort for the number column), then renumbers.
    void sortByColumn(int column);

    // QAbstractTableModel
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<PlaylistEntry::Row> m_rows;
};
