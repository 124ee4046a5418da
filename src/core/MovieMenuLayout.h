#pragma once

#include "core/MovieMenuRecord.h"

#include <QRect>
#include <QList>
#include <QUrl>
#include <functional>

// How the movie menu lies over the picture: how many entries count, how large its letters
// may be, where the window, the title band and each entry's click region go.
namespace MovieMenuLayout {

// All five, or up to the entry before the first empty one among entries 2 to 5 (the first
// entry always counts).
int entryCount(const MovieMenu &menu);

// The entries' letter height for a picture this high.
int fontHeight(int videoHeight, int entries);

// Lowers the letter height one step at a time while the widest text plus 10 pixels is
// wider than the video window's client area or, in full screen, than the display; never
// below 1. `widestAt(h)` measures at letter height h.
int fittedFontHeight(int height, const std::function<int(int height)> &widestAt, int clientWidth,
                     bool fullScreen, int displayWidth);

struct Geometry
{
    QRect window;          // in screen coordinates
    int titleHeight = 0;   // the title's letters: the entries' height + 5
    int titleBand = 0;     // where the first entry starts
    int entryStep = 0;     // from one entry to the next
    QList<QRect> regions;  // the click regions of the counted entries, in the window
};
// `videoClient` is the video window's client area on screen, `widest` the widest text at
// `height`, `outline` the letters' outline width.
Geometry place(const QRect &videoClient, int entries, int height, int widest, int outline);

// What a link entry opens, and whether that needs the user's answer first. Web and mail
// addresses open directly; anything else (a program, a script, a file of any kind) may
// come from a downloaded film and is shown to the user before it is opened.
struct Link
{
    QUrl target;
    bool ask = true;
};
Link link(const QString &entryText, const QString &filmFolder);

} // namespace MovieMenuLayout
