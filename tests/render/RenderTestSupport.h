// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <array>
#include <vector>

#include "platform/surface/RecordingSurface.h"
#include "render/ScreenResolution.h"

namespace lutaris::test {

// Keeps a test's change of the screen resolution from leaking into the next test.
class ScopedScreenResolution {
public:
    explicit ScopedScreenResolution(ScreenResolution resolution)
        : previous_(GetScreenResolution()) {
        SetScreenResolution(resolution);
    }
    ~ScopedScreenResolution() { SetScreenResolution(previous_); }
    ScopedScreenResolution(const ScopedScreenResolution&) = delete;
    ScopedScreenResolution& operator=(const ScopedScreenResolution&) = delete;

private:
    ScreenResolution previous_;
};

inline std::array<std::int32_t, 4> Box(const RecordedCall& call) {
    return {call.args[0], call.args[1], call.args[2], call.args[3]};
}

inline std::array<std::int32_t, 8> ArcArgs(const RecordedCall& call) { return call.args; }

// A line as (from x, from y, to x, to y).
inline std::array<std::int32_t, 4> Line(const RecordedCall& call) {
    return {call.fromX, call.fromY, call.args[0], call.args[1]};
}

}  // namespace lutaris::test
