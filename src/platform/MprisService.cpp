#include "platform/MprisService.h"

#include "core/MprisState.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString BusName = QStringLiteral("org.mpris.MediaPlayer2.brivara");
// RequestName: fail rather than queue; the answers that mean the name is ours.
constexpr uint DoNotQueue = 4;
constexpr uint PrimaryOwner = 1, AlreadyOwner = 4;
} // namespace

MprisRootAdaptor::MprisRootAdaptor(MprisService *service) : QDBusAbstractAdaptor(service), m_service(service) {}

QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    return {QStringLiteral("video/x-msvideo"), QStringLiteral("video/mpeg"), QStringLiteral("video/quicktime"),
            QStringLiteral("video/mp4"), QStringLiteral("video/x-matroska"), QStringLiteral("video/ogg"),
            QStringLiteral("audio/mpeg"), QStringLiteral("audio/x-wav"), QStringLiteral("audio/ogg")};
}

void MprisRootAdaptor::Raise()
{
    if (m_service->handler())
        m_service->handler()->raise();
}

void MprisRootAdaptor::Quit()
{
    if (m_service->handler())
        m_service->handler()->quit();
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService *service) : QDBusAbstractAdaptor(service), m_service(service) {}

QString MprisPlayerAdaptor::playbackStatus() const { return m_service->value("PlaybackStatus").toString(); }
double MprisPlayerAdaptor::rate() const { return m_service->value("Rate").toDouble(); }
QVariantMap MprisPlayerAdaptor::metadata() const { return m_service->busMetadata(); }
double MprisPlayerAdaptor::volume() const { return m_service->value("Volume").toDouble(); }
double MprisPlayerAdaptor::minimumRate() const { return m_service->value("MinimumRate").toDouble(); }
double MprisPlayerAdaptor::maximumRate() const { return m_service->value("MaximumRate").toDouble(); }
bool MprisPlayerAdaptor::canGoNext() const { return m_service->value("CanGoNext").toBool(); }
bool MprisPlayerAdaptor::canGoPrevious() const { return m_service->value("CanGoPrevious").toBool(); }
bool MprisPlayerAdaptor::canPlay() const { return m_service->value("CanPlay").toBool(); }
bool MprisPlayerAdaptor::canPause() const { return m_service->value("CanPause").toBool(); }
bool MprisPlayerAdaptor::canSeek() const { return m_service->value("CanSeek").toBool(); }
bool MprisPlayerAdaptor::canControl() const { return m_service->value("CanControl").toBool(); }

qlonglong MprisPlayerAdaptor::position() const
{
    return m_service->handler() ? m_service->handler()->positionUs() : 0;
}

void MprisPlayerAdaptor::setRate(double rate)
{
    if (auto *h = m_service->handler())
        h->setRate(rate);
}

void MprisPlayerAdaptor::setVolume(double volume)
{
    if (auto *h = m_service->handler())
        h->setVolume(volume);
}

#define BRIVARA_FORWARD(Method, call) \
    void MprisPlayerAdaptor::Method() \
    { \
        if (auto *h = m_service->handler()) \
            h->call(); \
    }
BRIVARA_FORWARD(Next, next)
BRIVARA_FORWARD(Previous, previous)
BRIVARA_FORWARD(Pause, pause)
BRIVARA_FORWARD(PlayPause, playPause)
BRIVARA_FORWARD(Stop, stop)
BRIVARA_FORWARD(Play, play)
#undef BRIVARA_FORWARD

void MprisPlayerAdaptor::Seek(qlonglong offset)
{
    if (auto *h = m_service->handler())
        h->seek(offset);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath &trackId, qlonglong position)
{
    if (auto *h = m_service->handler())
        h->setPosition(trackId.path(), position);
}

void MprisPlayerAdaptor::OpenUri(const QString &uri)
{
    // Only local files are offered (SupportedUriSchemes); anything else does nothing.
    auto *h = m_service->handler();
    if (!h || !h->openUri(uri))
        qWarning("media controls: cannot open %s", qPrintable(uri));
}

MprisService::MprisService(QObject *parent) : QObject(parent)
{
    new MprisRootAdaptor(this);
    m_player = new MprisPlayerAdaptor(this);
}

MprisService::~MprisService()
{
    if (!m_started)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!m_busName.isEmpty())
        bus.unregisterService(m_busName);
    bus.unregisterObject(ObjectPath);
}

void MprisService::start(MediaControlHandler *handler)
{
    m_handler = handler;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (m_started || !bus.isConnected())
        return; // a desktop without a session bus simply has no media controls
    m_started = true;
    bus.registerObject(ObjectPath, this, QDBusConnection::ExportAdaptors);
    requestName(BusName, true);
}

void MprisService::requestName(const QString &name, bool fallBack)
{
    // Asked without waiting: the name arrives while the player already runs.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("RequestName"));
    call << name << DoNotQueue;
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, name, fallBack](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        const QDBusPendingReply<uint> reply = *w;
        const bool ours = !reply.isError() && (reply.value() == PrimaryOwner || reply.value() == AlreadyOwner);
        if (ours) {
            m_busName = name;
            emit busNameAcquired(name);
        } else if (fallBack) {
            // Another player of ours has the plain name: the usual per-instance name then.
            requestName(name + QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid()), false);
        } else {
            qWarning("media controls: no bus name: %s", qPrintable(reply.error().message()));
        }
    });
}

QVariant MprisService::value(const char *property) const { return m_properties.value(QLatin1String(property)); }

QVariantMap MprisService::busMetadata() const
{
    QVariantMap metadata = m_properties.value(QStringLiteral("Metadata")).toMap();
    const QString key = QLatin1String(MprisState::TrackIdKey);
    metadata.insert(key, QVariant::fromValue(QDBusObjectPath(metadata.value(key, QLatin1String(MprisState::NoTrack)).toString())));
    return metadata;
}

void MprisService::publish(const QVariantMap &playerProperties)
{
    const QStringList names = MprisState::changed(m_properties, playerProperties);
    m_properties = playerProperties;
    if (names.isEmpty() || !m_started)
        return;
    QVariantMap changedValues;
    for (const QString &name : names)
        changedValues.insert(name, name == QLatin1String("Metadata") ? QVariant(busMetadata()) : m_properties.value(name));
    QDBusMessage signal = QDBusMessage::createSignal(ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << PlayerInterface << changedValues << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

void MprisService::seeked(qint64 positionUs)
{
    if (m_started)
        emit m_player->Seeked(positionUs);
}
