// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/startup/DisplayProbe.h"

#include <cstdlib>
#include <string_view>

#include <X11/Xlib.h>

namespace lutaris {

namespace {

std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view{} : std::string_view{value};
}

}  // namespace

DisplayProbe::DisplayProbe() {
    const std::string_view platform = Variable("QT_QPA_PLATFORM");
    if (!platform.empty() && !platform.starts_with("xcb")) {
        available_ = true;
        return;
    }
    if (!Variable("DISPLAY").empty()) {
        display_ = XOpenDisplay(nullptr);
        if (display_ != nullptr) {
            available_ = true;
            return;
        }
    }
    // Without a reachable X server Qt may still find a Wayland compositor on its own.
    available_ = platform.empty() && !Variable("WAYLAND_DISPLAY").empty();
}

DisplayProbe::~DisplayProbe() { Release(); }

void DisplayProbe::Release() {
    if (display_ == nullptr) return;
    XCloseDisplay(display_);
    display_ = nullptr;
}

}  // namespace lutaris
