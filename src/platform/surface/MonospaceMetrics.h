// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <string_view>

namespace lutaris {

// Text cell metrics of the face "Courier" resolves to (Liberation Mono, 2048 units per em:
// advance 1229, ascent 1705, descent 615), rounded the way Qt's font engine rounds them, so that
// surfaces without a font engine place text cells where the Qt surface does.
struct MonospaceMetrics {
    std::int32_t ascent = 0;
    std::int32_t descent = 0;

    explicit MonospaceMetrics(std::int32_t pixelSize);
    std::int32_t Advance(std::string_view text) const;

private:
    std::int64_t advance64_ = 0;  // one character's advance in 1/64 pixel
};

}  // namespace lutaris
