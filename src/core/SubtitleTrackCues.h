#pragma once

#include "core/SubtitleLine.h"

// Subtitle tracks inside films: their menu captions and their cues as subtitle entries.
namespace SubtitleTrackCues {

// "Ścieżka 2 (pl)" for the track of index 1 in Polish; without a language "Ścieżka 2".
QString caption(int index, const QString &language);

// The cue's text as the list keeps it: lines joined with "|", the markup's entities
// decoded (the tags stay, as a SubRip file keeps them), at most 255 characters.
QString entryText(const QString &cueText);

// Puts a cue into the list in time order (after entries of the same start). A cue already
// there (same start, same text: the film was played over again) is not added twice, nor
// is a cue without text. False when nothing was added.
bool insert(SubtitleList *list, qint64 startMs, qint64 stopMs, const QString &cueText);

} // namespace SubtitleTrackCues
