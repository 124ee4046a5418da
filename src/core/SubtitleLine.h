#pragma once

#include <QList>
#include <QString>

// One displayable subtitle: its start as an "hh:mm:ss" key (whole seconds; there is no
// stop time) and its text of at most 255 characters, "|" between display lines and a
// leading "\" on a line for italics.
struct SubtitleLine
{
    QString start;
    QString text;

    bool operator==(const SubtitleLine &) const = default;
};

inline constexpr int SubtitleTextMax = 255;

using SubtitleList = QList<SubtitleLine>;
