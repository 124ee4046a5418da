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

// The subtitle list, its timing and the reading queue arrive with the subtitle loader;
// until then there is nothing to wait or to match.
void TForm3::emptyQueue() {}
void TForm3::loadForFilm() {}
void TForm3::loadDropped(const QString &) {}
void TForm3::greet() {}
void TForm3::matchSubtitle(qint64) {}
