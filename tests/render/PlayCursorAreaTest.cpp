// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "model/ItemGeometry.h"
#include "render/PlayCursorArea.h"
#include "render/ViewDocument.h"
#include "render/ViewPainter.h"
#include "support/TabDocumentFixture.h"

namespace lutaris {
namespace {

using PlayCursorAreaTest = test::DocumentTestOn<ViewDocument>;

TEST_F(PlayCursorAreaTest, TheColumnsCellsOverTheWholeItemWhereTheLayoutPutsIt) {
    AddItems(40);
    doc.ItemAtPosition(12)->AppendNote(test::Note(5, 0, 6));
    ViewPainter::LayOut(doc, 600);
    Tablature& item = *doc.ItemAtPosition(12);
    const std::optional<LayoutRect> area = PlayCursorArea(doc, &item, 12, 3);
    ASSERT_TRUE(area.has_value());
    const ItemGeometry geometry(*doc.settings);
    const LayoutPoint origin = item.GetLastOrigin();
    EXPECT_GT(origin.y, 0);  // not on the first row: the layout was asked
    EXPECT_EQ(area->left, origin.x + geometry.CellLeft(3));
    EXPECT_EQ(area->right, origin.x + geometry.CellLeft(4) - 1);
    EXPECT_EQ(area->top, origin.y);
    EXPECT_EQ(area->bottom, origin.y + geometry.Box(6).height - 1);
}

TEST_F(PlayCursorAreaTest, AnItemMovedSinceItWasQueuedIsFoundWhereItIsNow) {
    AddItems(10);
    ViewPainter::LayOut(doc, 600);
    Tablature* item = doc.ItemAtPosition(7);
    const auto atSeven = PlayCursorArea(doc, item, 7, 0);
    // Queued at position 2, but it stands at 7.
    EXPECT_EQ(PlayCursorArea(doc, item, 2, 0), atSeven);
    EXPECT_EQ(PlayCursorArea(doc, item, 999, 0), atSeven);
}

TEST_F(PlayCursorAreaTest, NothingForAnItemThatIsNotTheDocumentsOrNoColumn) {
    AddItems(3);
    ViewPainter::LayOut(doc, 600);
    Tablature stranger(doc.settings.get());
    EXPECT_FALSE(PlayCursorArea(doc, &stranger, 1, 0).has_value());
    EXPECT_FALSE(PlayCursorArea(doc, nullptr, 1, 0).has_value());
    EXPECT_FALSE(PlayCursorArea(doc, doc.ItemAtPosition(1), 1, -1).has_value());
}

TEST_F(PlayCursorAreaTest, HugeSpacingsAreClampedNotWrapped) {
    doc.settings->horizontalSpacing = 2'000'000'000;
    ViewPainter::LayOut(doc, 600);
    const auto area = PlayCursorArea(doc, doc.ItemAtPosition(0), 0, 5);
    ASSERT_TRUE(area.has_value());
    EXPECT_LE(area->left, area->right);
}

}  // namespace
}  // namespace lutaris
