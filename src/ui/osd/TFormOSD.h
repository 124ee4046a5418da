#pragma once

#include "ui/app/PlayerWindow.h"

class QTimer;

// Short outlined messages over the corner of the picture.
class TFormOSD : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TFormOSD(Player &app);

    QTimer *TimerOSD = nullptr;
    QTimer *TimerAutoInfo = nullptr;
    QTimer *TimerCloseSystem = nullptr;
};
