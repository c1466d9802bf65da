// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/runtime/MulDiv.h"

#include <cstdlib>
#include <limits>

namespace lutaris {

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) return -1;
    const std::int64_t product = std::int64_t{a} * b;
    const bool negative = (product < 0) != (c < 0);
    // |product| < 2^62 and |c| ≥ 1, so the unsigned arithmetic below cannot overflow.
    const std::uint64_t magnitude = static_cast<std::uint64_t>(std::llabs(product));
    const std::uint64_t divisor = static_cast<std::uint64_t>(std::llabs(std::int64_t{c}));
    const std::uint64_t quotient = (magnitude + divisor / 2) / divisor;
    if (quotient > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return -1;
    }
    const auto result = static_cast<std::int32_t>(quotient);
    return negative ? -result : result;
}

}  // namespace lutaris
