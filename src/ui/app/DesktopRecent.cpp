#include "ui/app/DesktopRecent.h"

#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/settings/TForm4.h"

#include <QCheckBox>

DesktopRecent::DesktopRecent(Player &player, std::unique_ptr<DesktopRecentList> list, QObject *parent)
    : QObject(parent), m_list(std::move(list))
{
    m_switch = player.form4()->findChild<QCheckBox *>(QStringLiteral("DesktopRecentFiles"));
    if (!m_switch)
        qWarning("desktop recent files: the preference's switch is missing; every file is added");
    connect(player.form1(), &TForm1::mediaOpened, this, [this](const QString &path) {
        if (!m_switch || m_switch->isChecked())
            m_list->add(path);
    });
}

DesktopRecent::~DesktopRecent() = default;
