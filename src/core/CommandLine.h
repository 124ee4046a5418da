#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for, decided before anything else is started, so that --help
// and --version answer at once and a mistyped option is reported instead of being opened as
// a film.
namespace CommandLine {

enum class Action { Play, Help, Version, Ipc, Remote, Usage };

struct Request
{
    Action action = Action::Play;
    QString value;    // Play: the file (may be empty); Ipc: the JSON; Remote: the number
    QString problem;  // Usage: what was wrong, for "brivara: ..." on stderr
};

// `arguments` without the program name. Options the windowing toolkit takes for itself
// (-display, -platform, ...) are passed over with their values; "--" ends the options.
Request parse(const QStringList &arguments);

// The texts of --help and --version.
QString helpText();
QString versionText();

} // namespace CommandLine
