// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/qt/QtVirtualKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <string_view>

namespace lutaris {

namespace {

// The original platform's key codes that this translation produces.
enum VirtualKey : std::int32_t {
    VK_NONE = 0,
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_PAUSE = 19,
    VK_CAPITAL = 20,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_0 = 48,  // '0' … '9' are 48 … 57
    VK_A = 65,  // 'A' … 'Z' are 65 … 90
    VK_NUMPAD0 = 96,  // keypad digits 96 … 105
    VK_MULTIPLY = 106,
    VK_ADD = 107,
    VK_SUBTRACT = 109,
    VK_DECIMAL = 110,
    VK_DIVIDE = 111,
    VK_F1 = 112,  // F1 … F24 are 112 … 135
    VK_NUMLOCK = 144,
    VK_SCROLL = 145,
    VK_OEM_1 = 186,       // ; :
    VK_OEM_PLUS = 187,    // = +
    VK_OEM_COMMA = 188,   // , <
    VK_OEM_MINUS = 189,   // - _
    VK_OEM_PERIOD = 190,  // . >
    VK_OEM_2 = 191,       // / ?
    VK_OEM_3 = 192,       // ` ~
    VK_OEM_4 = 219,       // [ {
    VK_OEM_5 = 220,       // \ |
    VK_OEM_6 = 221,       // ] }
    VK_OEM_7 = 222,       // ' "
};

// X keyboard keycodes of the top row's 1 … 9, 0 and of the three rows of letters, as every
// X server and Wayland compositor reports them for a PC keyboard.
constexpr std::uint32_t kTopRowFirst = 10;
constexpr std::uint32_t kTopRowLast = 19;

std::int32_t TopRowDigit(std::uint32_t keycode) {
    if (keycode < kTopRowFirst || keycode > kTopRowLast) return VK_NONE;
    const std::uint32_t index = keycode - kTopRowFirst;  // 0 is the key "1", 9 the key "0"
    return index == 9 ? VK_0 : static_cast<std::int32_t>(VK_0 + 1 + index);
}

// Letters by position, for layouts whose keys carry no Latin letter (the original platform
// gives such keys the code of the US letter in the same place).
std::int32_t LetterByPosition(std::uint32_t keycode) {
    static constexpr const char* kRows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    static constexpr std::uint32_t kRowStarts[] = {24, 38, 52};
    for (int row = 0; row < 3; ++row) {
        const std::uint32_t start = kRowStarts[row];
        const std::string_view letters = kRows[row];
        if (keycode >= start && keycode < start + letters.size()) return letters[keycode - start];
    }
    return VK_NONE;
}

// The digit key of a US keyboard that carries `key` as its shifted character, used only when
// the platform reports no keycode to go by.
std::int32_t ShiftedDigitTwin(int key) {
    switch (key) {
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    default: return VK_NONE;
    }
}

std::int32_t KeypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return VK_NUMPAD0 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Plus: return VK_ADD;
    case Qt::Key_Minus: return VK_SUBTRACT;
    case Qt::Key_Period:
    case Qt::Key_Comma: return VK_DECIMAL;
    case Qt::Key_Slash: return VK_DIVIDE;
    default: return VK_NONE;  // keypad keys without Num Lock arrive as Home, Left, … below
    }
}

// Keys whose code does not depend on the layout or the keypad, and the punctuation keys by
// their character or its shifted twin on a US keyboard.
std::int32_t FixedKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return VK_A + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return VK_0 + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
    case Qt::Key_Dead_Grave:
    case Qt::Key_Dead_Tilde: return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    default: return VK_NONE;
    }
}

bool PlatformReportsXkbKeycodes() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

}  // namespace

std::int32_t VirtualKeyFromQt(const QtKeyInput& input) {
    if (input.modifiers.testFlag(Qt::KeypadModifier)) {
        if (const std::int32_t code = KeypadKey(input.key); code != VK_NONE) return code;
        return FixedKey(input.key);
    }
    if (const std::int32_t digit = TopRowDigit(input.xkbKeycode); digit != VK_NONE) return digit;
    if (const std::int32_t code = FixedKey(input.key); code != VK_NONE) return code;
    if (input.xkbKeycode == 0) return ShiftedDigitTwin(input.key);
    return LetterByPosition(input.xkbKeycode);
}

std::int32_t VirtualKeyFromEvent(const QKeyEvent& event) {
    QtKeyInput input;
    input.key = event.key();
    input.modifiers = event.modifiers();
    input.xkbKeycode = PlatformReportsXkbKeycodes() ? event.nativeScanCode() : 0;
    return VirtualKeyFromQt(input);
}

}  // namespace lutaris
