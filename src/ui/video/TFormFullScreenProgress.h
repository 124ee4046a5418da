#pragma once

#include "ui/app/PlayerWindow.h"

#include <QProperty>

class QProgressBar;

// The thin progress strip shown over the picture in full screen. It seeks where it is
// pressed or dragged with the left button; the video window does the seeking.
class TFormFullScreenProgress : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TFormFullScreenProgress(Player &app);

    // Shows the strip over the given rectangle, or hides it.
    void ShowStrip(const QRect &geometry);
    void HideStrip();

    QProgressBar *FullScreenProgress = nullptr;

signals:
    // Any pointer move or press over the strip.
    void pointerMoved(const QPoint &global);
    // A press or drag with exactly the left button: the media time in ms to go to.
    void seekRequested(qint64 positionMs);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();
    QPropertyNotifier m_position, m_duration;
};
