#pragma once

#include <QString>
#include <QVariantMap>

// What the desktop's media controls (media keys, applets, playerctl) may ask of the player.
// Called on the UI thread.
class MediaControlHandler
{
public:
    virtual ~MediaControlHandler() = default;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void playPause() = 0;
    virtual void stop() = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    // Relative, and to a point of the current medium (ignored when trackId is not it).
    virtual void seek(qint64 offsetUs) = 0;
    virtual void setPosition(const QString &trackId, qint64 positionUs) = 0;
    virtual bool openUri(const QString &uri) = 0;
    virtual void setVolume(double volume) = 0;
    virtual void setRate(double rate) = 0;
    virtual void raise() = 0;
    virtual void quit() = 0;
    virtual qint64 positionUs() const = 0;
};

// The player as the desktop's media controls see it. publish() hands over the player
// properties (from MprisState::properties); whoever listens hears of those that changed.
class MediaControl
{
public:
    virtual ~MediaControl() = default;
    // Starts answering; never waits for the bus.
    virtual void start(MediaControlHandler *handler) = 0;
    virtual void publish(const QVariantMap &playerProperties) = 0;
    // The position jumped (a seek) to this point.
    virtual void seeked(qint64 positionUs) = 0;
};
