#pragma once

#include "ui/app/PlayerWindow.h"

#include <array>

class QTimer;
class QWidget;

// The chapter menu laid over the left of the picture.
class TFormMenu : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TFormMenu(Player &app);

    std::array<QWidget *, 5> MenuRegion{}; // MenuRegion1..MenuRegion5
    QTimer *TimerMenu = nullptr;
};
