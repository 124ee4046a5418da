#pragma once

#include "core/SubtitleLine.h"

#include <QStringList>
#include <QStringView>
#include <optional>

// ASS and the older SSA: sections in brackets, the subtitles as "Dialogue:" lines of the
// "[Events]" section, their fields in the order its "Format:" line gives.
namespace Ass {

// Whether the file is one: its first line that is not blank is "[Script Info]", or one of
// its first lines heads the "[Events]" or a styles section.
bool looksLike(const QStringList &lines);

// "h:mm:ss.cc" in milliseconds; nullopt when it is not such a time.
std::optional<qint64> timeMs(QStringView text);

// A dialogue text for the list: "\N" and "\n" become "|", "\h" a space; override blocks
// go, except italics, which stay as "{\i1}" and "{\i0}"; drawing commands go with them.
QString plainText(QStringView text);

// The dialogues in order of their start (lines of the same start keep the file's order).
SubtitleList parse(const QStringList &lines);

} // namespace Ass
