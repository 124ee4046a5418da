#pragma once

#include "ui/app/PlayerWindow.h"

class QTimer;

// The borderless window that carries one subtitle over (or under) the picture.
class TForm3 : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TForm3(Player &app);

    QTimer *TimerNapisClear = nullptr;
};
