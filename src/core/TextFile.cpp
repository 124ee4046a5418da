#include "core/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace TextFile {

namespace {

// The program's own text files are small; past this a file is not one of them.
constexpr qint64 MaxBytes = 16LL * 1024 * 1024;

} // namespace

bool readLines(const QString &fileName, QStringList *lines, QString *error)
{
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(fileName, reason);
        return false;
    };
    // A pipe or a device in the file's place would be read forever, and something huge is
    // not one of these files: neither is read.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        return fail(QStringLiteral("to nie jest zwykły plik"));
    if (info.size() > MaxBytes)
        return fail(QStringLiteral("plik jest za duży"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    QByteArray bytes = file.read(std::min(info.size(), MaxBytes) + 1);
    if (bytes.size() > info.size())
        bytes += file.read(MaxBytes + 1 - bytes.size());
    if (bytes.size() > MaxBytes)
        return fail(QStringLiteral("plik jest za duży"));
    const QString text = QString::fromUtf8(bytes);
    QStringList out = text.split(QLatin1Char('\n'));
    for (QString &line : out)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    *lines = out;
    return true;
}

bool writeLines(const QString &fileName, const QStringList &lines, QString *error)
{
    QByteArray data;
    for (const QString &line : lines)
        data += line.toUtf8() + "\r\n";
    return writeBytes(fileName, data, error);
}

bool writeBytes(const QString &fileName, const QByteArray &data, QString *error)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(fileName, file.errorString());
    return false;
}

} // namespace TextFile
