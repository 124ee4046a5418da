#pragma once

#include "core/CpuLoad.h"
#include "ui/app/PlayerWindow.h"

#include <QPainterPath>

class QTimer;

// Short outlined messages over the corner of the picture, the periodic information line
// and the countdown that turns the computer or the monitor off after the film.
class TFormOSD : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TFormOSD(Player &app);

    // Shows one message (replacing the one on screen) for the preferred number of seconds.
    void ShowOSD(const QString &text);
    void TimerOSDTimer();
    // The information line: time played, processor load, frame rate.
    void TimerAutoInfoTimer();

    // The end-of-film countdown; each second shows the seconds left, the last one acts.
    void startCountdown(int seconds = 30);
    bool countdownRunning() const;
    // Stops a running countdown and says so; nothing when none runs.
    void breakCountdown();
    void TimerCloseSystemTimer();
    // How often the information line shows by itself.
    void SetAutoInfoInterval(int ms);

    // The message on screen (or last shown) and the font it is drawn in.
    QString text() const { return m_text; }
    QFont textFont() const { return m_textFont; }

    QTimer *TimerOSD = nullptr;
    QTimer *TimerAutoInfo = nullptr;
    QTimer *TimerCloseSystem = nullptr;
    // Seconds left of the countdown.
    int SecondsLeft = 0;

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QFont fittedFont(const QString &text, bool fullScreen) const;
    void shutDown();
    void turnMonitorOff();

    QString m_text;
    QFont m_textFont;
    QPainterPath m_path;   // the letters, top-left at (0, 0)
    CpuLoad m_cpu;
};
