#pragma once

#include <QString>
#include <optional>

// What a file's name says about it.
namespace MediaFiles {

enum class Kind { Video, Audio, AudioCdTrack };

// By extension, compared in upper case: sound-only files get no video window; ".CDA"
// tracks play from the disc.
Kind classify(const QString &path);

// ".TXT", ".SUB", ".SRT", ".SSA", ".SMI", ".ASS", ".VTT": dropped files of these kinds are
// subtitles.
bool isSubtitle(const QString &path);

// Part two of a two-part film: the character before the last dot is a digit d and it
// becomes d + 1 ("film1.avi" -> "film2.avi", "cd9.avi" -> "cd10.avi"). Empty when the
// name has no such digit.
std::optional<QString> nextPartName(const QString &path);

// The subtitle file looked for first: the same name with ".txt".
QString subtitleCandidate(const QString &path);

} // namespace MediaFiles
