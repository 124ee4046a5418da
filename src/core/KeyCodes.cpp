#include "core/KeyCodes.h"

#include <Qt>
#include <array>

namespace KeyCodes {
namespace {

struct Mapping
{
    int key;
    int scan;
    bool extended;
};

// Keys outside the keypad. Shifted symbols of the US layout share their key's code,
// as a virtual key does not change with Shift.
constexpr std::array mainKeys{
    Mapping{Qt::Key_Escape, 0x01, false},
    Mapping{Qt::Key_1, 0x02, false}, Mapping{Qt::Key_Exclam, 0x02, false},
    Mapping{Qt::Key_2, 0x03, false}, Mapping{Qt::Key_At, 0x03, false},
    Mapping{Qt::Key_3, 0x04, false}, Mapping{Qt::Key_NumberSign, 0x04, false},
    Mapping{Qt::Key_4, 0x05, false}, Mapping{Qt::Key_Dollar, 0x05, false},
    Mapping{Qt::Key_5, 0x06, false}, Mapping{Qt::Key_Percent, 0x06, false},
    Mapping{Qt::Key_6, 0x07, false}, Mapping{Qt::Key_AsciiCircum, 0x07, false},
    Mapping{Qt::Key_7, 0x08, false}, Mapping{Qt::Key_Ampersand, 0x08, false},
    Mapping{Qt::Key_8, 0x09, false}, Mapping{Qt::Key_Asterisk, 0x09, false},
    Mapping{Qt::Key_9, 0x0A, false}, Mapping{Qt::Key_ParenLeft, 0x0A, false},
    Mapping{Qt::Key_0, 0x0B, false}, Mapping{Qt::Key_ParenRight, 0x0B, false},
    Mapping{Qt::Key_Minus, 0x0C, false}, Mapping{Qt::Key_Underscore, 0x0C, false},
    Mapping{Qt::Key_Equal, 0x0D, false}, Mapping{Qt::Key_Plus, 0x0D, false},
    Mapping{Qt::Key_Backspace, 0x0E, false},
    Mapping{Qt::Key_Tab, 0x0F, false}, Mapping{Qt::Key_Backtab, 0x0F, false},
    Mapping{Qt::Key_Q, 0x10, false}, Mapping{Qt::Key_W, 0x11, false},
    Mapping{Qt::Key_E, 0x12, false}, Mapping{Qt::Key_R, 0x13, false},
    Mapping{Qt::Key_T, 0x14, false}, Mapping{Qt::Key_Y, 0x15, false},
    Mapping{Qt::Key_U, 0x16, false}, Mapping{Qt::Key_I, 0x17, false},
    Mapping{Qt::Key_O, 0x18, false}, Mapping{Qt::Key_P, 0x19, false},
    Mapping{Qt::Key_BracketLeft, 0x1A, false}, Mapping{Qt::Key_BraceLeft, 0x1A, false},
    Mapping{Qt::Key_BracketRight, 0x1B, false}, Mapping{Qt::Key_BraceRight, 0x1B, false},
    Mapping{Qt::Key_Return, 0x1C, false},
    Mapping{Qt::Key_Enter, 0x1C, false},
    Mapping{Qt::Key_Control, 0x1D, false},
    Mapping{Qt::Key_A, 0x1E, false}, Mapping{Qt::Key_S, 0x1F, false},
    Mapping{Qt::Key_D, 0x20, false}, Mapping{Qt::Key_F, 0x21, false},
    Mapping{Qt::Key_G, 0x22, false}, Mapping{Qt::Key_H, 0x23, false},
    Mapping{Qt::Key_J, 0x24, false}, Mapping{Qt::Key_K, 0x25, false},
    Mapping{Qt::Key_L, 0x26, false},
    Mapping{Qt::Key_Semicolon, 0x27, false}, Mapping{Qt::Key_Colon, 0x27, false},
    Mapping{Qt::Key_Apostrophe, 0x28, false}, Mapping{Qt::Key_QuoteDbl, 0x28, false},
    Mapping{Qt::Key_QuoteLeft, 0x29, false}, Mapping{Qt::Key_AsciiTilde, 0x29, false},
    Mapping{Qt::Key_Shift, 0x2A, false},
    Mapping{Qt::Key_Backslash, 0x2B, false}, Mapping{Qt::Key_Bar, 0x2B, false},
    Mapping{Qt::Key_Z, 0x2C, false}, Mapping{Qt::Key_X, 0x2D, false},
    Mapping{Qt::Key_C, 0x2E, false}, Mapping{Qt::Key_V, 0x2F, false},
    Mapping{Qt::Key_B, 0x30, false}, Mapping{Qt::Key_N, 0x31, false},
    Mapping{Qt::Key_M, 0x32, false},
    Mapping{Qt::Key_Comma, 0x33, false}, Mapping{Qt::Key_Less, 0x33, false},
    Mapping{Qt::Key_Period, 0x34, false}, Mapping{Qt::Key_Greater, 0x34, false},
    Mapping{Qt::Key_Slash, 0x35, false}, Mapping{Qt::Key_Question, 0x35, false},
    Mapping{Qt::Key_Alt, 0x38, false}, Mapping{Qt::Key_AltGr, 0x38, true},
    Mapping{Qt::Key_Space, 0x39, false},
    Mapping{Qt::Key_CapsLock, 0x3A, false},
    Mapping{Qt::Key_F1, 0x3B, false}, Mapping{Qt::Key_F2, 0x3C, false},
    Mapping{Qt::Key_F3, 0x3D, false}, Mapping{Qt::Key_F4, 0x3E, false},
    Mapping{Qt::Key_F5, 0x3F, false}, Mapping{Qt::Key_F6, 0x40, false},
    Mapping{Qt::Key_F7, 0x41, false}, Mapping{Qt::Key_F8, 0x42, false},
    Mapping{Qt::Key_F9, 0x43, false}, Mapping{Qt::Key_F10, 0x44, false},
    Mapping{Qt::Key_NumLock, 0x45, false},
    Mapping{Qt::Key_ScrollLock, 0x46, false},
    Mapping{Qt::Key_F11, 0x57, false}, Mapping{Qt::Key_F12, 0x58, false},
    // The cursor block: the same scan codes as the keypad, told apart by the flag.
    Mapping{Qt::Key_Home, 0x47, true}, Mapping{Qt::Key_Up, 0x48, true},
    Mapping{Qt::Key_PageUp, 0x49, true}, Mapping{Qt::Key_Left, 0x4B, true},
    Mapping{Qt::Key_Right, 0x4D, true}, Mapping{Qt::Key_End, 0x4F, true},
    Mapping{Qt::Key_Down, 0x50, true}, Mapping{Qt::Key_PageDown, 0x51, true},
    Mapping{Qt::Key_Insert, 0x52, true}, Mapping{Qt::Key_Delete, 0x53, true},
    Mapping{Qt::Key_Print, 0x37, true},
    Mapping{Qt::Key_Pause, 0x45, true},
    Mapping{Qt::Key_Meta, 0x5B, true}, Mapping{Qt::Key_Super_L, 0x5B, true},
    Mapping{Qt::Key_Super_R, 0x5C, true}, Mapping{Qt::Key_Menu, 0x5D, true},
};

// Keypad keys, whether NumLock gives digits or cursor keys.
constexpr std::array keypadKeys{
    Mapping{Qt::Key_7, 0x47, false}, Mapping{Qt::Key_Home, 0x47, false},
    Mapping{Qt::Key_8, 0x48, false}, Mapping{Qt::Key_Up, 0x48, false},
    Mapping{Qt::Key_9, 0x49, false}, Mapping{Qt::Key_PageUp, 0x49, false},
    Mapping{Qt::Key_Minus, 0x4A, false},
    Mapping{Qt::Key_4, 0x4B, false}, Mapping{Qt::Key_Left, 0x4B, false},
    Mapping{Qt::Key_5, 0x4C, false}, Mapping{Qt::Key_Clear, 0x4C, false},
    Mapping{Qt::Key_6, 0x4D, false}, Mapping{Qt::Key_Right, 0x4D, false},
    Mapping{Qt::Key_Plus, 0x4E, false},
    Mapping{Qt::Key_1, 0x4F, false}, Mapping{Qt::Key_End, 0x4F, false},
    Mapping{Qt::Key_2, 0x50, false}, Mapping{Qt::Key_Down, 0x50, false},
    Mapping{Qt::Key_3, 0x51, false}, Mapping{Qt::Key_PageDown, 0x51, false},
    Mapping{Qt::Key_0, 0x52, false}, Mapping{Qt::Key_Insert, 0x52, false},
    Mapping{Qt::Key_Period, 0x53, false}, Mapping{Qt::Key_Comma, 0x53, false},
    Mapping{Qt::Key_Delete, 0x53, false},
    Mapping{Qt::Key_Asterisk, 0x37, false},
    Mapping{Qt::Key_Slash, 0x35, true},
    Mapping{Qt::Key_Enter, 0x1C, true}, Mapping{Qt::Key_Return, 0x1C, true},
    Mapping{Qt::Key_NumLock, 0x45, false},
};

struct Named
{
    int scan;
    bool extended;
    const char *name;
};

constexpr std::array names{
    Named{0x01, false, "Esc"}, Named{0x02, false, "1"}, Named{0x03, false, "2"},
    Named{0x04, false, "3"}, Named{0x05, false, "4"}, Named{0x06, false, "5"},
    Named{0x07, false, "6"}, Named{0x08, false, "7"}, Named{0x09, false, "8"},
    Named{0x0A, false, "9"}, Named{0x0B, false, "0"}, Named{0x0C, false, "-"},
    Named{0x0D, false, "="}, Named{0x0E, false, "Backspace"}, Named{0x0F, false, "Tab"},
    Named{0x10, false, "Q"}, Named{0x11, false, "W"}, Named{0x12, false, "E"},
    Named{0x13, false, "R"}, Named{0x14, false, "T"}, Named{0x15, false, "Y"},
    Named{0x16, false, "U"}, Named{0x17, false, "I"}, Named{0x18, false, "O"},
    Named{0x19, false, "P"}, Named{0x1A, false, "["}, Named{0x1B, false, "]"},
    Named{0x1C, false, "Enter"}, Named{0x1C, true, "Num Enter"},
    Named{0x1D, false, "Ctrl"}, Named{0x1D, true, "Right Ctrl"},
    Named{0x1E, false, "A"}, Named{0x1F, false, "S"}, Named{0x20, false, "D"},
    Named{0x21, false, "F"}, Named{0x22, false, "G"}, Named{0x23, false, "H"},
    Named{0x24, false, "J"}, Named{0x25, false, "K"}, Named{0x26, false, "L"},
    Named{0x27, false, ";"}, Named{0x28, false, "'"}, Named{0x29, false, "`"},
    Named{0x2A, false, "Shift"}, Named{0x2B, false, "\\"}, Named{0x2C, false, "Z"},
    Named{0x2D, false, "X"}, Named{0x2E, false, "C"}, Named{0x2F, false, "V"},
    Named{0x30, false, "B"}, Named{0x31, false, "N"}, Named{0x32, false, "M"},
    Named{0x33, false, ","}, Named{0x34, false, "."}, Named{0x35, false, "/"},
    Named{0x35, true, "Num /"}, Named{0x36, false, "Right Shift"},
    Named{0x37, false, "Num *"}, Named{0x37, true, "Prnt Scrn"},
    Named{0x38, false, "Alt"}, Named{0x38, true, "Right Alt"},
    Named{0x39, false, "Space"}, Named{0x3A, false, "Caps Lock"},
    Named{0x3B, false, "F1"}, Named{0x3C, false, "F2"}, Named{0x3D, false, "F3"},
    Named{0x3E, false, "F4"}, Named{0x3F, false, "F5"}, Named{0x40, false, "F6"},
    Named{0x41, false, "F7"}, Named{0x42, false, "F8"}, Named{0x43, false, "F9"},
    Named{0x44, false, "F10"}, Named{0x45, false, "Num Lock"}, Named{0x45, true, "Pause"},
    Named{0x46, false, "Scroll Lock"},
    Named{0x47, false, "Num 7"}, Named{0x48, false, "Num 8"}, Named{0x49, false, "Num 9"},
    Named{0x4A, false, "Num -"}, Named{0x4B, false, "Num 4"}, Named{0x4C, false, "Num 5"},
    Named{0x4D, false, "Num 6"}, Named{0x4E, false, "Num +"}, Named{0x4F, false, "Num 1"},
    Named{0x50, false, "Num 2"}, Named{0x51, false, "Num 3"}, Named{0x52, false, "Num 0"},
    Named{0x53, false, "Num Del"},
    Named{0x47, true, "Home"}, Named{0x48, true, "Up"}, Named{0x49, true, "Page Up"},
    Named{0x4B, true, "Left"}, Named{0x4D, true, "Right"}, Named{0x4F, true, "End"},
    Named{0x50, true, "Down"}, Named{0x51, true, "Page Down"}, Named{0x52, true, "Insert"},
    Named{0x53, true, "Delete"},
    Named{0x57, false, "F11"}, Named{0x58, false, "F12"},
    Named{0x5B, true, "Left Windows"}, Named{0x5C, true, "Right Windows"},
    Named{0x5D, true, "Application"},
};

} // namespace

quint32 fromQtKey(int key, bool keypad)
{
    if (keypad) {
        for (const Mapping &m : keypadKeys)
            if (m.key == key)
                return make(m.scan, m.extended);
        // A keypad key we do not know: fall back to the main block.
    }
    for (const Mapping &m : mainKeys)
        if (m.key == key)
            return make(m.scan, m.extended);
    return 0;
}

QString name(quint32 code)
{
    // Codes carry only the scan code and the flag; anything else is not a key.
    if ((code & ~(ExtendedFlag | 0x00FF0000u)) != 0)
        return {};
    for (const Named &n : names)
        if (n.scan == scanCode(code) && n.extended == extended(code))
            return QString::fromLatin1(n.name);
    return {};
}

} // namespace KeyCodes
