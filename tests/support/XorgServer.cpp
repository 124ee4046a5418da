#include "support/XorgServer.h"

#include "support/TestSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace {
constexpr const char *DriverPath = "/usr/lib/xorg/modules/drivers/dummy_drv.so";

QString config(int outputs)
{
    QString devices, monitors;
    for (int i = 0; i < outputs; ++i) {
        devices += QStringLiteral("  Option \"Monitor-DUMMY%1\" \"mon%1\"\n").arg(i);
        monitors += QStringLiteral("Section \"Monitor\"\n  Identifier \"mon%1\"\n  HorizSync 5.0-1000.0\n"
                                   "  VertRefresh 5.0-200.0\n  Option \"PreferredMode\" \"1024x768\"\n")
                        .arg(i);
        if (i > 0)
            monitors += QStringLiteral("  Option \"Enable\" \"true\"\n  Option \"RightOf\" \"mon%1\"\n").arg(i - 1);
        monitors += QStringLiteral("EndSection\n");
    }
    return QStringLiteral("Section \"Device\"\n  Identifier \"dummy\"\n  Driver \"dummy\"\n  VideoRam 256000\n")
           + devices + QStringLiteral("EndSection\n") + monitors
           + QStringLiteral("Section \"Screen\"\n  Identifier \"screen\"\n  Device \"dummy\"\n  Monitor \"mon0\"\n"
                            "  DefaultDepth 24\n  SubSection \"Display\"\n    Depth 24\n    Virtual 4096 2048\n"
                            "  EndSubSection\nEndSection\n");
}

bool displayFree(int n)
{
    return !QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))
           && !QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n));
}
} // namespace

bool XorgServer::installed()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xorg")).isEmpty() && QFileInfo::exists(DriverPath);
}

bool XorgServer::start(int outputs, QString *why)
{
    int n = 60;
    while (n < 200 && !displayFree(n))
        ++n;
    m_display = QStringLiteral(":%1").arg(n);
    const QString conf = m_dir.filePath(QStringLiteral("xorg.conf"));
    QFile file(conf);
    if (!file.open(QIODevice::WriteOnly) || file.write(config(outputs).toUtf8()) < 0) {
        *why = QStringLiteral("cannot write %1").arg(conf);
        return false;
    }
    file.close();
    // An empty configuration folder keeps the machine's own snippets out.
    QDir().mkpath(m_dir.filePath(QStringLiteral("none")));
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(m_dir.filePath(QStringLiteral("out.txt")));
    m_process.start(QStringLiteral("Xorg"),
                    {m_display, QStringLiteral("-noreset"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                     QStringLiteral("-config"), conf, QStringLiteral("-configdir"), m_dir.filePath(QStringLiteral("none")),
                     QStringLiteral("-logfile"), m_dir.filePath(QStringLiteral("xorg.log"))});
    if (!m_process.waitForStarted(5000)) {
        *why = QStringLiteral("Xorg did not start: %1").arg(m_process.errorString());
        return false;
    }
    const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(n);
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
        if (QFileInfo::exists(socket) && xrandr().contains(QStringLiteral("connected")))
            return true;
        QThread::msleep(100);
    }
    QFile log(m_dir.filePath(QStringLiteral("xorg.log")));
    log.open(QIODevice::ReadOnly);
    *why = QStringLiteral("Xorg on %1 did not come up; its log ends:\n%2").arg(m_display, QString::fromLocal8Bit(log.readAll().right(1500)));
    stop();
    return false;
}

void XorgServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString XorgServer::xrandr(const QStringList &arguments) const
{
    QString output;
    TestSupport::run(QStringLiteral("xrandr"), QStringList{QStringLiteral("-display"), m_display} + arguments, 10000,
                     &output);
    return output;
}
