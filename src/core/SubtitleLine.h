#pragma once

#include <QList>
#include <QString>

// One displayable subtitle: its start as an "hh:mm:ss" key (whole seconds) and its text of
// at most 255 characters, "|" between display lines and a leading "\" on a line for
// italics. The key is what matching, the editor and saving go by.
//
// Formats that write finer times also leave them here, in milliseconds (-1: not known), for
// exact timing. They refine the key, never replace it: an entry whose key no longer holds
// startMs's second (edited by hand) goes by its key (see SubtitleTimes).
struct SubtitleLine
{
    QString start;
    QString text;
    qint64 startMs = -1;
    qint64 stopMs = -1;

    // The same subtitle: same key, same text. The finer times are the file's reading of the
    // key, compared where they are the question.
    bool operator==(const SubtitleLine &other) const { return start == other.start && text == other.text; }
};

inline constexpr int SubtitleTextMax = 255;

using SubtitleList = QList<SubtitleLine>;
