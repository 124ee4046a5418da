#include "platform/ControlConnection.h"

#include <QLocalSocket>
#include <QPointer>

#include <utility>

ControlConnection::ControlConnection(QLocalSocket *socket, Dispatch dispatch, QObject *parent)
    : QObject(parent), m_socket(socket), m_dispatch(std::move(dispatch))
{
    m_socket->setParent(this);
    connect(m_socket, &QLocalSocket::readyRead, this, &ControlConnection::readIncoming);
    connect(m_socket, &QLocalSocket::disconnected, this, [this] {
        // Requests already received still run (a client may send "quit" and hang up);
        // only their replies have nowhere to go.
        m_closed = true;
        readIncoming();
    });
    readIncoming();
}

void ControlConnection::readIncoming()
{
    const QByteArray data = m_socket->readAll();
    qsizetype pos = 0;
    while (pos < data.size()) {
        const qsizetype newline = data.indexOf('\n', pos);
        const qsizetype end = newline < 0 ? data.size() : newline;
        if (!m_discarding) {
            m_partial.append(data.constData() + pos, end - pos);
            // One byte of slack for a "\r" before the newline.
            if (m_partial.size() > ControlProtocol::MaxLineBytes + 1) {
                m_lines.emplace_back(std::nullopt);
                m_partial.clear();
                m_discarding = newline < 0;
            } else if (newline >= 0) {
                m_lines.emplace_back(std::exchange(m_partial, QByteArray()));
            }
        } else if (newline >= 0) {
            m_discarding = false;
        }
        pos = newline < 0 ? data.size() : newline + 1;
    }
    scheduleNext();
}

void ControlConnection::scheduleNext()
{
    if (m_scheduled || m_busy)
        return;
    if (m_lines.empty()) {
        if (m_closed)
            deleteLater();
        return;
    }
    m_scheduled = true;
    QMetaObject::invokeMethod(this, &ControlConnection::processNext, Qt::QueuedConnection);
}

void ControlConnection::processNext()
{
    m_scheduled = false;
    // A handler that spins an event loop (a modal dialog opened by a change handler) lets
    // later lines of this connection wait until it returns; other connections go on.
    if (m_busy || m_lines.empty()) {
        scheduleNext();
        return;
    }
    const std::optional<QByteArray> line = std::move(m_lines.front());
    m_lines.pop_front();

    QPointer<ControlConnection> self(this);
    m_busy = true;
    const QJsonObject reply = answer(line);
    if (!self)
        return;
    m_busy = false;

    if (m_socket->state() == QLocalSocket::ConnectedState) {
        m_socket->write(ControlProtocol::toLine(reply));
        m_socket->flush();
    }
    scheduleNext();
}

QJsonObject ControlConnection::answer(const std::optional<QByteArray> &line)
{
    if (!line)
        return ControlProtocol::errorReply(QStringLiteral("request line longer than %1 bytes")
                                               .arg(ControlProtocol::MaxLineBytes));
    const ControlParseResult parsed = ControlProtocol::parseRequest(*line);
    if (!parsed.request)
        return ControlProtocol::errorReply(parsed.error);
    return m_dispatch(*parsed.request);
}
