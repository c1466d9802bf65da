// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "platform/runtime/Rng.h"

namespace lutaris {
namespace {

TEST(Rng, SeedZeroFirstStateAndDrawsMatchTheOriginalGenerator) {
    Rng rng(0);
    EXPECT_EQ(rng.Next(), 38);
    EXPECT_EQ(rng.State(), 2531011u);
    // The next states, computed by hand: s = s × 214013 + 2531011 mod 2^32.
    EXPECT_EQ(rng.Next(), 7719);
    EXPECT_EQ(rng.Next(), 21238);
}

TEST(Rng, ReseedingRestartsTheSequenceAndDrawsStayInRange) {
    Rng rng(12345);
    std::vector<std::int32_t> first;
    for (int i = 0; i < 1000; ++i) {
        const auto value = rng.Next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, Rng::kMaxValue);
        first.push_back(value);
    }
    rng.Seed(12345);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(rng.Next(), first[static_cast<std::size_t>(i)]);
}

TEST(Rng, StateWrapsModuloTwoToThe32) {
    Rng rng(0xffffffffu);
    rng.Next();
    EXPECT_EQ(rng.State(), static_cast<std::uint32_t>(0xffffffffull * 214013ull + 2531011ull));
}

}  // namespace
}  // namespace lutaris
