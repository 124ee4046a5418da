#pragma once

#include "core/ControlProtocol.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>

#include <deque>
#include <functional>
#include <optional>

class QLocalSocket;

// One client of the control socket. Lines are answered one per event-loop turn, so an
// action a request queues (a click, a remote key) runs before the next request of the same
// connection is read, even when the client sent several lines at once.
class ControlConnection : public QObject
{
    Q_OBJECT
public:
    using Dispatch = std::function<QJsonObject(const ControlRequest &)>;

    // Takes ownership of the socket.
    ControlConnection(QLocalSocket *socket, Dispatch dispatch, QObject *parent = nullptr);

private:
    void readIncoming();
    void scheduleNext();
    void processNext();
    QJsonObject answer(const std::optional<QByteArray> &line);

    QLocalSocket *m_socket;
    Dispatch m_dispatch;
    QByteArray m_partial;
    // Complete lines waiting for their turn; nullopt stands for a line that was too long.
    std::deque<std::optional<QByteArray>> m_lines;
    bool m_discarding = false; // skipping the rest of a too-long line
    bool m_busy = false;       // a handler of ours is running (it may spin an event loop)
    bool m_scheduled = false;
    bool m_closed = false;
};
