#pragma once

#include <QObject>
#include <QPointer>

class Player;
class QKeyEvent;
class QWidget;

// Every key press of the player, whichever of its windows has the focus, goes to the video
// window's key dispatcher. An application-wide event filter, present only while the
// player is the active application; the key is not consumed.
class KeyboardHook : public QObject
{
    Q_OBJECT
public:
    explicit KeyboardHook(Player &app, QObject *parent = nullptr);
    ~KeyboardHook() override;

    bool installed() const { return m_installed; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applicationStateChanged(Qt::ApplicationState state);
    void setInstalled(bool on);
    bool alreadySeen(const QKeyEvent *event, QWidget *receiver);

    Player &m_app;
    bool m_installed = false;
    // The press last dispatched and the widget it was last delivered to: an ignored key
    // travels up the parent chain and each step passes this filter again.
    const QKeyEvent *m_lastEvent = nullptr;
    quint64 m_lastTimestamp = 0;
    QPointer<QWidget> m_lastReceiver;
};
