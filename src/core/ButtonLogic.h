#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// The decisions of the skinned button (TZDButton): which state it paints, where its glyph
// and caption go, how the mouse moves it between states and where its drop-down menu
// opens. Kept free of widgets so every rule is checked without a display; the widget only
// feeds in events and paints what this says.
namespace ButtonLogic {
Q_NAMESPACE

// Where the caption stands relative to the glyph.
enum TTextPos { tpNone, tpLeft, tpRight, tpAbove, tpBelow };
Q_ENUM_NS(TTextPos)

// The glyph being shown; gsNone shows none.
enum TGlyphState { gsDisabled, gsDown, gsUp, gsOver, gsNone };
Q_ENUM_NS(TGlyphState)

// btFlat and btNormal push, btSpeed and btSpeedFlat toggle; btFlat and btSpeedFlat are flat.
enum TButtonStyle { btFlat, btSpeed, btNormal, btSpeedFlat };
Q_ENUM_NS(TButtonStyle)

enum TDropDownMenuPos { dmpBottom, dmpRight };
Q_ENUM_NS(TDropDownMenuPos)

// Which edge of the menu the popup point names (menus here carry no alignment of their own).
enum TMenuAlignment { maLeft, maRight, maCenter };
Q_ENUM_NS(TMenuAlignment)

// The face being painted.
enum PaintState { psUp = 0, psDisabled = 1, psPressed = 2, psLatched = 3 };

bool isToggleStyle(TButtonStyle style);
bool isFlatStyle(TButtonStyle style);
// The style after a skin's "Flat" flag: flat turns normal into flat and speed into
// speed-flat, raised the other way round; a style that already matches stays.
TButtonStyle styleWithFlat(TButtonStyle style, bool flat);

// Skin files number text positions 0 above, 1 below, 2 left, 3 none, 4 right; anything
// else is not a position.
std::optional<TTextPos> textPosFromSkinValue(int value);
int skinValueOfTextPos(TTextPos pos);

// (R*77 + G*150 + B*29) div 256, the grey that flat buttons show away from the mouse.
int greyValue(int r, int g, int b);

// Pixel passes over 0xAARRGGBB rows. Colours compare by RGB only.
// Every pixel but the transparent and the face colour becomes its grey value.
void greyPixels(quint32 *pixels, qsizetype count, quint32 transparentRgb, quint32 faceRgb);
// Every pixel of the colour becomes fully transparent.
void clearColour(quint32 *pixels, qsizetype count, quint32 rgb);

struct Frame
{
    bool drawn = false;
    bool sunken = false;
};

struct Layout
{
    QPoint glyph;      // top-left of the glyph, after the press shift and Margin
    QRect captionArea; // the part of the control left to the caption
};

// Glyph placement: tpNone centres it; tpLeft puts it at the right edge, tpRight at the
// left edge, tpAbove at the bottom, tpBelow at the top, the other coordinate centred.
// Halves are truncated toward zero. margin -1 means none.
Layout layoutGlyph(QSize glyph, QSize control, TTextPos textPos, bool shifted, int margin);

// The point the drop-down menu is anchored at, in control coordinates.
QPoint menuAnchor(TDropDownMenuPos pos, TMenuAlignment align, QSize control);
// The menu's top-left for an anchor and the menu's width.
QPoint menuTopLeft(QPoint anchor, TMenuAlignment align, int menuWidth);

struct ReleaseResult
{
    bool handled = false; // a drag ended
    bool click = false;   // OnClick fires
};

// The button's state machine. Events return whether they were taken (the widget repaints
// and fires its event then).
class ButtonModel
{
public:
    TButtonStyle style = btSpeed;
    int paintState = psUp;
    TGlyphState glyphState = gsUp;
    bool down = false;
    bool mouseInControl = false;
    bool dragging = false;
    bool menuShowing = false;

    // Sets Down; the face follows at once (latched or up).
    void setDown(bool value, bool enabled);

    // The first two paint steps: the paint state from Enabled and Down, then the glyph
    // state from the paint state (gsOver and gsNone stay).
    void resolvePaint(bool enabled);
    // Enabling or disabling ends any drag (a disabled control sees no release) and takes
    // the pointer's presence as it is now.
    void enabledChanged(bool enabled, bool underMouse);

    Frame frame(bool enabled, bool border) const;
    // Glyph and caption move by (1, 1) while pressed or down with a border.
    bool glyphShifted(bool border) const;
    bool captionShifted(bool border) const;
    // Flat buttons draw the glyph in grey while the mouse is elsewhere.
    bool greyGlyph() const;

    bool enter(bool enabled, bool otherHoldsMouse, bool hasOverGlyph);
    bool leave(bool enabled);
    bool press(bool enabled);
    // Returns whether the face changed.
    bool moveWhileDragging(bool inside);
    ReleaseResult release(bool inside);
    // A click from code or keyboard: the toggle flips as for the mouse. Returns whether
    // anything happened (disabled buttons take no clicks).
    bool click(bool enabled);
};

} // namespace ButtonLogic
