#include "ui/osd/TFormOSD.h"

#include <QTimer>

TFormOSD::TFormOSD(Player &app)
    : PlayerWindow(app, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                            | Qt::WindowDoesNotAcceptFocus)
{
    setWindowTitle(QStringLiteral("OSD"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, QColor(0, 255, 0)); // lime
    setPalette(p);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(27);
    setFont(f);

    TimerOSD = new QTimer(this);
    TimerOSD->setObjectName("TimerOSD");
    TimerOSD->setInterval(3000);

    TimerAutoInfo = new QTimer(this);
    TimerAutoInfo->setObjectName("TimerAutoInfo");
    TimerAutoInfo->setInterval(1200000);
    TimerAutoInfo->start();

    TimerCloseSystem = new QTimer(this);
    TimerCloseSystem->setObjectName("TimerCloseSystem");
    TimerCloseSystem->setInterval(1000);
    resize(120, 47);
}
