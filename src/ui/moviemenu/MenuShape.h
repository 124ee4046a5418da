#pragma once

#include <QFont>
#include <QList>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QString>

// The movie menu's shape: each line's letters (top-left of its text cell at `at`), united
// with copies shifted right by 1..outline-1 and down by 1..outline (at least 1 each), so the dark outline
// lies to the right of and below the letters.
namespace MenuShape {

struct Line
{
    QString text;
    QFont font;
    QPoint at;
};

QRegion region(const QList<Line> &lines, const QSize &size, int outline);

} // namespace MenuShape
