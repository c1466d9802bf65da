// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace lutaris {

// Layout values are 32-bit and never validated: damaged settings reach INT_MIN and INT_MAX. Sums
// and products are therefore taken in 64 bits (or in double where a ratio scales them) and
// brought back to 32 bits here, so that a coordinate sticks at the edge instead of wrapping
// round to the other side.

inline std::int32_t ClampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// Truncated toward zero, then clamped; NaN gives 0.
inline std::int32_t TruncateToInt32(double value) {
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value)) return 0;
    return static_cast<std::int32_t>(std::clamp(std::trunc(value), kLow, kHigh));
}

// Division rounding toward minus infinity; the divisor must not be zero.
inline std::int64_t FloorDiv(std::int64_t numerator, std::int64_t divisor) {
    std::int64_t quotient = numerator / divisor;
    if ((numerator % divisor != 0) && ((numerator < 0) != (divisor < 0))) --quotient;
    return quotient;
}

}  // namespace lutaris
