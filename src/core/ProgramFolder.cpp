#include "core/ProgramFolder.h"

#include "core/Version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramFolder {

bool isInstalled(const QString &executableFolder)
{
    return QFileInfo(executableFolder + QStringLiteral("/../share/brivara")).isDir();
}

QString path()
{
    const QString home = qEnvironmentVariable("BRIVARA_HOME");
    if (!home.isEmpty())
        return QDir(home).absolutePath();
    if (QCoreApplication::instance()) {
        // An installed program never writes beside itself, not even when the folder lets
        // it (root, or a prefix in the user's home): /usr/bin is nobody's program folder.
        const QString exeDir = QCoreApplication::applicationDirPath();
        if (QFileInfo(exeDir).isWritable() && !isInstalled(exeDir))
            return exeDir;
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                         + QStringLiteral("/%1/%2").arg(QLatin1String(Brivara::Organisation),
                                                         QLatin1String(Brivara::ProgramName));
    QDir().mkpath(data);
    return data;
}

QString keyBindingFile() { return path() + QStringLiteral("/BrivaraKey.zdr"); }

QStringList dataFolders()
{
    const QString data = qEnvironmentVariable("BRIVARA_DATA_DIR");
    if (!data.isEmpty())
        return {data};
    if (!QCoreApplication::instance())
        return {};
    const QString exe = QCoreApplication::applicationDirPath();
    return {exe + QStringLiteral("/share/brivara"), exe + QStringLiteral("/../share/brivara")};
}

QString shippedData()
{
    for (const QString &candidate : dataFolders())
        if (QFileInfo(QDir(candidate).filePath(QStringLiteral("LANG"))).isDir())
            return QDir(candidate).absolutePath();
    return {};
}

} // namespace ProgramFolder
