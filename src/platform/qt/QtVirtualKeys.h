// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <Qt>
#include <cstdint>

class QKeyEvent;

namespace lutaris {

// What the translation needs of a key event. `xkbKeycode` is the key's X keyboard keycode
// (evdev code + 8) where the platform reports one, 0 elsewhere.
struct QtKeyInput {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    std::uint32_t xkbKeycode = 0;
};

// The one translation from a Qt key to the virtual-key code the original platform delivered
// with its key-down (the codes of platform/VirtualKeyCodes.h and the rest of the keyboard), or 0 for keys it has no code for. Shift, Ctrl and Alt
// never change the code: Ctrl+B is 66 like B, and Shift+1 is 49 like 1 because the digits of
// the top row go by the key's position, whatever the layout prints on it.
std::int32_t VirtualKeyFromQt(const QtKeyInput& input);
std::int32_t VirtualKeyFromEvent(const QKeyEvent& event);

}  // namespace lutaris
