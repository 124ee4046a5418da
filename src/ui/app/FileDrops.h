#pragma once

#include <QStringList>

class QDragEnterEvent;
class QDropEvent;

// Files dragged onto a window: the panel, the video window and the playlist.
namespace FileDrops {

// Takes a drag that carries addresses; anything else is refused.
void acceptFiles(QDragEnterEvent *event);
// The local files of a drop, in their order; the drop is accepted.
QStringList takeFiles(QDropEvent *event);

} // namespace FileDrops
