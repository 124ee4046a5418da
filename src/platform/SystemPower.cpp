#include "platform/SystemPower.h"

#include "platform/Dpms.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <optional>

namespace {

const char *Service = "org.freedesktop.login1";
const char *Path = "/org/freedesktop/login1";
const char *Interface = "org.freedesktop.login1.Manager";

void tell(QString *why, const QString &text)
{
    if (why)
        *why = text;
}

// One bounded call to the login manager; the reply, or an empty message with `why` set.
std::optional<QDBusMessage> call(const char *method, const QVariantList &arguments, int timeoutMs,
                                 QString *why)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        tell(why, QStringLiteral("No system bus: %1").arg(bus.lastError().message()));
        return std::nullopt;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, Interface, method);
    message.setArguments(arguments);
    QDBusMessage reply = bus.call(message, QDBus::Block, timeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        tell(why, QStringLiteral("%1: %2").arg(reply.errorName(), reply.errorMessage()));
        return std::nullopt;
    }
    return reply;
}

} // namespace

bool SystemPower::canPowerOff(QString *why)
{
    const std::optional<QDBusMessage> reply = call("CanPowerOff", {}, m_timeoutMs, why);
    if (!reply)
        return false;
    const QString answer = reply->arguments().value(0).toString();
    if (answer == QLatin1String("yes"))
        return true;
    tell(why, QStringLiteral("Powering off is not permitted (the login manager says \"%1\")").arg(answer));
    return false;
}

bool SystemPower::powerOff(QString *why)
{
    return call("PowerOff", {QVariant(false)}, m_timeoutMs, why).has_value();
}

bool SystemPower::monitorOff(QString *why)
{
    return Dpms::forceOff(why);
}
