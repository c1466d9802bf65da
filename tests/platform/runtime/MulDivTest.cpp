// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <limits>

#include "platform/runtime/MulDiv.h"

namespace lutaris {
namespace {

TEST(MulDiv, RoundsToNearestWithHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(74, 2540, 96), 1958);  // 1957.9
    EXPECT_EQ(MulDiv(92, 2540, 96), 2434);  // 2434.2
    EXPECT_EQ(MulDiv(100, 2540, 96), 2646);
    EXPECT_EQ(MulDiv(100, 2540, 120), 2117);
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(3, -1, 2), -2);
    EXPECT_EQ(MulDiv(-3, -1, -2), -2);
    EXPECT_EQ(MulDiv(5, 1, 4), 1);
}

TEST(MulDiv, KeepsTheFullProductAndRefusesWhatCannotBeAnswered) {
    const std::int32_t big = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(MulDiv(big, big, big), big);
    EXPECT_EQ(MulDiv(1, 2, 0), -1);
    EXPECT_EQ(MulDiv(big, 2540, 96), -1);
}

}  // namespace
}  // namespace lutaris
