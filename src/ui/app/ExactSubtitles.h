#pragma once

#include <QObject>
#include <QProperty>

class Player;
class QTimer;

// Exact timing of subtitles: the entry on screen follows the engine's position to the
// millisecond. One precise single-shot timer is armed from the position to the next start
// or stop, and armed again whenever the film jumps, pauses, plays or changes speed (and on
// every tick of the panel's timer, which corrects any drift).
class ExactSubtitles : public QObject
{
    Q_OBJECT
public:
    explicit ExactSubtitles(Player &app, QObject *parent = nullptr);

    // Reads the position and shows, clears and re-arms as it says. After `jumped` (a seek,
    // a new medium) the entry shown last may be shown again.
    void sync(bool jumped = false);
    // Stops timing: nothing more is shown or taken off by this timer.
    void stop();

    // The subtitle clock of the last sync, ms; the moment the text on screen goes, or -1.
    qint64 lastClockMs() const { return m_lastClockMs; }
    qint64 clearAtMs() const { return m_clearAtMs; }

private:
    Player &app;
    QTimer *m_timer = nullptr;
    int m_shownRow = 0;
    qint64 m_shownStartMs = -1;
    qint64 m_clearAtMs = -1;
    QPropertyNotifier m_playState;
    qint64 m_lastClockMs = -1;
};
