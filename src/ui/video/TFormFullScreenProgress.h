#pragma once

#include "ui/app/PlayerWindow.h"

#include <QProperty>

class QProgressBar;

// The thin progress strip shown over the picture in full screen.
class TFormFullScreenProgress : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TFormFullScreenProgress(Player &app);

    QProgressBar *FullScreenProgress = nullptr;

private:
    void follow();
    QPropertyNotifier m_position, m_duration;
};
