#pragma once

// What the fuzz entry points share: a failed check aborts (libFuzzer and the replay both
// report an abort), and readers that take a path read the input from a scratch file.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdlib>
#include <unistd.h>

namespace Fuzz {

inline void require(bool holds)
{
    if (!holds)
        std::abort();
}

// A file holding `bytes`, named `name`, in a folder of this process (in memory where
// /dev/shm is there): the readers see it as they would see a user's file.
inline QString scratchFolder();

inline QString scratchFile(const QByteArray &bytes, const QString &name)
{
    const QString path = scratchFolder() + QLatin1Char('/') + name;
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
    return path;
}

inline QString scratchFolder()
{
    // Never destroyed: the exit handler that removes the folder runs after static objects go.
    static const QString *const folder = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        auto *path = new QString(QStringLiteral("%1/brivara-fuzz-%2").arg(base).arg(getpid()));
        QDir().mkpath(*path);
        std::atexit([] { QDir(scratchFolder()).removeRecursively(); });
        return path;
    }();
    return *folder;
}

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace Fuzz
