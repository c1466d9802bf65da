// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/ReadingOrder.h"

#include <gtest/gtest.h>

namespace lutaris {
namespace {

// Items with the given positions, in the given list order.
std::vector<std::unique_ptr<Tablature>> ItemsAt(TabSettings& settings,
                                                std::initializer_list<std::int32_t> positions) {
    std::vector<std::unique_ptr<Tablature>> items;
    for (const std::int32_t position : positions) {
        items.push_back(std::make_unique<Tablature>(&settings));
        items.back()->position = position;
    }
    return items;
}

TEST(ReadingOrder, EveryItemComesOnceByPositionWhateverThePositionsAre) {
    TabSettings settings;
    // A document's permutation, a drag-selection's run that does not start at 0, and positions
    // with a gap and a repeat (a damaged order) that must lose and double nothing.
    for (const auto& positions : {std::initializer_list<std::int32_t>{2, 0, 3, 1},
                                  std::initializer_list<std::int32_t>{7, 5, 6},
                                  std::initializer_list<std::int32_t>{5, 3, -1, 3, 9}}) {
        const auto items = ItemsAt(settings, positions);
        const std::vector<Tablature*> ordered = ItemsInReadingOrder(items);
        ASSERT_EQ(ordered.size(), items.size());
        for (std::size_t i = 1; i < ordered.size(); ++i) {
            EXPECT_LE(ordered[i - 1]->position, ordered[i]->position);
        }
        for (const auto& item : items) {
            EXPECT_EQ(std::count(ordered.begin(), ordered.end(), item.get()), 1);
        }
    }
    // Equal positions keep the order they were given in.
    const auto repeated = ItemsAt(settings, {4, 3, 3});
    EXPECT_EQ(ItemsInReadingOrder(repeated),
              (std::vector<Tablature*>{repeated[1].get(), repeated[2].get(), repeated[0].get()}));
}

}  // namespace
}  // namespace lutaris
