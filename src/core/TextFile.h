#pragma once

#include <QString>
#include <QStringList>

// Whole-file text reads and atomic writes (a crash mid-write leaves the old file).
namespace TextFile {

// Lines without their line ends; false when the file cannot be read.
bool readLines(const QString &fileName, QStringList *lines, QString *error = nullptr);
// Lines joined with CR LF, as the program's own text files have always been written.
bool writeLines(const QString &fileName, const QStringList &lines, QString *error = nullptr);

} // namespace TextFile
