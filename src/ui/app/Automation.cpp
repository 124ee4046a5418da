#include "ui/app/Automation.h"

#include "core/ExclusiveWrite.h"
#include "ui/app/AutomationControls.h"
#include "ui/app/AutomationDialogs.h"
#include "ui/app/AutomationHost.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace {

QJsonObject reply(const AutomationOutcome &outcome)
{
    return outcome.ok() ? ControlProtocol::okReply(outcome.fields)
                        : ControlProtocol::errorReply(outcome.error);
}

struct Target
{
    QWidget *window = nullptr;
    QObject *object = nullptr; // the window itself or one of its controls
    QString error;
};

Target resolve(const ControlRequest &request)
{
    Target t;
    t.window = AutomationControls::findWindow(request.window);
    if (!t.window) {
        t.error = QStringLiteral("unknown window \"%1\"").arg(request.window);
        return t;
    }
    if (request.control.isEmpty() || request.control == request.window) {
        t.object = t.window;
        return t;
    }
    t.object = AutomationControls::findControl(t.window, request.control);
    if (!t.object)
        t.error = QStringLiteral("window \"%1\" has no control \"%2\"").arg(request.window, request.control);
    return t;
}

} // namespace

Automation::Automation(AutomationHost *host) : m_host(host) {}

const QStringList &Automation::windowNames()
{
    static const QStringList names{
        QStringLiteral("TForm1"), QStringLiteral("TFormFullScreenProgress"), QStringLiteral("TForm2"),
        QStringLiteral("TForm3"), QStringLiteral("TFormPlayList"), QStringLiteral("TFormFiltry"),
        QStringLiteral("TFormOSD"), QStringLiteral("TFormMenu"), QStringLiteral("TForm4"),
    };
    return names;
}

QJsonObject Automation::handle(const ControlRequest &request)
{
    switch (request.command) {
    case ControlCommand::State:
        return ControlProtocol::okReply({{"state", state()}});
    case ControlCommand::Get:
        return get(request);
    case ControlCommand::Set:
        return set(request);
    case ControlCommand::Click:
        return click(request);
    case ControlCommand::Dialog:
        return ControlProtocol::okReply({{"dialog", AutomationDialogs::describeModal()}});
    case ControlCommand::Answer:
        return answer(request);
    case ControlCommand::Screenshot:
        return screenshot(request.path, request.overwrite);
    case ControlCommand::Key:
    case ControlCommand::Open:
    case ControlCommand::Quit:
        return toHost(request);
    }
    return ControlProtocol::errorReply(QStringLiteral("unhandled command"));
}

QJsonObject Automation::state() const
{
    QJsonObject s = m_host ? m_host->playerState() : QJsonObject();
    QJsonObject windows;
    for (const QString &name : windowNames()) {
        const QWidget *w = AutomationControls::findWindow(name);
        if (!w) {
            windows.insert(name, QJsonObject{{"exists", false}, {"visible", false}});
            continue;
        }
        const QRect frame = w->frameGeometry();
        windows.insert(name, QJsonObject{
                                 {"exists", true},
                                 {"visible", w->isVisible()},
                                 {"x", frame.x()},
                                 {"y", frame.y()},
                                 {"width", frame.width()},
                                 {"height", frame.height()},
                                 {"clientWidth", w->width()},
                                 {"clientHeight", w->height()},
                             });
    }
    s.insert("windows", windows);
    return s;
}

QJsonObject Automation::get(const ControlRequest &request) const
{
    const Target t = resolve(request);
    if (!t.error.isEmpty())
        return ControlProtocol::errorReply(t.error);
    if (t.object == t.window)
        return ControlProtocol::okReply(AutomationControls::describeWindow(t.window));
    return ControlProtocol::okReply(AutomationControls::describe(t.object));
}

QJsonObject Automation::set(const ControlRequest &request)
{
    const Target t = resolve(request);
    if (!t.error.isEmpty())
        return ControlProtocol::errorReply(t.error);
    if (t.object == t.window)
        return ControlProtocol::errorReply(
            QStringLiteral("window \"%1\" has no value to set; name one of its controls").arg(request.window));
    return reply(AutomationControls::setValue(t.object, request.value));
}

QJsonObject Automation::click(const ControlRequest &request)
{
    const Target t = resolve(request);
    if (!t.error.isEmpty())
        return ControlProtocol::errorReply(t.error);
    return reply(AutomationControls::click(t.object));
}

QJsonObject Automation::answer(const ControlRequest &request)
{
    if (request.cancel)
        return reply(AutomationDialogs::cancel());
    if (!request.paths.isEmpty())
        return reply(AutomationDialogs::acceptFiles(request.paths));
    return reply(AutomationDialogs::pressButton(request.button));
}

QJsonObject Automation::screenshot(const QString &requestedPath, bool overwrite) const
{
    QString path = requestedPath;
    if (path.isEmpty())
        path = QDir::temp().filePath(
            QStringLiteral("brivara-screenshot-%1.png")
                .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz"))));
    path = QFileInfo(path).absoluteFilePath();

    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return ControlProtocol::errorReply(QStringLiteral("there is no screen to take a picture of"));
    const QPixmap picture = screen->grabWindow(0);
    if (picture.isNull())
        return ControlProtocol::errorReply(QStringLiteral("the screen could not be captured"));
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        return ControlProtocol::errorReply(QStringLiteral("the screen picture could not be encoded"));
    QString error;
    if (!ExclusiveWrite::write(path, png, overwrite, &error))
        return ControlProtocol::errorReply(QStringLiteral("cannot write %1").arg(error));
    return ControlProtocol::okReply(
        {{"path", path}, {"width", picture.width()}, {"height", picture.height()}});
}

QJsonObject Automation::toHost(const ControlRequest &request)
{
    if (!m_host)
        return ControlProtocol::errorReply(QStringLiteral("no player is attached to this socket"));
    AutomationHost *host = m_host;
    switch (request.command) {
    case ControlCommand::Key:
        QMetaObject::invokeMethod(&m_context, [host, row = request.row] { host->remoteKey(row); },
                                  Qt::QueuedConnection);
        break;
    case ControlCommand::Open:
        QMetaObject::invokeMethod(&m_context, [host, path = request.path] { host->handOver(path); },
                                  Qt::QueuedConnection);
        break;
    case ControlCommand::Quit:
        QMetaObject::invokeMethod(&m_context, [host] { host->quit(); }, Qt::QueuedConnection);
        break;
    default:
        return ControlProtocol::errorReply(QStringLiteral("not a player command"));
    }
    return ControlProtocol::okReply();
}
