#include "platform/DesktopRecentFiles.h"

#include "core/DesktopEntry.h"
#include "core/RecentlyUsed.h"
#include "core/Version.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QMimeDatabase>

XbelRecentFiles::XbelRecentFiles(QString xbelPath) : m_path(std::move(xbelPath))
{
    if (m_path.isEmpty())
        m_path = RecentlyUsed::defaultPath();
    // The file's own convention: the command line in single quotes, %u for the address.
    m_exec = QStringLiteral("'%1 %u'").arg(DesktopEntry::execArgument(
        QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QStringLiteral("brivara")));
    m_worker.setMaxThreadCount(1);
}

XbelRecentFiles::~XbelRecentFiles() { finish(); }

void XbelRecentFiles::finish() { m_worker.waitForDone(); }

void XbelRecentFiles::add(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return; // a disc track or a vanished file is nothing the desktop could open
    RecentlyUsed::Entry entry{info.absoluteFilePath(), {}, QLatin1String(Brivara::ProgramName), m_exec,
                              QDateTime::currentDateTimeUtc()};
    const QString xbel = m_path;
    m_worker.start([entry, xbel]() mutable {
        entry.mimeType = QMimeDatabase().mimeTypeForFile(entry.path).name();
        QString error;
        if (!RecentlyUsed::add(xbel, entry, &error))
            qWarning("recent files: %s", qPrintable(error));
    });
}
