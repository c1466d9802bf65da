// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/CaretScroll.h"

#include <gtest/gtest.h>

#include "model/TabCursor.h"
#include "render/CaretRenderer.h"

namespace lutaris {
namespace {

TEST(CaretScroll, MovesNoFurtherThanNeededAlongAnAxis) {
    // A window 100 long at 200 shows 200 … 299.
    EXPECT_EQ(CaretScroll::Along(220, 290, 200, 100), 200);  // in sight: stays
    EXPECT_EQ(CaretScroll::Along(150, 180, 200, 100), 150);  // above: its start on the top edge
    EXPECT_EQ(CaretScroll::Along(280, 320, 200, 100), 221);  // below: its end on the bottom edge
    EXPECT_EQ(CaretScroll::Along(500, 699, 200, 100), 500);  // too long: its start
    EXPECT_EQ(CaretScroll::Along(500, 520, 200, 0), 200);    // no window: nowhere to go
}

TEST(CaretScroll, AnItemTallerThanTheViewShowsTheCaretsCell) {
    TabSettings settings;
    settings.numberOfStrings = 40;
    Tablature item(&settings);
    item.lastOrigin = {1, 1000};
    TabCursor cursor(&settings);
    cursor.tabItem = &item;
    cursor.current.string = 30;
    cursor.current.column = 0;
    const LayoutSize viewport{300, 200};
    ASSERT_GT(item.GetExtent().height, viewport.height);
    const LayoutPoint scroll = CaretScroll::ToShow(cursor, {0, 0}, viewport);
    const LayoutPoint corner = CaretCorner(cursor);
    EXPECT_EQ(scroll.x, 0);  // the item is narrow enough: no move across
    EXPECT_EQ(scroll.y, corner.y + settings.verticalSpacing - viewport.height);

    // A caret without an item leaves the view where it is.
    cursor.tabItem = nullptr;
    EXPECT_EQ(CaretScroll::ToShow(cursor, {0, 70}, viewport), (LayoutPoint{0, 70}));
}

}  // namespace
}  // namespace lutaris
