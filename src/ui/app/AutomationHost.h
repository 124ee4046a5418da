#pragma once

#include <QJsonObject>
#include <QString>

// What the control socket needs from the running player beyond its widgets, which it
// reaches itself by class and object name.
class AutomationHost
{
public:
    virtual ~AutomationHost() = default;
    // playState, mediaMode, positionMs, durationMs, currentFile, fullScreen and whatever
    // later features add; the per-window geometry is added by the automation itself.
    virtual QJsonObject playerState() const = 0;
    // A file handed over as a second instance would hand it.
    virtual void handOver(const QString &path) = 0;
    // The remote command of key-table row N.
    virtual void remoteKey(int row) = 0;
    // Closes the control panel (ends the program).
    virtual void quit() = 0;
};
