#pragma once

#include <QByteArray>
#include <QString>

// Writing a file whose name came from someone else (a control-socket client): an existing
// file is replaced only when asked to, and a symbolic link is never followed, so a name
// cannot be used to overwrite what it points at.
namespace ExclusiveWrite {

// False with a reason (naming the file) when `path` is a symbolic link, a folder, an
// existing file without `overwrite`, or cannot be written. A replaced file is swapped whole.
bool write(const QString &path, const QByteArray &bytes, bool overwrite, QString *error);

} // namespace ExclusiveWrite
