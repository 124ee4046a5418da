#pragma once

#include "core/ControlProtocol.h"

#include <QJsonObject>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

// The per-user control socket: the single-instance lock, the door for a second instance's
// hand-over and remote keys, and the automation interface. Each connection sends request
// lines and gets one reply line per request, in order.
class ControlServer : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<QJsonObject(const ControlRequest &)>;

    enum class ListenResult {
        Listening,       // we own the socket: we are the first instance
        AnotherInstance, // a live server answers on it: we are the second
        Failed,          // could not listen; errorString() says why
    };

    explicit ControlServer(QObject *parent = nullptr);
    ~ControlServer() override;

    // $BRIVARA_SOCKET when set, else "brivara-" + the user's login name.
    static QString defaultName();
    // Where the socket file of a name lies: a name without "/" lives in the user's own
    // folder of the temp folder, "brivara-" + user id, which only that user may enter.
    static QString socketPath(const QString &name);

    // Replies are built by the handler; without one every request gets an error reply.
    void setHandler(Handler handler);

    // Being second is decided by a lock file beside the socket, owned by a live process, or
    // by a server answering on the socket; a socket file nobody answers on is replaced.
    ListenResult listen(const QString &name = defaultName());
    void close();
    bool isListening() const;
    QString errorString() const;
    // The socket file path once listening.
    QString fullServerName() const;

private:
    void acceptConnections();
    QJsonObject dispatch(const ControlRequest &request) const;

    QLocalServer *m_server;
    // Held while listening: makes "who is first" atomic when two instances start at once.
    std::unique_ptr<QLockFile> m_lock;
    Handler m_handler;
    QString m_error;
};
