// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "platform/files/Archive.h"
#include "render/CCorvaneSrvrItem.h"
#include "render/RenderTestSupport.h"
#include "support/ViewDocumentFixture.h"

namespace lutaris {
namespace {

using Kind = RecordedCall::Kind;
using test::ItemLefts;
using test::Note;

class CCorvaneSrvrItemTest : public test::ViewDocumentTest {
protected:
    test::ScopedScreenResolution screen{ScreenResolution{96, 96}};
    CCorvaneSrvrItem item{doc};
};

TEST_F(CCorvaneSrvrItemTest, OneEmptyItemIs74By92PixelsOr1958By2434Himetric) {
    EXPECT_EQ(item.ContentSize(), (LayoutSize{74, 92}));
    LayoutSize extent;
    ASSERT_TRUE(item.OnGetExtent(DrawAspect::Content, extent));
    EXPECT_EQ(extent, (LayoutSize{1958, 2434}));

    RecordingSurface surface;
    LayoutSize drawn;
    ASSERT_TRUE(item.OnDraw(surface, drawn));
    EXPECT_EQ(drawn, (LayoutSize{1958, 2434}));
    ASSERT_FALSE(surface.Calls().empty());
    EXPECT_EQ(surface.Calls().front().kind, Kind::SetWindowExtent);
    EXPECT_EQ(surface.Calls().front().args[0], 1958);
    EXPECT_EQ(surface.Calls().front().args[1], 2434);
    // Drawn from (0, 0) at 26 HIMETRIC per pixel: the first line 15 pixels down.
    EXPECT_EQ(test::Box(surface.Calls(Kind::Rectangle).at(0)),
              (std::array<std::int32_t, 4>{0, 390, 1872, 728}));
}

TEST_F(CCorvaneSrvrItemTest, SecondItemStartsWhereTheFirstEndsInDrawingUnits) {
    doc.AppendTabItem(1)->notes.push_back(Note(3, 0, 9));
    EXPECT_EQ(item.ContentSize().width, 362);
    LayoutSize extent;
    ASSERT_TRUE(item.OnGetExtent(DrawAspect::Content, extent));
    EXPECT_EQ(extent.width, 9578);
    RecordingSurface surface;
    ASSERT_TRUE(item.OnDraw(surface, extent));
    EXPECT_EQ(ItemLefts(surface), (std::vector<std::int32_t>{0, 1872}));
}

TEST_F(CCorvaneSrvrItemTest, ItemsGoInPositionOrderInOneRowWhateverTheirNumber) {
    AddItems(9);
    for (std::size_t i = 0; i < doc.tabItems.size(); ++i) {
        doc.tabItems[i]->position = static_cast<std::int32_t>(doc.tabItems.size() - 1 - i);
        doc.tabItems[i]->notes.push_back(Note(1, 0, static_cast<std::int32_t>(i % 3)));
    }
    doc.InvalidatePositionIndex();
    RecordingSurface surface;
    LayoutSize size;
    ASSERT_TRUE(item.OnDraw(surface, size));
    // Reading order is the reverse of list order; widths are (i % 3 + 3) × 24.
    std::vector<std::int32_t> expected;
    std::int32_t x = 0;
    for (std::size_t i = doc.tabItems.size(); i-- > 0;) {
        expected.push_back(x * 26);
        x += static_cast<std::int32_t>(i % 3 + 3) * 24;
    }
    EXPECT_EQ(ItemLefts(surface), expected);
    for (std::size_t i = 0; i < surface.Calls(Kind::Rectangle).size(); i += 5) {
        EXPECT_EQ(surface.Calls(Kind::Rectangle)[i].args[1], 390) << "never wrapped";
    }
}

TEST_F(CCorvaneSrvrItemTest, DrawingLeavesTheViewsPlacesAndSelectionAlone) {
    AddItems(1);
    doc.tabItems[0]->lastOrigin = {1, 1};
    doc.tabItems[1]->lastOrigin = {1, 121};
    doc.SetSelection({doc.tabItems[1].get()}, doc.copied);
    RecordingSurface surface;
    LayoutSize size;
    ASSERT_TRUE(item.OnDraw(surface, size));
    EXPECT_EQ(doc.tabItems[0]->lastOrigin, (LayoutPoint{1, 1}));
    EXPECT_EQ(doc.tabItems[1]->lastOrigin, (LayoutPoint{1, 121}));
    for (const auto& call : surface.Calls(Kind::Rectangle)) EXPECT_EQ(call.pen.color, kBlack);
    EXPECT_EQ(doc.tabItems[0]->scale, 26);
}

TEST_F(CCorvaneSrvrItemTest, NoItemsOrAnotherAspectFailAndLeaveTheSizeAlone) {
    LayoutSize size{5, 7};
    EXPECT_FALSE(item.OnGetExtent(DrawAspect::Icon, size));
    EXPECT_EQ(size, (LayoutSize{5, 7}));
    doc.ClearTabItems();
    doc.cursor->tabItem = nullptr;
    EXPECT_FALSE(item.OnGetExtent(DrawAspect::Content, size));
    RecordingSurface surface;
    EXPECT_FALSE(item.OnDraw(surface, size));
    EXPECT_EQ(size, (LayoutSize{5, 7}));
    EXPECT_TRUE(surface.Calls().empty());
}

TEST_F(CCorvaneSrvrItemTest, ExtentFollowsTheScreenAndDrawingTheSurfacesResolution) {
    test::ScopedScreenResolution highDpi(ScreenResolution{120, 120});
    LayoutSize extent;
    ASSERT_TRUE(item.OnGetExtent(DrawAspect::Content, extent));
    EXPECT_EQ(extent, (LayoutSize{1566, 1947}));  // 74 × 2540 / 120, 92 × 2540 / 120
    RecordingSurface printer(600);
    ASSERT_TRUE(item.OnDraw(printer, extent));
    EXPECT_EQ(extent, (LayoutSize{313, 389}));
}

TEST_F(CCorvaneSrvrItemTest, NativeDataIsTheWholeDocumentUnlessLinked) {
    doc.AppendTabItem(1)->notes.push_back(Note(7, 2, 4, HammerOn));
    Archive stored;
    item.Serialize(stored);
    EXPECT_EQ(stored.StoredBytes(), doc.ContentsBytes());

    Archive linkedStore;
    CCorvaneSrvrItem linked(doc, true);
    linked.Serialize(linkedStore);
    EXPECT_TRUE(linkedStore.StoredBytes().empty());
}

}  // namespace
}  // namespace lutaris
