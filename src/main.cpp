#include "core/CdTrackName.h"
#include "core/CommandLine.h"
#include "core/ControlProtocol.h"
#include "core/SettingsStore.h"
#include "core/Version.h"
#include "engine/GstMediaEngine.h"
#include "engine/GstWarmUp.h"
#include "engine/SystemCdDrive.h"
#include "platform/ControlClient.h"
#include "platform/ControlServer.h"
#include "platform/DesktopRecentFiles.h"
#include "platform/DisplayModes.h"
#include "platform/MprisService.h"
#include "platform/ScreenSaver.h"
#include "platform/SystemPower.h"
#include "ui/app/Automation.h"
#include "ui/app/BrivaraApplication.h"
#include "ui/app/DesktopRecent.h"
#include "ui/app/Dialogs.h"
#include "ui/app/MediaControls.h"
#include "ui/app/Player.h"
#include "ui/settings/TForm4.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

// Sends one request to the running instance; the exit code says whether it was done.
int sendToRunning(const QJsonObject &request)
{
    const ControlClient::Reply reply = ControlClient::send(ControlServer::defaultName(), request);
    if (!reply.delivered) {
        std::fprintf(stderr, "brivara: %s\n", qPrintable(reply.error));
        return 2;
    }
    std::printf("%s\n", reply.line.constData());
    return reply.object.value("ok").toBool() ? 0 : 1;
}

int commandLineTool(int argc, char **argv, const CommandLine::Request &request)
{
    QCoreApplication core(argc, argv);
    const QString &value = request.value;
    if (request.action == CommandLine::Action::Remote) {
        bool ok = false;
        const int row = value.toInt(&ok);
        if (!ok) {
            std::fprintf(stderr, "brivara: --remote needs a key number\n");
            return 2;
        }
        return sendToRunning(ControlProtocol::keyRequest(row));
    }
    const QJsonDocument doc = QJsonDocument::fromJson(value.toUtf8());
    if (!doc.isObject()) {
        std::fprintf(stderr, "brivara: --ipc needs one JSON object\n");
        return 2;
    }
    return sendToRunning(doc.object());
}

} // namespace

int main(int argc, char **argv)
{
    // Answered before any window or library is started: --help costs nothing.
    QStringList rawArguments;
    for (int i = 1; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine::Request request = CommandLine::parse(rawArguments);
    switch (request.action) {
    case CommandLine::Action::Help:
        std::fputs(qPrintable(CommandLine::helpText()), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::fputs(qPrintable(CommandLine::versionText()), stdout);
        return 0;
    case CommandLine::Action::Usage:
        std::fprintf(stderr, "brivara: %s\nTry 'brivara --help' for more information.\n",
                     qPrintable(request.problem));
        return 2;
    case CommandLine::Action::Ipc:
    case CommandLine::Action::Remote:
        return commandLineTool(argc, argv, request);
    case CommandLine::Action::Play:
        break;
    }

    // GStreamer and the film's plugins load beside the toolkit and the windows, not after them.
    const GstWarmUp warmUp(request.value);

    BrivaraApplication app(argc, argv);
    // The toolkit's own options are gone from what the player is given.
    const QStringList arguments = request.value.isEmpty() ? QStringList() : QStringList{request.value};

    ControlServer server;
    switch (server.listen()) {
    case ControlServer::ListenResult::AnotherInstance: {
        // The first instance plays the file; this one only hands it over (with no file,
        // the first one just comes to the front).
        QString path = arguments.value(0);
        if (const QString drive = CdTrackName::driveOfArgument(path); !drive.isEmpty())
            path = CdTrackName::path(drive, 1); // a disc: its first track
        else if (!path.isEmpty() && QFileInfo::exists(path))
            path = QFileInfo(path).absoluteFilePath();
        // The settings keep the name too, for whoever looks there.
        SettingsStore store;
        store.write(QStringLiteral("NewFile"), SettingsStore::Type::String, path);
        store.sync();
        ControlClient::send(ControlServer::defaultName(), ControlProtocol::openRequest(path));
        return 0;
    }
    case ControlServer::ListenResult::Failed:
        // Without the socket there is no hand-over or remote control, but the player works.
        std::fprintf(stderr, "brivara: control socket unavailable: %s\n",
                     qPrintable(server.errorString()));
        break;
    case ControlServer::ListenResult::Listening:
        break;
    }

    Player::Services services;
    services.engine = std::make_unique<GstMediaEngine>();
    services.dialogs = std::make_unique<QtDialogs>();
    services.screenSaver = std::make_unique<DBusScreenSaver>();
    services.power = std::make_unique<SystemPower>();
    services.cdDrive = std::make_unique<SystemCdDrive>();
    services.displayModes = makeXRandrDisplayModes();
    Player player(std::move(services));
    // Both follow the panel, so they go before the player does.
    MediaControls mediaControls(player, std::make_unique<MprisService>());
    DesktopRecent desktopRecent(player, std::make_unique<XbelRecentFiles>());
    app.setErrorReporter([&player](const QString &message) {
        player.restoreDisplay();
        player.dialogs().message(nullptr, QMessageBox::Critical,
                                 QString::fromLatin1(Brivara::ProgramName), message);
    });

    Automation automation(player);
    server.setHandler([&automation](const ControlRequest &request) {
        return automation.handle(request);
    });
    QObject::connect(&player, &Player::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    // When the display goes away the platform ends the program from inside its event loop
    // (with exit(), past every window's close): the run values are written on the way out.
    static Player *unclosed = nullptr;
    unclosed = &player;
    std::atexit([] {
        if (Player *p = std::exchange(unclosed, nullptr)) {
            qApp->setProperty(BrivaraApplication::DisplayGoneProperty, true);
            p->form4()->writeRunValues();
        }
    });

    player.start(arguments);
    const int code = app.exec();
    unclosed = nullptr;
    server.close();
    return code;
}
