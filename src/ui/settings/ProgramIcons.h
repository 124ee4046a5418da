#pragma once

#include <QByteArray>
#include <QImage>

// The program's icons, drawn rather than shipped: seven pictures the user picks from on the
// associations page and that file managers then show beside the player's files.
namespace ProgramIcons {

inline constexpr int Count = 7;
inline constexpr int DefaultIndex = 1;

// Icon index (clamped to 0..Count-1) at size x size pixels, transparent around the shape.
QImage image(int index, int size = 32);
// The same as PNG bytes, for installing into an icon theme.
QByteArray png(int index, int size);

} // namespace ProgramIcons
