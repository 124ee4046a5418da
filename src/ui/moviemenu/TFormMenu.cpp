#include "ui/moviemenu/TFormMenu.h"

#include <QTimer>

TFormMenu::TFormMenu(Player &app)
    : PlayerWindow(app, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Menu"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    for (int i = 0; i < 5; ++i) {
        auto *region = new QWidget(this);
        region->setObjectName(QStringLiteral("MenuRegion%1").arg(i + 1));
        region->setCursor(Qt::PointingHandCursor);
        region->hide();
        MenuRegion[i] = region;
    }
    TimerMenu = new QTimer(this);
    TimerMenu->setObjectName("TimerMenu");
    resize(300, 200);
}
