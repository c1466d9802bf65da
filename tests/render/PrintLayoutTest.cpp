// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "render/PrintLayout.h"
#include "render/RenderTestSupport.h"
#include "render/ViewPainter.h"
#include "support/ViewDocumentFixture.h"

namespace lutaris {
namespace {

using Kind = RecordedCall::Kind;
using test::Note;

// Default settings: an empty item is 72 wide and 90 high, rows stand 120 apart, the flow
// starts at (1, 1).
class PrintLayoutTest : public test::ViewDocumentTest {
protected:
    PrintLayout Build(LayoutSize printable) {
        return PrintLayout::Build(ViewContent{*doc.settings, doc.tabItems, doc.selection},
                                  printable);
    }
    static std::vector<LayoutPoint> Origins(const PrintLayout& layout, std::size_t page) {
        std::vector<LayoutPoint> origins;
        for (const auto& placement : layout.Page(page)) origins.push_back(placement.origin);
        return origins;
    }

    test::ScopedScreenResolution screen{ScreenResolution{96, 96}};
};

TEST_F(PrintLayoutTest, RowsWrapAtThePrintableWidthAndAPageEndsBeforeARowThatWouldPassIt) {
    AddItems(9);  // ten items
    // Reading order is the positions, not the list: swap the first two.
    doc.tabItems[0]->position = 1;
    doc.tabItems[1]->position = 0;
    doc.InvalidatePositionIndex();
    doc.SetSelection({doc.tabItems[9].get()}, doc.copied);
    for (auto& item : doc.tabItems) item->lastOrigin = {-5, -5};

    // Three items fit a row exactly (1 + 3 × 72), three rows a page exactly (241 + 90).
    const PrintLayout layout = Build({217, 331});
    ASSERT_EQ(layout.PageCount(), 2u);
    EXPECT_EQ(Origins(layout, 0), (std::vector<LayoutPoint>{{1, 1},
                                                            {73, 1},
                                                            {145, 1},
                                                            {1, 121},
                                                            {73, 121},
                                                            {145, 121},
                                                            {1, 241},
                                                            {73, 241},
                                                            {145, 241}}));
    EXPECT_EQ(layout.Page(0)[0].item, doc.tabItems[1].get());
    EXPECT_EQ(layout.Page(0)[1].item, doc.tabItems[0].get());
    EXPECT_EQ(Origins(layout, 1), (std::vector<LayoutPoint>{{1, 1}}));
    EXPECT_TRUE(layout.Page(2).empty());

    // The last page alone is drawn, highlighted as selected, at the printer's ratio; the items
    // keep the origins the screen gave them.
    RecordingSurface surface(600);
    layout.PaintPage(1, surface);
    const auto rectangles = surface.Calls(Kind::Rectangle);
    ASSERT_EQ(rectangles.size(), 5u);
    EXPECT_EQ(test::Box(rectangles[0]), (std::array<std::int32_t, 4>{6, 100, 456, 181}));
    EXPECT_EQ(rectangles[0].pen.color, kRed);
    for (const auto& item : doc.tabItems) EXPECT_EQ(item->lastOrigin, (LayoutPoint{-5, -5}));

    // One unit less in either direction: two items a row, then two rows a page.
    EXPECT_EQ(Build({216, 331}).PageCount(), 2u);
    EXPECT_EQ(Origins(Build({216, 331}), 1),
              (std::vector<LayoutPoint>{{1, 1}, {73, 1}, {1, 121}, {73, 121}}));
    EXPECT_EQ(Build({217, 330}).PageCount(), 2u);
    EXPECT_EQ(Build({217, 330}).Page(0).size(), 6u);
}

TEST_F(PrintLayoutTest, AnItemWiderOrHigherThanThePageHasARowOrAPageOfItsOwn) {
    AddItems(3);
    doc.tabItems[1]->AppendNote(Note(5, 0, 12));  // (12 + 3) × 24 = 360 wide
    doc.tabItems[0]->AppendNote(Note(7, 0, 20));  // 552 wide, first on the page

    const PrintLayout wide = Build({300, 1000});
    ASSERT_EQ(wide.PageCount(), 1u);
    // No empty row before the first item, as a too narrow window would leave on the screen.
    EXPECT_EQ(Origins(wide, 0), (std::vector<LayoutPoint>{{1, 1}, {1, 121}, {1, 241}, {73, 241}}));

    // Lower than one item: one item a page, no empty pages.
    const PrintLayout low = Build({1000, 50});
    ASSERT_EQ(low.PageCount(), 4u);
    for (std::size_t page = 0; page < 4; ++page)
        EXPECT_EQ(Origins(low, page), (std::vector<LayoutPoint>{{1, 1}}));
}

TEST_F(PrintLayoutTest, ThePrintableSizeIsTheDeviceAreaAtTheRenderersRatioLessAPen) {
    // 600 dpi against a 96-dpi screen: 6.25 device pixels a unit, pens 6 pixels wide.
    EXPECT_EQ(PrintLayout::PrintableSize(4792, 6851, 600), (LayoutSize{765, 1095}));
    EXPECT_EQ(PrintLayout::PrintableSize(4, 6851, 600), (LayoutSize{0, 1095}));
    {
        test::ScopedScreenResolution large{ScreenResolution{120, 120}};
        EXPECT_EQ(PrintLayout::PrintableSize(4792, 6851, 600), (LayoutSize{957, 1369}));
    }
    // No document at all still prints a page.
    doc.ClearTabItems();
    EXPECT_EQ(Build({765, 1095}).PageCount(), 1u);
    EXPECT_TRUE(Build({765, 1095}).Page(0).empty());
}

}  // namespace
}  // namespace lutaris
