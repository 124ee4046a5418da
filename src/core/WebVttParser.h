#pragma once

#include "core/SubtitleLine.h"

#include <QStringList>
#include <QStringView>
#include <optional>

// WebVTT: a "WEBVTT" first line, then blocks parted by blank lines; a cue block is an
// optional identifier, a timing line "[hh:]mm:ss.ttt --> [hh:]mm:ss.ttt settings" and its
// text lines. Other blocks (notes, styles, regions) carry no subtitles.
namespace WebVtt {

bool looksLike(const QStringList &lines);

// "[hh:]mm:ss.ttt" in milliseconds; nullopt when it is not such a time.
std::optional<qint64> timeMs(QStringView text);

// A cue text for the list: tags go, except "<i>" and "</i>"; entities stay for the
// subtitle window to decode.
QString plainText(QStringView text);

// The cues in file order, their lines joined with "|"; the cue settings are not used.
SubtitleList parse(const QStringList &lines);

} // namespace WebVtt
