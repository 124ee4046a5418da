#include "platform/ScreenSaver.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const char *Service = "org.freedesktop.ScreenSaver";
const char *Path = "/org/freedesktop/ScreenSaver";
const char *Interface = "org.freedesktop.ScreenSaver";
// A hung service must not hold up closing for long.
constexpr int CallTimeoutMs = 2000;
} // namespace

DBusScreenSaver::DBusScreenSaver(QObject *parent) : QObject(parent) {}

DBusScreenSaver::~DBusScreenSaver() { release(); }

void DBusScreenSaver::inhibit()
{
    if (m_inhibited || m_waiting)
        return;
    m_releaseOnAnswer = false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        m_lastError = QStringLiteral("no session bus");
        return;
    }
    // Asked without waiting: start-up must not stall on a slow or hung desktop service.
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, "Inhibit");
    call << QStringLiteral("Brivara") << QStringLiteral("Playing media");
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    m_waiting = true;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        m_waiting = false;
        const QDBusPendingReply<quint32> reply = *w;
        if (reply.isError()) {
            m_lastError = reply.error().message();
            return;
        }
        m_cookie = reply.value();
        m_inhibited = true;
        m_lastError.clear();
        if (m_releaseOnAnswer)
            release();
    });
}

void DBusScreenSaver::release()
{
    if (m_waiting) {
        // The answer is still on its way: give the cookie back as soon as it comes.
        m_releaseOnAnswer = true;
        return;
    }
    if (!m_inhibited)
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, "UnInhibit");
    call << m_cookie;
    // Waited for, because the program may end right after.
    QDBusConnection::sessionBus().call(call, QDBus::Block, CallTimeoutMs);
    m_cookie = 0;
    m_inhibited = false;
}
