#include "core/SkinFolders.h"

#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>

namespace SkinFolders {

namespace {
const QString SkinsFolder = QStringLiteral("SKINS");
} // namespace

QString userRoot() { return ProgramFolder::path() + QLatin1Char('/') + SkinsFolder; }

QStringList shippedRoots()
{
    QStringList out;
    for (const QString &candidate : ProgramFolder::dataFolders()) {
        const QString root = QDir::cleanPath(candidate + QLatin1Char('/') + SkinsFolder);
        if (QFileInfo(root).isDir() && root != QDir::cleanPath(userRoot()))
            out << root;
    }
    return out;
}

QStringList roots() { return QStringList{userRoot()} + shippedRoots(); }

QStringList list(const QStringList &roots)
{
    QStringList names;
    for (const QString &root : roots)
        for (const QString &name : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (!names.contains(name))
                names << name;
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

QString locate(const QString &name, const QStringList &roots)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String("..")
        || name == QLatin1String("."))
        return {};
    for (const QString &root : roots) {
        const QString folder = root + QLatin1Char('/') + name;
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return {};
}

QString stage(const QString &folder, QString *error)
{
    const QFileInfo info(folder);
    QTemporaryDir staging(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral("-XXXXXX"));
    if (!staging.isValid()) {
        if (error)
            *error = QStringLiteral("Cannot create Directory ") + staging.path();
        return {};
    }
    staging.setAutoRemove(false);
    const QDir existing(folder);
    for (const QString &name : existing.entryList(QDir::Files | QDir::Hidden)) {
        if (!QFile::copy(existing.filePath(name), staging.filePath(name))) {
            if (error)
                *error = QStringLiteral("%1: cannot copy").arg(existing.filePath(name));
            QDir(staging.path()).removeRecursively();
            return {};
        }
    }
    return staging.path();
}

bool commit(const QString &staged, const QString &folder, QString *error)
{
    const QByteArray from = QFile::encodeName(staged);
    const QByteArray to = QFile::encodeName(folder);
    int result;
    if (QFileInfo(folder).isDir()) {
        result = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE);
        if (result != 0 && errno == EINVAL) {
            // A file system without exchange: two renames, the old skin set aside first.
            const QByteArray aside = from + ".old";
            result = ::rename(to.constData(), aside.constData());
            if (result == 0) {
                result = ::rename(from.constData(), to.constData());
                if (result != 0)
                    ::rename(aside.constData(), to.constData());
                else
                    QDir(QFile::decodeName(aside)).removeRecursively();
            }
        }
    } else {
        result = ::rename(from.constData(), to.constData());
    }
    if (result != 0) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
        QDir(staged).removeRecursively();
        return false;
    }
    // After an exchange the staging path holds the previous skin.
    QDir(staged).removeRecursively();
    return true;
}

} // namespace SkinFolders
