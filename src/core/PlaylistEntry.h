#pragma once

#include <QString>
#include <array>
#include <optional>

// One row of the playlist: seven texts, the full path in the last. The grid shows them as
// they are, and the path alone is enough to play the entry.
namespace PlaylistEntry {

enum Column { Number = 0, Name, Extension, Size, Time, Resolution, Path, ColumnCount };

using Row = std::array<QString, ColumnCount>;

// Extension without the dot, lower case, at most 5 characters ("" when the name has none).
QString extensionText(const QString &path);

// Bytes as MiB with 2 decimals ("700.00").
QString sizeText(qint64 bytes);

// The cells a path gets from the disk: name, extension, path, and the size (or
// `missingText` when there is no such file). The number, time and resolution are left to
// the caller. `sizeMiB`, when given, receives the size in MiB for the size limits (empty for
// a missing file).
Row fromDisk(const QString &path, const QString &missingText, std::optional<double> *sizeMiB = nullptr);

// The size cell as a number of MiB; empty when it is not one (a missing file's text).
std::optional<double> sizeValue(const QString &cell);

} // namespace PlaylistEntry
