// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/qt/KeyLockState.h"

// clang-format off
#include <QGuiApplication>
#include <QString>

// Xlib's macros (Status, Bool) break Qt headers that come after it.
#include <X11/XKBlib.h>
// clang-format on

namespace lutaris {

namespace {

bool IndicatorOn(Display* display, const char* name, unsigned int state, int fallbackIndex) {
    int index = fallbackIndex;
    const Atom atom = XInternAtom(display, name, True);
    if (atom != None) {
        int named = -1;
        Bool on = False;
        if (XkbGetNamedIndicator(display, atom, &named, &on, nullptr, nullptr) && named >= 0)
            return on == True;
    }
    return (state & (1u << index)) != 0;
}

}  // namespace

std::optional<KeyLocks> QueryKeyLocks() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->display() == nullptr) return std::nullopt;
    Display* display = x11->display();
    unsigned int state = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != Success) return std::nullopt;
    KeyLocks locks;
    locks.capsLock = IndicatorOn(display, "Caps Lock", state, 0);
    locks.numLock = IndicatorOn(display, "Num Lock", state, 1);
    locks.scrollLock = IndicatorOn(display, "Scroll Lock", state, 2);
    return locks;
}

KeyLocks KeyLocksFromNativeModifiers(unsigned int nativeModifiers, bool scrollLock) {
    // The core protocol's masks, which xkb's serialized modifiers share.
    constexpr unsigned int kLockMask = 1u << 1;
    constexpr unsigned int kMod2Mask = 1u << 4;
    return {(nativeModifiers & kLockMask) != 0, (nativeModifiers & kMod2Mask) != 0, scrollLock};
}

bool KeyEventsCarryLocks() {
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

}  // namespace lutaris
