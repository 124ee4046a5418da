#include "support/TestSupport.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QProcess>
#include <QStandardPaths>

namespace TestSupport {

QString mediaDir()
{
    const QString env = qEnvironmentVariable("BRIVARA_TEST_MEDIA");
    const QString dir = env.isEmpty() ? QDir::tempPath() + "/brivara-test-media" : env;
    QDir().mkpath(dir);
    return dir;
}

int run(const QString &program, const QStringList &arguments, int timeoutMs, QString *output)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    if (!p.waitForStarted(10000))
        return -1;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    if (output)
        *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace TestSupport

namespace TestSupport {

void isolateUserFolders(const QString &root)
{
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "BRIVARA_HOME"}) {
        const QString dir = root + QLatin1Char('/') + QString::fromLatin1(name).toLower();
        QDir().mkpath(dir);
        qputenv(name, dir.toLocal8Bit());
    }
}

} // namespace TestSupport

namespace TestSupport {

QProcessEnvironment playerEnvironment(const QString &root, const QString &socket)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("BRIVARA_SOCKET", socket);
    env.insert("BRIVARA_AUDIOSINK", "fakeaudiosink");
    env.insert("XDG_CONFIG_HOME", root + "/config");
    env.insert("XDG_DATA_HOME", root + "/data");
    env.insert("BRIVARA_HOME", root + "/program");
    // A Polish desktop keeps the built-in texts; a test of another language sets its own.
    env.insert("LANGUAGE", "pl");
    QDir().mkpath(root + "/program");
    return env;
}

} // namespace TestSupport

namespace TestSupport {

void showBackdrop(QWidget &backdrop, const QColor &colour)
{
    backdrop.setWindowFlags(Qt::FramelessWindowHint);
    QPalette palette = backdrop.palette();
    palette.setColor(QPalette::Window, colour);
    backdrop.setPalette(palette);
    backdrop.setAutoFillBackground(true);
    backdrop.setGeometry(QGuiApplication::primaryScreen()->geometry());
    backdrop.show();
}

} // namespace TestSupport
