#include "platform/ControlClient.h"

#include "core/ControlProtocol.h"
#include "platform/ControlServer.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

namespace {

constexpr int RetryPauseMs = 50;
// A reply larger than this is not ours (grids and lists stay far below it).
constexpr qsizetype MaxReplyBytes = 64 * 1024 * 1024;

} // namespace

ControlClient::ControlClient() = default;
ControlClient::~ControlClient() = default;

bool ControlClient::connectTo(const QString &serverName, int timeoutMs)
{
    disconnect();
    m_error.clear();
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        m_socket = std::make_unique<QLocalSocket>();
        m_socket->connectToServer(ControlServer::socketPath(serverName));
        if (m_socket->waitForConnected(int(qMax<qint64>(1, deadline.remainingTime()))))
            return true;
        m_error = QStringLiteral("cannot connect to %1: %2").arg(serverName, m_socket->errorString());
        m_socket.reset();
        if (deadline.hasExpired())
            return false;
        QThread::msleep(uint(qMin<qint64>(RetryPauseMs, deadline.remainingTime())));
        if (deadline.hasExpired())
            return false;
    }
}

bool ControlClient::isConnected() const
{
    return m_socket && m_socket->state() == QLocalSocket::ConnectedState;
}

void ControlClient::disconnect()
{
    if (m_socket) {
        m_socket->abort();
        m_socket.reset();
    }
    m_pending.clear();
}

ControlClient::Reply ControlClient::request(const QJsonObject &request, int timeoutMs)
{
    return requestLine(ControlProtocol::toLine(request), timeoutMs);
}

ControlClient::Reply ControlClient::requestLine(QByteArray line, int timeoutMs)
{
    if (!isConnected())
        return fail(QStringLiteral("not connected"));
    if (!line.endsWith('\n'))
        line.append('\n');

    QDeadlineTimer deadline(timeoutMs);
    m_socket->write(line);
    while (m_socket->bytesToWrite() > 0) {
        if (deadline.hasExpired() || !m_socket->waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime()))))
            return fail(QStringLiteral("could not send the request: %1").arg(m_socket->errorString()));
    }

    return receive(int(qMax<qint64>(1, deadline.remainingTime())));
}

ControlClient::Reply ControlClient::receive(int timeoutMs)
{
    if (!m_socket)
        return fail(QStringLiteral("not connected"));
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const qsizetype newline = m_pending.indexOf('\n');
        if (newline >= 0) {
            Reply reply;
            reply.line = m_pending.left(newline);
            m_pending.remove(0, newline + 1);
            if (auto object = ControlProtocol::parseReply(reply.line)) {
                reply.delivered = true;
                reply.object = *object;
            } else {
                reply.error = QStringLiteral("the reply is not a JSON object");
            }
            return reply;
        }
        if (m_pending.size() > MaxReplyBytes)
            return fail(QStringLiteral("the reply is too long"));
        if (m_socket->bytesAvailable() == 0) {
            if (deadline.hasExpired())
                return fail(QStringLiteral("no reply within %1 ms").arg(timeoutMs));
            if (!m_socket->waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) {
                if (m_socket->state() != QLocalSocket::ConnectedState && m_socket->bytesAvailable() == 0)
                    return fail(QStringLiteral("the connection closed before the reply"));
                if (deadline.hasExpired())
                    return fail(QStringLiteral("no reply within %1 ms").arg(timeoutMs));
            }
        }
        m_pending.append(m_socket->readAll());
    }
}

ControlClient::Reply ControlClient::send(const QString &serverName, const QJsonObject &request,
                                         int timeoutMs)
{
    ControlClient client;
    QDeadlineTimer deadline(timeoutMs);
    if (!client.connectTo(serverName, timeoutMs))
        return client.fail(client.errorString());
    return client.request(request, int(qMax<qint64>(1, deadline.remainingTime())));
}

ControlClient::Reply ControlClient::fail(const QString &message)
{
    // A late reply would otherwise be taken for the answer to the next request.
    disconnect();
    m_error = message;
    Reply reply;
    reply.error = message;
    return reply;
}
