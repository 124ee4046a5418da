#include "ui/video/TFormFullScreenProgress.h"

#include "core/FullScreenGeometry.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"

#include <QMouseEvent>
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
    setMouseTracking(true);
    FullScreenProgress->setMouseTracking(true);
    FullScreenProgress->installEventFilter(this);

    TForm1 *panel = app.form1();
    m_position = panel->PositionMs.addNotifier([this] { follow(); });
    m_duration = panel->DurationMs.addNotifier([this] { follow(); });
}

void TFormFullScreenProgress::follow()
{
    const TForm1 *panel = app.form1();
    // A graph without a length leaves the last range; the bar would otherwise turn into
    // a busy indicator.
    if (panel->DurationMs > 0)
        FullScreenProgress->setRange(0, int(qMin<qint64>(panel->DurationMs, INT_MAX)));
    // A value outside the range would be ignored, so it is set after the range.
    FullScreenProgress->setValue(int(qBound(qint64(0), panel->PositionMs.value(), qint64(FullScreenProgress->maximum()))));
}

void TFormFullScreenProgress::ShowStrip(const QRect &geometry)
{
    setGeometry(geometry);
    if (!isVisible())
        show();
    raise();
}

void TFormFullScreenProgress::HideStrip()
{
    if (isVisible())
        hide();
}

bool TFormFullScreenProgress::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FullScreenProgress
        && (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress)) {
        auto *e = static_cast<QMouseEvent *>(event);
        emit pointerMoved(e->globalPosition().toPoint());
        if (e->buttons() == Qt::LeftButton)
            emit seekRequested(FullScreenGeometry::progressSeekMs(FullScreenProgress->maximum(),
                                                                  FullScreenProgress->width(),
                                                                  int(e->position().x())));
        return true;
    }
    return PlayerWindow::eventFilter(watched, event);
}
