// The popup menu in the chosen language.
#include "ui/video/TForm2.h"

#include <QAction>
#include <QMenu>

void TForm2::ApplyMenuTexts(const QMap<int, QString> &captions)
{
    // Numbered from 1 in the menu's order, separators included.
    const QList<QAction *> items = PopupMenu->actions();
    for (auto it = captions.cbegin(); it != captions.cend(); ++it)
        if (it.key() >= 1 && it.key() <= items.size())
            items[it.key() - 1]->setText(it.value());
}
