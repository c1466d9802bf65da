// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/runtime/Rng.h"

#include <ctime>

namespace lutaris {

std::int32_t Rng::Next() {
    // Unsigned arithmetic wraps modulo 2^32, which is exactly the generator's recurrence.
    state_ = state_ * 214013u + 2531011u;
    return static_cast<std::int32_t>((state_ >> 16) & 0x7fffu);
}

std::uint32_t Rng::TimeSeed() { return static_cast<std::uint32_t>(std::time(nullptr)); }

}  // namespace lutaris
