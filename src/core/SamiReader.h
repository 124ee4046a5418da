#pragma once

#include "core/SubtitleLine.h"

#include <QStringList>

// SAMI read as the markup it is: SYNC blocks spread over any number of lines, paragraphs in
// language classes (only the first class the file uses is read), "<br>" as "|", entities
// decoded but for "&lt;", "&gt;" and "&amp;" (the subtitle window decodes those, so that a
// written "<" never turns into a tag). Text formatting tags (<font>, <i>, <b>, <u>) stay
// for the subtitle window; every other tag goes. A SYNC that holds no text (the usual
// "&nbsp;" that clears the screen) is no entry.
namespace Sami {

SubtitleList read(const QStringList &lines);

} // namespace Sami
