#include "core/ButtonLogic.h"

#include <QtGlobal>

#include <iterator>

namespace ButtonLogic {

bool isToggleStyle(TButtonStyle style)
{
    return style == btSpeed || style == btSpeedFlat;
}

bool isFlatStyle(TButtonStyle style)
{
    return style == btFlat || style == btSpeedFlat;
}

TButtonStyle styleWithFlat(TButtonStyle style, bool flat)
{
    if (flat) {
        if (style == btNormal)
            return btFlat;
        if (style == btSpeed)
            return btSpeedFlat;
    } else {
        if (style == btFlat)
            return btNormal;
        if (style == btSpeedFlat)
            return btSpeed;
    }
    return style;
}

namespace {
// Index = the number a skin file stores.
constexpr TTextPos kSkinTextPos[] = {tpAbove, tpBelow, tpLeft, tpNone, tpRight};
} // namespace

std::optional<TTextPos> textPosFromSkinValue(int value)
{
    if (value < 0 || value >= int(std::size(kSkinTextPos)))
        return std::nullopt;
    return kSkinTextPos[value];
}

int skinValueOfTextPos(TTextPos pos)
{
    for (int i = 0; i < int(std::size(kSkinTextPos)); ++i)
        if (kSkinTextPos[i] == pos)
            return i;
    return 3; // none
}

int greyValue(int r, int g, int b)
{
    return (r * 77 + g * 150 + b * 29) / 256;
}

void greyPixels(quint32 *pixels, qsizetype count, quint32 transparentRgb, quint32 faceRgb)
{
    transparentRgb &= 0xFFFFFFu;
    faceRgb &= 0xFFFFFFu;
    for (qsizetype i = 0; i < count; ++i) {
        const quint32 px = pixels[i];
        const quint32 rgb = px & 0xFFFFFFu;
        if (rgb == transparentRgb || rgb == faceRgb)
            continue;
        const quint32 v = quint32(greyValue(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF),
                                            int(rgb & 0xFF)));
        pixels[i] = (px & 0xFF000000u) | (v << 16) | (v << 8) | v;
    }
}

void clearColour(quint32 *pixels, qsizetype count, quint32 rgb)
{
    rgb &= 0xFFFFFFu;
    for (qsizetype i = 0; i < count; ++i)
        if ((pixels[i] & 0xFFFFFFu) == rgb)
            pixels[i] = 0;
}

Layout layoutGlyph(QSize glyph, QSize control, TTextPos textPos, bool shifted, int margin)
{
    const int gw = glyph.width(), gh = glyph.height();
    const int cw = control.width(), ch = control.height();
    int x = (cw - gw) / 2;
    int y = (ch - gh) / 2;
    QRect area(0, 0, cw, ch);
    switch (textPos) {
    case tpNone:
        break;
    case tpLeft:
        x = cw - gw;
        area.setWidth(qMax(0, cw - gw));
        break;
    case tpRight:
        x = 0;
        area = QRect(gw, 0, qMax(0, cw - gw), ch);
        break;
    case tpAbove:
        y = ch - gh;
        area.setHeight(qMax(0, ch - gh));
        break;
    case tpBelow:
        y = 0;
        area = QRect(0, gh, cw, qMax(0, ch - gh));
        break;
    }
    if (shifted) {
        ++x;
        ++y;
    }
    if (margin != -1)
        x += margin;
    return {QPoint(x, y), area};
}

QPoint menuAnchor(TDropDownMenuPos pos, TMenuAlignment align, QSize control)
{
    const int w = control.width(), h = control.height();
    if (pos == dmpRight) {
        switch (align) {
        case maLeft:
            return {w, -1};
        case maRight:
            return {-1, -1};
        case maCenter:
            return {w / 2, h};
        }
    }
    switch (align) {
    case maLeft:
        return {-1, h};
    case maRight:
        return {w + 1, h};
    case maCenter:
        return {w / 2, h};
    }
    return {-1, h};
}

QPoint menuTopLeft(QPoint anchor, TMenuAlignment align, int menuWidth)
{
    switch (align) {
    case maLeft:
        return anchor;
    case maRight:
        return {anchor.x() - menuWidth, anchor.y()};
    case maCenter:
        return {anchor.x() - menuWidth / 2, anchor.y()};
    }
    return anchor;
}

void ButtonModel::setDown(bool value, bool enabled)
{
    down = value;
    if (enabled && !dragging)
        paintState = value ? psLatched : psUp;
}

void ButtonModel::resolvePaint(bool enabled)
{
    if (!enabled) {
        paintState = psDisabled;
        if (glyphState != gsNone)
            glyphState = gsDisabled;
    } else {
        if (paintState == psDisabled)
            paintState = down ? psLatched : psUp;
        if (down)
            paintState = psPressed;
    }
    if (glyphState == gsOver || glyphState == gsNone)
        return;
    switch (paintState) {
    case psUp:
    case psLatched:
        glyphState = gsUp;
        break;
    case psDisabled:
        glyphState = gsDisabled;
        break;
    case psPressed:
        glyphState = gsDown;
        break;
    }
}

void ButtonModel::enabledChanged(bool enabled, bool underMouse)
{
    dragging = false;
    mouseInControl = enabled && underMouse;
    resolvePaint(enabled);
}

Frame ButtonModel::frame(bool enabled, bool border) const
{
    const bool flat = isFlatStyle(style);
    Frame f;
    f.drawn = (border && !flat) || (flat && enabled && (mouseInControl || down));
    f.sunken = paintState == psPressed || paintState == psLatched;
    return f;
}

bool ButtonModel::glyphShifted(bool border) const
{
    return border && (paintState == psPressed || down);
}

bool ButtonModel::captionShifted(bool border) const
{
    return border && paintState == psPressed;
}

bool ButtonModel::greyGlyph() const
{
    return isFlatStyle(style) && !mouseInControl;
}

bool ButtonModel::enter(bool enabled, bool otherHoldsMouse, bool hasOverGlyph)
{
    if (!enabled || otherHoldsMouse)
        return false;
    mouseInControl = true;
    if (glyphState != gsNone && hasOverGlyph)
        glyphState = gsOver;
    return true;
}

bool ButtonModel::leave(bool enabled)
{
    if (!enabled || dragging)
        return false;
    mouseInControl = false;
    if (glyphState == gsOver)
        glyphState = gsUp;
    return true;
}

bool ButtonModel::press(bool enabled)
{
    if (!enabled || dragging || menuShowing)
        return false;
    if (!down) {
        paintState = psPressed;
        if (glyphState != gsNone)
            glyphState = gsDown;
    }
    dragging = true;
    return true;
}

bool ButtonModel::moveWhileDragging(bool inside)
{
    if (!dragging)
        return false;
    const int next = down ? psLatched : (inside ? psPressed : psUp);
    const bool changed = next != paintState;
    paintState = next;
    return changed;
}

ReleaseResult ButtonModel::release(bool inside)
{
    ReleaseResult r;
    if (!dragging)
        return r;
    dragging = false;
    paintState = psUp;
    r.handled = true;
    if (inside) {
        if (isToggleStyle(style)) {
            down = !down;
            if (down)
                paintState = psPressed;
        }
        r.click = !menuShowing;
    } else {
        mouseInControl = false;
        if (down)
            paintState = psLatched;
    }
    return r;
}

bool ButtonModel::click(bool enabled)
{
    if (!enabled)
        return false;
    if (isToggleStyle(style)) {
        down = !down;
        if (!dragging)
            paintState = down ? psPressed : psUp;
    }
    return true;
}

} // namespace ButtonLogic
