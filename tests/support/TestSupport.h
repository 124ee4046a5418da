#pragma once

#include <QColor>
#include <QProcessEnvironment>
#include <QString>

class QWidget;

namespace TestSupport {

// Folder for generated media shared by the tests of one build (made once, reused).
QString mediaDir();

// Runs a program to its end; returns its exit code (-1 when it could not start or timed out).
int run(const QString &program, const QStringList &arguments, int timeoutMs = 120000,
        QString *output = nullptr);

// Points the user's settings, data and program folders (XDG_CONFIG_HOME, XDG_DATA_HOME,
// BRIVARA_HOME) at fresh folders inside `root`, so a test never reads or writes the real ones.
void isolateUserFolders(const QString &root);

// The environment for a real brivara process in an end-to-end test: its own control socket,
// a silent audio output, and settings, data and program folders inside `root`.
QProcessEnvironment playerEnvironment(const QString &root, const QString &socket);

// A frameless window of one colour over the whole screen, shown: what shaped windows are
// seen against in screenshots.
void showBackdrop(QWidget &backdrop, const QColor &colour);

} // namespace TestSupport
