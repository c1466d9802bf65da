// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <optional>

namespace lutaris {

struct KeyLocks {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
    bool operator==(const KeyLocks&) const = default;
};

// The keyboard's lock indicators as the display server sees them; nothing where the platform
// cannot tell (Qt itself has no way to ask).
std::optional<KeyLocks> QueryKeyLocks();

// The Caps Lock and Num Lock states that a key event carries in its native modifiers (the X11
// and xkb modifier mask: Lock and Mod2), for platforms that cannot be asked, such as a Wayland
// compositor. Scroll Lock is no modifier: it keeps `scrollLock`.
KeyLocks KeyLocksFromNativeModifiers(unsigned int nativeModifiers, bool scrollLock);
// Whether the platform's key events carry those modifiers in full, locks included (Wayland's
// do; the offscreen platform's carry none, X11 is asked directly).
bool KeyEventsCarryLocks();

}  // namespace lutaris
