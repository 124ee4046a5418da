#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <memory>

class QLocalSocket;

// The other end of the control socket: the command line (--ipc, --remote), a second
// instance handing its file over, and tests. Blocking, with bounded waits, so it needs no
// event loop; use it from one thread only.
class ControlClient
{
public:
    struct Reply
    {
        bool delivered = false; // a reply line came back (its "ok" may still be false)
        QJsonObject object;     // the reply, when delivered
        QByteArray line;        // the reply as received, without its newline
        QString error;          // why nothing usable came back
    };

    static constexpr int DefaultTimeoutMs = 5000;

    ControlClient();
    ~ControlClient();
    ControlClient(const ControlClient &) = delete;
    ControlClient &operator=(const ControlClient &) = delete;

    // Retries until the server answers or the time is up: a first instance that has just
    // started may not be listening yet.
    bool connectTo(const QString &serverName, int timeoutMs = DefaultTimeoutMs);
    bool isConnected() const;
    void disconnect();
    QString errorString() const { return m_error; }

    // Sends one request over the open connection and waits for its reply line. A failure
    // (time out, lost connection) closes the connection.
    Reply request(const QJsonObject &request, int timeoutMs = DefaultTimeoutMs);
    // Sends raw bytes (a newline is added when missing) and waits for one reply line.
    Reply requestLine(QByteArray line, int timeoutMs = DefaultTimeoutMs);
    // Waits for the next reply line (after sending several requests at once).
    Reply receive(int timeoutMs = DefaultTimeoutMs);

    // Connects, asks once, disconnects.
    static Reply send(const QString &serverName, const QJsonObject &request,
                      int timeoutMs = DefaultTimeoutMs);

private:
    Reply fail(const QString &message);

    std::unique_ptr<QLocalSocket> m_socket;
    QByteArray m_pending; // bytes after the last reply line read
    QString m_error;
};
