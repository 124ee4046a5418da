#pragma once

#include "core/PlaylistEntry.h"

#include <QList>

// The order a heading click puts the playlist in.
namespace PlaylistSort {

// Row indices in their new order. The size column puts the biggest first (an empty size
// counts as 0; a size that is not a number, a missing file's, after every real size); the
// text columns go A to Z without regard to case. Rows that compare equal come out with the
// later row first, as the list has always placed them. Any other column keeps the order.
QList<int> order(const QList<PlaylistEntry::Row> &rows, int column);

} // namespace PlaylistSort
