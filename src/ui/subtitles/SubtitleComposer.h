#pragma once

#include "core/SubtitleMarkup.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>

// How a subtitle looks: the preference values the subtitle window reads when it shows one.
struct SubtitleStyle
{
    enum Kind { Transparent = 0, Opaque = 1, SemiTransparent = 2 };
    int kind = Transparent;       // FontType
    int outline = 3;              // EObwodka, pixels
    bool autoHeight = true;       // FontAutoHeight
    double fontVol = 8;           // FontVol, percent
    double fontPoints = 20;       // EFontSize
    double napisBottom = 0;       // NapisBottom, percent
    bool underPicture = false;    // NapisPod
    double widthPercent = 99;     // FWidth
    bool splitWide = true;        // IQDziel
    bool shrinkWide = false;      // IQZmniejsz
};

// Where a subtitle goes: the video window and the display it is on.
struct SubtitleStage
{
    QRect videoFrame;             // the video window on the screen, frame included
    int videoClientWidth = 0;
    int pictureHeight = 0;        // the picture rectangle's height
    bool fullScreen = false;
    QSize display{640, 480};      // the full-screen display mode
    double dpi = 96;
    int videoClientTop = 0;       // where the picture starts below the video window's top
};

// One subtitle laid out: its lines with their fonts and places, the window's geometry and
// the outlined shape of its letters.
struct SubtitleComposition
{
    // A stretch of one line in one style.
    struct Piece
    {
        QString text;
        QFont font;
        QColor colour;            // invalid: the window font's colour
        QPainterPath letters;     // in the window, underline included
    };
    struct Line
    {
        QString text;             // as drawn: without the italic mark and the markup
        QFont font;               // the line's font before markup
        QPoint at;                // top-left of the character cell, in the window
        QPainterPath letters;     // the letters' outline there, the very one the shape grows from
        QList<Piece> pieces;      // the letters again, piece by piece
    };
    QList<Line> lines;            // the lines that have text
    int count = 0;                // display lines the window is high
    int charHeight = 0;           // pixels
    int textWidth = 0;            // the widest line
    int boxOffset = 0;
    QRect geometry;               // on the screen
    QRegion outline;              // in the window
    SubtitleMarkup::Place place = SubtitleMarkup::Place::Bottom;
};

namespace SubtitleComposer {

// Lays out `text` ("|" between lines, "\" before an italic line, markup as subtitle files
// write it) in `windowFont` (drawn bold whatever its style) for the given preferences and
// video window.
SubtitleComposition compose(const QString &text, const QFont &windowFont, const SubtitleStyle &style,
                            const SubtitleStage &stage);

} // namespace SubtitleComposer
