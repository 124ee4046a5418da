#include "platform/ControlServer.h"

#include "platform/ControlConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <exception>
#include <utility>

#include <cerrno>
#include <cstring>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How long a probe waits for a server that might own the socket.
constexpr int ProbeTimeoutMs = 1000;

QString userName()
{
    if (const passwd *pw = getpwuid(getuid()); pw && pw->pw_name && *pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    const QString env = qEnvironmentVariable("USER");
    return env.isEmpty() ? QString::number(getuid()) : env;
}

bool serverAnswers(const QString &name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool alive = probe.waitForConnected(ProbeTimeoutMs);
    probe.abort();
    return alive;
}

// The socket's folder: ours alone, a real folder (not a link someone left for us) with no
// access for anybody else; made when missing. Empty when it is not, with the reason.
QString privateFolderError(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return QStringLiteral("cannot create the folder %1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat st {};
    if (lstat(path.constData(), &st) != 0)
        return QStringLiteral("cannot read the folder %1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISDIR(st.st_mode))
        return QStringLiteral("%1 is not a folder").arg(folder);
    if (st.st_uid != geteuid())
        return QStringLiteral("the folder %1 belongs to another user").arg(folder);
    if ((st.st_mode & 077) != 0 && chmod(path.constData(), 0700) != 0)
        return QStringLiteral("cannot make the folder %1 private: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
    return {};
}

} // namespace

ControlServer::ControlServer(QObject *parent) : QObject(parent), m_server(new QLocalServer(this))
{
    // Only the same user may drive the player.
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Also the kernel's backlog: a burst of clients waits in line instead of being refused.
    m_server->setMaxPendingConnections(1024);
    connect(m_server, &QLocalServer::newConnection, this, &ControlServer::acceptConnections);
}

ControlServer::~ControlServer()
{
    // Socket first, lock last, so a newcomer never takes the lock while we still answer.
    close();
}

QString ControlServer::defaultName()
{
    const QString env = qEnvironmentVariable("BRIVARA_SOCKET");
    return env.isEmpty() ? QStringLiteral("brivara-") + userName() : env;
}

void ControlServer::setHandler(Handler handler)
{
    m_handler = std::move(handler);
}

QString ControlServer::socketPath(const QString &name)
{
    if (name.startsWith(QLatin1Char('/')))
        return name;
    return QStringLiteral("%1/brivara-%2/%3").arg(QDir::cleanPath(QDir::tempPath())).arg(geteuid()).arg(name);
}

ControlServer::ListenResult ControlServer::listen(const QString &name)
{
    close();
    m_error.clear();
    if (name.isEmpty()) {
        m_error = QStringLiteral("empty socket name");
        return ListenResult::Failed;
    }

    const QString path = socketPath(name);
    // Whoever can reach the socket can drive the player: its folder admits nobody else.
    if (!name.startsWith(QLatin1Char('/'))) {
        m_error = privateFolderError(QFileInfo(path).absolutePath());
        if (!m_error.isEmpty())
            return ListenResult::Failed;
    }
    auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    // Stale only when its owner is gone, never by age: a player runs for days.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (lock->error() == QLockFile::LockFailedError)
            return ListenResult::AnotherInstance;
        m_error = QStringLiteral("cannot create the lock file %1").arg(lock->fileName());
        return ListenResult::Failed;
    }
    // Listening would silently take the socket over from a live server, so ask first.
    if (serverAnswers(path))
        return ListenResult::AnotherInstance;
    // Left behind by an instance that crashed: nobody answers, so it is ours to take.
    QLocalServer::removeServer(path);
    if (!m_server->listen(path)) {
        m_error = m_server->errorString();
        return ListenResult::Failed;
    }
    m_lock = std::move(lock);
    return ListenResult::Listening;
}

void ControlServer::close()
{
    m_server->close();
    m_lock.reset();
}

bool ControlServer::isListening() const
{
    return m_server->isListening();
}

QString ControlServer::errorString() const
{
    return m_error;
}

QString ControlServer::fullServerName() const
{
    return m_server->fullServerName();
}

void ControlServer::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection())
        new ControlConnection(
            socket, [this](const ControlRequest &request) { return dispatch(request); }, this);
}

QJsonObject ControlServer::dispatch(const ControlRequest &request) const
{
    if (!m_handler)
        return ControlProtocol::errorReply(QStringLiteral("the player is not ready for commands"));
    try {
        return m_handler(request);
    } catch (const std::exception &e) {
        return ControlProtocol::errorReply(QStringLiteral("command \"%1\" failed: %2")
                                               .arg(ControlProtocol::commandName(request.command),
                                                    QString::fromLocal8Bit(e.what())));
    }
}
