#pragma once

#include "platform/DesktopRecentFiles.h"

#include <QObject>
#include <memory>

class Player;
class QCheckBox;

// Every film the panel opens also goes to the desktop's list of recently used files, while
// the preference "DesktopRecentFiles" is ticked. Follows the panel's mediaOpened.
class DesktopRecent : public QObject
{
    Q_OBJECT
public:
    DesktopRecent(Player &player, std::unique_ptr<DesktopRecentList> list, QObject *parent = nullptr);
    ~DesktopRecent() override;

private:
    std::unique_ptr<DesktopRecentList> m_list;
    QCheckBox *m_switch = nullptr;
};
