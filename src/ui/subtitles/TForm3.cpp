#include "ui/subtitles/TForm3.h"

#include <QTimer>

TForm3::TForm3(Player &app)
    : PlayerWindow(app, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                            | Qt::WindowDoesNotAcceptFocus)
{
    setWindowTitle(QStringLiteral("Napisy"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setCursor(Qt::SplitVCursor);
    TimerNapisClear = new QTimer(this);
    TimerNapisClear->setObjectName("TimerNapisClear");
    TimerNapisClear->setSingleShot(false);
    TimerNapisClear->setInterval(3000);
    resize(400, 60);
}
