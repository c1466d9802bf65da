// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "edit/SelectionMover.h"
#include "support/ClipboardFixture.h"

namespace lutaris {
namespace {

class SelectionMoverTest : public test::ClipboardTest {};

TEST_F(SelectionMoverTest, KeepsTheSelectedItemsInTheirReadingOrderWhateverTheListOrder) {
    MakeItems(5);
    doc.SetSelection({doc.tabItems[3].get(), doc.tabItems[2].get()}, 0);
    EXPECT_TRUE(SelectionMover(doc).MoveBefore(0));
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{12, 13, 10, 11, 14}));
    EXPECT_TRUE(doc.IsModified()) << "a new order is a change of the document";
}

TEST_F(SelectionMoverTest, GathersAScatteredSelectionIntoOneBlock) {
    MakeItems(6);
    doc.SetSelection({doc.tabItems[0].get(), doc.tabItems[4].get()}, 0);
    EXPECT_TRUE(SelectionMover(doc).MoveBefore(3));
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{11, 12, 10, 14, 13, 15}));
}

TEST_F(SelectionMoverTest, RefusesAMissingOrSelectedTargetAndAnEmptySelection) {
    MakeItems(3);
    SelectionMover mover(doc);
    EXPECT_FALSE(mover.MoveBefore(1));
    doc.SetSelection({doc.tabItems[1].get()}, 0);
    EXPECT_FALSE(mover.MoveBefore(1));
    EXPECT_FALSE(mover.MoveBefore(3));
    EXPECT_FALSE(mover.MoveBefore(-1));
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{10, 11, 12}));
    // Already right before the target: the move counts, but it changes nothing, so the
    // document stays as saved and there is nothing to undo.
    EXPECT_TRUE(mover.MoveBefore(2));
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{10, 11, 12}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.CanUndo());
}

}  // namespace
}  // namespace lutaris
