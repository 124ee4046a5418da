#pragma once

#include "core/MprisState.h"
#include "platform/MediaControl.h"

#include <QElapsedTimer>
#include <QObject>
#include <QProperty>
#include <memory>
#include <vector>

class Player;

// The player seen by the desktop's media controls: follows the panel's state into the
// published properties, and turns what a client asks into the panel's own operations, as
// if its buttons were pressed. Goes on the bus only after the first picture, so start-up
// never waits for it.
class MediaControls : public QObject, public MediaControlHandler
{
    Q_OBJECT
public:
    MediaControls(Player &player, std::unique_ptr<MediaControl> control, QObject *parent = nullptr);
    ~MediaControls() override;

    // The state as published (for tests and the control socket).
    MprisState::Snapshot snapshot() const;

    // MediaControlHandler
    void play() override;
    void pause() override;
    void playPause() override;
    void stop() override;
    void next() override;
    void previous() override;
    void seek(qint64 offsetUs) override;
    void setPosition(const QString &trackId, qint64 positionUs) override;
    bool openUri(const QString &uri) override;
    void setVolume(double volume) override;
    void setRate(double rate) override;
    void raise() override;
    void quit() override;
    qint64 positionUs() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void startOnBus();
    // Coalesces the many changes of one event into one look at the state.
    void refreshSoon();
    void refresh();
    void seekToUs(qint64 positionUs);

    Player &m_player;
    std::unique_ptr<MediaControl> m_control;
    std::vector<QPropertyNotifier> m_notifiers;
    bool m_started = false;
    bool m_refreshQueued = false;
    QString m_lastFile;
    QString m_cdTitle;
    int m_mediumCount = 0;
    qint64 m_lastPositionMs = 0;
    QElapsedTimer m_sinceLastPosition;
};
