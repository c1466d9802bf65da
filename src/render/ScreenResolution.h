// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris {

// The screen's logical resolution. It is the reference that every surface's resolution is
// compared with (so that a printout comes out as large as the screen shows it) and the basis
// of the embedded presentation's HIMETRIC sizes. Set once at start-up from the primary screen;
// 96 dots per inch until then.
struct ScreenResolution {
    std::int32_t dpiX = 96;
    std::int32_t dpiY = 96;
    bool operator==(const ScreenResolution&) const = default;
};

ScreenResolution GetScreenResolution();
// Values that are not positive are ignored (the previous value stays).
void SetScreenResolution(ScreenResolution resolution);

}  // namespace lutaris
