// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "limits/AllocationProbe.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <vector>

namespace lutaris::test {
namespace {

// The limit tests below are only as good as the probe: it must see every request and refuse
// the ones that a lying size field would cause.
TEST(AllocationProbe, SeesEveryRequestAndRefusesHugeOnes) {
    AllocationProbe probe;
    auto small = std::make_unique<char[]>(100);
    std::vector<int> values(1000);
    EXPECT_EQ(probe.LargestRequest(), 1000 * sizeof(int));
    EXPECT_EQ(probe.RequestCount(), 2u);
    EXPECT_EQ(probe.TotalRequested(), 100 + 1000 * sizeof(int));

    std::vector<char> huge;
    EXPECT_THROW(huge.reserve(AllocationProbe::kRefusedBytes + 1), std::bad_alloc);
    EXPECT_EQ(probe.LargestRequest(), AllocationProbe::kRefusedBytes + 1);
}

TEST(AllocationProbe, EachProbeStartsFromZero) {
    { AllocationProbe first; auto block = std::make_unique<char[]>(5000); }
    AllocationProbe second;
    EXPECT_EQ(second.LargestRequest(), 0u);
    EXPECT_EQ(second.RequestCount(), 0u);
}

}  // namespace
}  // namespace lutaris::test
