#include "ui/video/TFormFullScreenProgress.h"

#include <QProgressBar>
#include <QVBoxLayout>

TFormFullScreenProgress::TFormFullScreenProgress(Player &app)
    : PlayerWindow(app, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("FullScreenProgress"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FullScreenProgress = new QProgressBar(this);
    FullScreenProgress->setObjectName("FullScreenProgress");
    FullScreenProgress->setRange(0, 100000);
    FullScreenProgress->setTextVisible(false);
    layout->addWidget(FullScreenProgress);
    resize(640, 15);
    setFixedHeight(15);
}
