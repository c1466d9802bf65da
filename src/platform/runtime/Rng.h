// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris {

// The pseudo-random generator that Insert Random Riff draws from. It is the classic linear
// congruential generator of the original runtime library, reproduced exactly so that a given
// seed yields the same riffs: s = s × 214013 + 2531011 (mod 2^32), each draw (s >> 16) & 32767.
class Rng {
public:
    static constexpr std::int32_t kMaxValue = 32767;

    explicit Rng(std::uint32_t seed = 1) : state_(seed) {}

    void Seed(std::uint32_t seed) { state_ = seed; }
    // A value 0 … kMaxValue.
    std::int32_t Next();
    std::uint32_t State() const { return state_; }

    // The current time in seconds since 1970, as the documents seed with it.
    static std::uint32_t TimeSeed();

private:
    std::uint32_t state_;
};

}  // namespace lutaris
