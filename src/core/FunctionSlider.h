#pragma once

#include <QLocale>
#include <QString>

// The one small slider of the control panel adjusts eight things in turn. This is the
// arithmetic behind it: each mode's name, how a level -5..5 becomes the value the media
// engine takes, and the texts echoed on the on-screen display.
namespace FunctionSlider {

enum Mode {
    Txt = 0,        // subtitle clock shift
    Speed = 1,
    Balance = 2,
    Volume = 3,
    Brightness = 4,
    Contrast = 5,
    Saturation = 6,
    Quality = 7,
};
constexpr int ModeCount = 8;
constexpr int StartMode = Volume;
constexpr int MinLevel = -5;
constexpr int MaxLevel = 5;
constexpr int Muted = -10000; // hundredths of a dB: silence

// A mode outside 0..7 is read as the start mode, so a stray tag never indexes past the table.
int validMode(int mode);
// The mode after this one, wrapping from the last to the first.
int nextMode(int mode);
// The panel's label for the mode: "TXT", "Speed", "Balans", "Volume", "Bright", "Contrast",
// "Satura", "Quality".
QString modeName(int mode);
int clampLevel(int level);

// Subtitle shift in whole seconds: the level itself.
int subtitleShiftSeconds(int level);
// (level + 5) x 0.2, except that level -5 plays at 0.1 rather than standing still.
double rate(int level);
// level x 500: -2500 (left) .. 2500 (right).
int balance(int level);
// -(25 - 5 x level)^2 hundredths of a dB: 5 -> 0, 0 -> -625, -5 -> -2500. The curve drops
// slowly near full volume and fast near the bottom, as the ear expects.
int volume(int level);

// The picture controls are one videobalance element that every graph carries. Its ranges
// are walked end to end by the eleven levels, so level 0 leaves the picture untouched:
//   brightness = level / 5        (-1 .. 1, 0 neutral)
//   contrast   = 1 + level / 5    ( 0 .. 2, 1 neutral)
//   saturation = 1 + level / 5    ( 0 .. 2, 1 neutral)
double brightness(int level);
double contrast(int level);
double saturation(int level);

// The decoder-quality figure of the quality mode, Trunc((level + 5) x 5.5): 0 .. 55. No
// element of our graphs has a processor-for-quality trade-off to hand it to, so the
// quality mode keeps and shows its level but changes nothing in the picture.
int decoderQuality(int level);

// Whether the mode works on the picture controls, which exist only while a graph is
// built. Because those controls belong to every graph (not to one decoder), modes 4 to 7
// act on every film.
bool needsPictureControls(int mode);
// Whether the slider and its label are usable in this mode.
bool modeEnabled(int mode, bool pictureControlsHeld);

// The level as a 13-character bar: "[" + (v + 5) dashes + "|" + (5 - v) dashes + "]".
// Levels outside -5..5 are drawn at the nearest end.
QString osdBar(int level);
// "Speed x" + the rate with one decimal in the locale's number format.
QString speedText(int level, const QLocale &locale = QLocale());
// The OSD label put before the bar for modes Balance, Volume and 4..7 ("Balans ",
// "Volume ", "Brightnes ", "Contrast ", "Saturation ", "Quality "); empty for the others.
QString barLabel(int mode);
// Label + bar; empty for modes without a bar.
QString barText(int mode, int level);
// The subtitle shift echo: the message-table prefix, the seconds and " sek".
QString shiftText(const QString &prefix, int level);

QString muteText(bool muted); // "MUTE ON" / "MUTE OFF"

} // namespace FunctionSlider
