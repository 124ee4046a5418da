#include "core/PlaylistModel.h"

#include "core/PlaylistSort.h"

using namespace PlaylistEntry;

PlaylistModel::PlaylistModel(QObject *parent) : QAbstractTableModel(parent) { m_rows.append(Row{}); }

const QStringList &PlaylistModel::headings()
{
    static const QStringList names{QStringLiteral("Lp"), QStringLiteral("Nazwa Pliku"), QStringLiteral("Ext"),
                                   QStringLiteral("Size [MB]"), QStringLiteral("Time"), QStringLiteral("Res."),
                                   QStringLiteral("Directory (Location)")};
    return names;
}

int PlaylistModel::entryCount() const
{
    return m_rows.size() == 1 && m_rows.first()[Name].isEmpty() ? 0 : int(m_rows.size());
}

void PlaylistModel::setCell(int index, int column, const QString &text)
{
    if (index < 0 || index >= m_rows.size() || column < 0 || column >= ColumnCount)
        return;
    m_rows[index][column] = text;
    const QModelIndex at = this->index(index, column);
    emit dataChanged(at, at);
}

int PlaylistModel::append(const Row &row)
{
    // The empty first row is filled rather than followed.
    if (m_rows.size() == 1 && m_rows.first()[Name].isEmpty()) {
        m_rows[0] = row;
        m_rows[0][Number] = QStringLiteral("1");
        emit dataChanged(index(0, 0), index(0, ColumnCount - 1));
        return 0;
    }
    const int at = int(m_rows.size());
    beginInsertRows({}, at, at);
    m_rows.append(row);
    m_rows.last()[Number] = QString::number(at + 1);
    endInsertRows();
    return at;
}

void PlaylistModel::appendAll(const QList<Row> &rows)
{
    if (rows.isEmpty())
        return;
    qsizetype from = 0;
    if (isEmpty())
        append(rows.at(from++));
    if (from == rows.size())
        return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(rows.size() - from) - 1);
    m_rows.reserve(m_rows.size() + rows.size() - from);
    for (; from < rows.size(); ++from) {
        m_rows.append(rows.at(from));
        m_rows.last()[Number] = QString::number(m_rows.size());
    }
    endInsertRows();
}

void PlaylistModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_rows.append(Row{});
    endResetModel();
}

void PlaylistModel::removeEntry(int index)
{
    if (index < 0 || index >= m_rows.size())
        return;
    if (m_rows.size() == 1) {
        clear();
        return;
    }
    beginRemoveRows({}, index, index);
    m_rows.removeAt(index);
    endRemoveRows();
    for (int r = index; r < m_rows.size(); ++r)
        m_rows[r][Number] = QString::number(r + 1);
    if (index < m_rows.size())
        emit dataChanged(this->index(index, Number), this->index(int(m_rows.size()) - 1, Number));
}

void PlaylistModel::moveEntry(int from, int to)
{
    const int n = int(m_rows.size());
    if (from == to || from < 0 || to < 0 || from >= n || to >= n)
        return;
    // Qt names the place before which the row goes; moving down that is one past `to`.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    m_rows.move(from, to);
    endMoveRows();
    renumber(qMax(from, to));
}

void PlaylistModel::renumber(int last)
{
    if (last < 0 || last >= m_rows.size())
        last = int(m_rows.size()) - 1;
    // The empty row of an empty list has no number.
    if (isEmpty())
        return;
    for (int r = 0; r <= last; ++r)
        m_rows[r][Number] = QString::number(r + 1);
    emit dataChanged(index(0, Number), index(last, Number));
}

void PlaylistModel::sortByColumn(int column)
{
    if (column > Number && column < ColumnCount && entryCount() > 1) {
        const QList<int> order = PlaylistSort::order(m_rows, column);
        emit layoutAboutToBeChanged();
        QList<Row> sorted;
        sorted.reserve(m_rows.size());
        for (int i : order)
            sorted.append(std::move(m_rows[i]));
        m_rows = std::move(sorted);
        emit layoutChanged();
    }
    renumber();
}

int PlaylistModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int PlaylistModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant PlaylistModel::data(const QModelIndex &index, int role) const
{
    // No tool tip of its own: the grid's hint shows over every cell.
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return m_rows.at(index.row()).at(index.column());
}

QVariant PlaylistModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < ColumnCount ? headings().at(section) : QVariant();
    return section + 1;
}
