// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "render/ScrollSizes.h"

namespace lutaris {
namespace {

class ScrollSizesTest : public testing::Test {
protected:
    Tablature& Add(LayoutPoint lastOrigin) {
        items.push_back(std::make_unique<Tablature>(&settings));
        items.back()->lastOrigin = lastOrigin;
        return *items.back();
    }
    TabSettings settings;
    std::vector<std::unique_ptr<Tablature>> items;
};

TEST_F(ScrollSizesTest, WidthIsTheWindowLessBordersScrollBarAndOnePixel) {
    Add({1, 1});
    const ScrollSizes sizes = ComputeScrollSizes(items, 800, 1, 17);
    EXPECT_EQ(sizes.total, (LayoutSize{800 - 2 - 17 - 1, 91}));
    EXPECT_EQ(sizes.page, (LayoutSize{78, 9}));
    EXPECT_EQ(sizes.line, (LayoutSize{7, 0}));
}

TEST_F(ScrollSizesTest, HeightReachesTheLowestItemAsLastDrawn) {
    Add({1, 1});
    Add({500, 241});
    Add({1, 121});
    EXPECT_EQ(ComputeScrollSizes(items, 1000, 1, 17).total.height, 241 + 90);
}

TEST_F(ScrollSizesTest, ZeroWidthStaysZeroAndNegativeSizesBecomeZero) {
    EXPECT_EQ(ComputeScrollSizes(items, 0, 1, 17).total, (LayoutSize{0, 0}));
    EXPECT_EQ(ComputeScrollSizes(items, 10, 1, 17).total.width, 0);
    Add({0, -500});
    EXPECT_EQ(ComputeScrollSizes(items, 100, 1, 17).total.height, 0);
}

TEST_F(ScrollSizesTest, OnlyAnItemWiderThanTheWindowWidensTheRangeToItAndAMarginPastIt) {
    Add({1, 1});
    Tablature& item = Add({1, 121});
    // Columns 0 … 30: (30 + 3) × 24 = 792 wide, past a window of 640 at the left margin 1.
    item.AppendNote(TabNote{5, 0, 30, 0, Normal});
    ASSERT_EQ(item.GetExtent().width, 792);
    EXPECT_EQ(ComputeScrollSizes(items, 640, 1, 17).total.width, 1 + 792 + 1);
    // In a window it fits, with the margin, the window says the width.
    EXPECT_EQ(ComputeScrollSizes(items, 793, 1, 17).total.width, 793 - 2 - 17 - 1);
    EXPECT_EQ(ComputeScrollSizes(items, 792, 1, 17).total.width, 1 + 792 + 1);
}

}  // namespace
}  // namespace lutaris
