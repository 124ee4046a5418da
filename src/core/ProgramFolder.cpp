#include "core/ProgramFolder.h"

#include "core/Version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramFolder {

QString path()
{
    const QString home = qEnvironmentVariable("BRIVARA_HOME");
    if (!home.isEmpty())
        return QDir(home).absolutePath();
    if (QCoreApplication::instance()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        if (QFileInfo(exeDir).isWritable())
            return exeDir;
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                         + QStringLiteral("/%1/%2").arg(QLatin1String(Brivara::Organisation),
                                                         QLatin1String(Brivara::ProgramName));
    QDir().mkpath(data);
    return data;
}

QString keyBindingFile() { return path() + QStringLiteral("/BrivaraKey.zdr"); }

QString shippedData()
{
    if (!QCoreApplication::instance())
        return {};
    const QDir exe(QCoreApplication::applicationDirPath());
    for (const QString &candidate : {exe.path(), exe.filePath(QStringLiteral("../share/brivara"))})
        if (QFileInfo(QDir(candidate).filePath(QStringLiteral("LANG"))).isDir())
            return QDir(candidate).absolutePath();
    return {};
}

} // namespace ProgramFolder
