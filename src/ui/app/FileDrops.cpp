#include "ui/app/FileDrops.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace FileDrops {

void acceptFiles(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

QStringList takeFiles(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    event->acceptProposedAction();
    return paths;
}

} // namespace FileDrops
