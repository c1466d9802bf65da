// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "model/PositionIndex.h"

namespace lutaris {
namespace {

PositionIndex::Items ItemsAt(TabSettings& settings, std::initializer_list<std::int32_t> positions) {
    PositionIndex::Items items;
    for (auto position : positions) {
        items.push_back(std::make_unique<Tablature>(&settings));
        items.back()->position = position;
    }
    return items;
}

TEST(PositionIndex, RecognisesExactlyThePermutationsOfZeroToNMinusOne) {
    TabSettings settings;
    EXPECT_TRUE(PositionIndex::IsPermutation(ItemsAt(settings, {})));
    EXPECT_TRUE(PositionIndex::IsPermutation(ItemsAt(settings, {2, 0, 1})));
    EXPECT_FALSE(PositionIndex::IsPermutation(ItemsAt(settings, {0, 0, 1})));
    EXPECT_FALSE(PositionIndex::IsPermutation(ItemsAt(settings, {0, 1, 3})));
    EXPECT_FALSE(PositionIndex::IsPermutation(ItemsAt(settings, {-1, 0, 1})));
}

TEST(PositionIndex, NoticesItemsAddedOrReplacedWithoutAnAnnouncement) {
    TabSettings settings;
    auto items = ItemsAt(settings, {1, 0});
    PositionIndex index;
    EXPECT_EQ(index.Find(items, 1), items[0].get());
    items.push_back(std::make_unique<Tablature>(&settings));
    items.back()->position = 2;
    EXPECT_EQ(index.Find(items, 2), items[2].get());
    // Same count, another item in the slot: the entry is checked before it is trusted.
    items[0] = std::make_unique<Tablature>(&settings);
    items[0]->position = 2;
    items[2]->position = 1;
    EXPECT_EQ(index.Find(items, 1), items[2].get());
    EXPECT_EQ(index.Find(items, 2), items[0].get());
}

}  // namespace
}  // namespace lutaris
