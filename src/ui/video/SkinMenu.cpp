// The skin submenu of the video window's context menu.
#include "ui/video/TForm2.h"

#include <QAction>
#include <QActionGroup>
#include <QHash>
#include <QMenu>

void TForm2::FillSkinMenu(const QStringList &names)
{
    // Items that stay are kept (with their tick): the list is refilled from an item's own
    // click when choosing it writes the built-in skin.
    QHash<QString, QAction *> kept;
    for (QAction *item : MSkin->actions())
        if (item->property("skinItem").toBool()) {
            kept.insert(item->text(), item);
            MSkin->removeAction(item);
        }
    auto *group = MSkin->findChild<QActionGroup *>(QStringLiteral("SkinItems"));
    if (!group) {
        group = new QActionGroup(MSkin);
        group->setObjectName("SkinItems");
    }
    for (const QString &name : names) {
        QAction *item = kept.take(name);
        if (!item) {
            item = new QAction(name, MSkin);
            item->setCheckable(true);
            item->setProperty("skinItem", true);
            group->addAction(item);
            connect(item, &QAction::triggered, this, [this, item] { MenuSelectSkinClick(item); });
        }
        const QList<QAction *> existing = MSkin->actions();
        MSkin->insertAction(existing.isEmpty() ? nullptr : existing.first(), item);
    }
    for (QAction *gone : std::as_const(kept))
        gone->deleteLater();
    if (!names.isEmpty())
        MSkin->setEnabled(true);
}

void TForm2::CheckSkinItem(const QString &name)
{
    for (QAction *item : MSkin->actions())
        if (item->property("skinItem").toBool() && item->text() == name)
            item->setChecked(true);
}

void TForm2::MenuSelectSkinClick(QAction *item)
{
    emit skinChosen(item->text());
}
