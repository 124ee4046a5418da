#include "core/CommandLine.h"

#include "core/Version.h"

namespace CommandLine {
namespace {

// The toolkit's own options: those with a value, then the switches. Either may be written
// with one dash or two.
const QStringList ToolkitWithValue{"platform", "platformpluginpath", "platformtheme", "plugin",
                                   "display", "geometry", "qwindowgeometry", "qwindowtitle",
                                   "qwindowicon", "style", "stylesheet", "session", "name",
                                   "title", "widgetcount"};
const QStringList ToolkitSwitches{"reverse", "nograb", "dograb", "sync"};

QString bareOption(const QString &argument)
{
    return argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
}

Request usage(const QString &problem) { return {Action::Usage, {}, problem}; }

} // namespace

Request parse(const QStringList &arguments)
{
    QString file;
    bool haveFile = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        const bool option = arg.size() > 1 && arg.startsWith(u'-');
        if (!option) {
            // The player takes one file; a second one is left alone, as it always was.
            if (!haveFile) {
                file = arg;
                haveFile = true;
            }
            continue;
        }
        if (arg == QLatin1String("--")) {
            if (!haveFile && i + 1 < arguments.size())
                file = arguments[i + 1];
            return {Action::Play, file, {}};
        }
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help"))
            return {Action::Help, {}, {}};
        if (arg == QLatin1String("-V") || arg == QLatin1String("--version"))
            return {Action::Version, {}, {}};
        if (arg == QLatin1String("--ipc") || arg == QLatin1String("--remote")) {
            if (i + 1 >= arguments.size())
                return usage(QStringLiteral("option '%1' requires an argument").arg(arg));
            return {arg == QLatin1String("--ipc") ? Action::Ipc : Action::Remote, arguments[i + 1], {}};
        }
        const QString bare = bareOption(arg);
        if (ToolkitWithValue.contains(bare)) {
            ++i;
            continue;
        }
        if (ToolkitSwitches.contains(bare))
            continue;
        return usage(QStringLiteral("unrecognized option '%1'").arg(arg));
    }
    return {Action::Play, file, {}};
}

QString helpText()
{
    return QStringLiteral(
        "Usage: brivara [FILE | DRIVE | CD | MENU]\n"
        "  or:  brivara --ipc JSON\n"
        "  or:  brivara --remote N\n"
        "Play films, sound files and audio CDs, with their subtitles. A second brivara\n"
        "hands FILE to the player already running and ends.\n"
        "\n"
        "  FILE             a film or sound file, a disc image's .cue, or a track\n"
        "                   (DRIVE/Track03.cda)\n"
        "  DRIVE            an audio CD drive such as /dev/sr0, from its first track\n"
        "  CD               the media of the current folder, of the last kind found\n"
        "  MENU             search the program's file system for media and play them\n"
        "\n"
        "      --ipc JSON   send one request to the running player, print its reply\n"
        "      --remote N   run key command N (1-42) in the running player\n"
        "  -h, --help       display this help and exit\n"
        "  -V, --version    output version information and exit\n"
        "      --           end of options: the next argument is the file\n"
        "\n"
        "Exit status: 0 done; 1 the running player refused the request; 2 wrong usage,\n"
        "or no running player to send a request to.\n"
        "Full documentation: man brivara\n");
}

QString versionText()
{
    // "V1.7" on the about page; the usual "name version" here.
    QString version = QLatin1String(Brivara::VersionText);
    if (version.startsWith(u'V'))
        version.remove(0, 1);
    return QStringLiteral("brivara %1\n").arg(version);
}

} // namespace CommandLine
