#pragma once

#include <QString>
#include <QtGlobal>

// Key codes in the layout the key table stores: scan code in bits 16-23, extended-key flag
// in bit 24. They are derived from the logical key, not from the keyboard driver, so that
// the same physical key gives the same code on every machine and the built-in table and
// saved binding files keep their numbers.
namespace KeyCodes {

inline constexpr quint32 ExtendedFlag = 1u << 24;

constexpr quint32 make(int scanCode, bool extended)
{
    return (quint32(scanCode & 0xFF) << 16) | (extended ? ExtendedFlag : 0u);
}
constexpr int scanCode(quint32 code) { return int((code >> 16) & 0xFF); }
constexpr bool extended(quint32 code) { return (code & ExtendedFlag) != 0; }

// The code of a Qt::Key; keypad is true when the key came from the numeric keypad
// (Qt::KeypadModifier). With NumLock off the keypad sends cursor keys (Qt::Key_Left and so
// on) marked as keypad keys: they give the keypad digit's code, not the arrow's. 0 for keys
// without a scan code of their own.
quint32 fromQtKey(int key, bool keypad);

// The Enter key (either of them): capturing it keeps the key editor open.
constexpr bool isEnter(quint32 code) { return scanCode(code) == 0x1C; }

// The name the key editor shows ("Space", "Right", "Num 4", "F12", "A"); empty for a code
// no key has.
QString name(quint32 code);

} // namespace KeyCodes
