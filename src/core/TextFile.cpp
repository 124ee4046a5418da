#include "core/TextFile.h"

#include <QFile>
#include <QSaveFile>

namespace TextFile {

bool readLines(const QString &fileName, QStringList *lines, QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(fileName, file.errorString());
        return false;
    }
    const QString text = QString::fromUtf8(file.readAll());
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
