#include "core/ExclusiveWrite.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ExclusiveWrite {

namespace {

bool fail(QString *error, const QString &path, const QString &reason)
{
    if (error)
        *error = QStringLiteral("%1: %2").arg(path, reason);
    return false;
}

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

} // namespace

bool write(const QString &path, const QByteArray &bytes, bool overwrite, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    const bool exists = lstat(name.constData(), &st) == 0;
    if (exists && S_ISLNK(st.st_mode))
        return fail(error, path, QStringLiteral("is a symbolic link; not followed"));
    if (exists && S_ISDIR(st.st_mode))
        return fail(error, path, QStringLiteral("is a folder"));
    if (exists && !overwrite)
        return fail(error, path, QStringLiteral("already exists (ask with \"overwrite\":true to replace it)"));

    if (exists) {
        // Written beside it and renamed over it: the old file stays whole until the new one is.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            return fail(error, path, file.errorString());
        return true;
    }
    // O_EXCL with O_NOFOLLOW: a file or link that appears meanwhile is never written through.
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return fail(error, path, systemError());
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const QString reason = systemError();
            ::close(fd);
            ::unlink(name.constData());
            return fail(error, path, reason);
        }
        done += n;
    }
    if (::close(fd) != 0) {
        const QString reason = systemError();
        ::unlink(name.constData());
        return fail(error, path, reason);
    }
    return true;
}

} // namespace ExclusiveWrite
