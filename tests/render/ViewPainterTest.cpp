// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "render/RenderTestSupport.h"
#include "render/ViewPainter.h"
#include "support/ViewDocumentFixture.h"

namespace lutaris {
namespace {

using Kind = RecordedCall::Kind;
using test::ItemLefts;
using test::Note;

class ViewPainterTest : public test::ViewDocumentTest {
protected:
    RecordingSurface Paint(ViewPaintState state, std::int32_t dpi = 96) {
        RecordingSurface surface(dpi);
        drawn = ViewPainter::Paint(doc, surface, state);
        return surface;
    }
    ViewPaintState Width(std::int32_t width) {
        ViewPaintState state;
        state.windowWidth = width;
        return state;
    }

    test::ScopedScreenResolution screen{ScreenResolution{96, 96}};
    std::size_t drawn = 0;
};

TEST_F(ViewPainterTest, ItemsFlowInPositionOrderAndWrapWhenTheNextWouldPassTheWidth) {
    AddItems(4);                                      // five items, 72 wide, 90 high
    doc.tabItems[1]->notes.push_back(Note(1, 0, 9));  // 288 wide
    // List order 0 1 2 3 4 gets positions 2 0 4 1 3.
    const std::int32_t positions[] = {2, 0, 4, 1, 3};
    for (std::size_t i = 0; i < 5; ++i) doc.tabItems[i]->position = positions[i];
    doc.InvalidatePositionIndex();

    const auto surface = Paint(Width(400));
    // Reading order: list items 1 (288 wide), 3, 0, 4, 2.
    EXPECT_EQ(doc.tabItems[1]->lastOrigin, (LayoutPoint{1, 1}));
    EXPECT_EQ(doc.tabItems[3]->lastOrigin, (LayoutPoint{289, 1}));
    // 361 + 72 > 400: a new row nextLineSpacing below the first.
    EXPECT_EQ(doc.tabItems[0]->lastOrigin, (LayoutPoint{1, 121}));
    EXPECT_EQ(doc.tabItems[4]->lastOrigin, (LayoutPoint{73, 121}));
    EXPECT_EQ(doc.tabItems[2]->lastOrigin, (LayoutPoint{145, 121}));
    EXPECT_EQ(ItemLefts(surface), (std::vector<std::int32_t>{1, 289, 1, 73, 145}));
    EXPECT_EQ(drawn, 5u);
}

TEST_F(ViewPainterTest, ExactFitStaysOnTheRow) {
    AddItems(1);
    Paint(Width(1 + 72 + 72));
    EXPECT_EQ(doc.tabItems[1]->lastOrigin, (LayoutPoint{73, 1}));
    Paint(Width(1 + 72 + 71));
    EXPECT_EQ(doc.tabItems[1]->lastOrigin, (LayoutPoint{1, 121}));
}

TEST_F(ViewPainterTest, WindowNarrowerThanAnItemGivesEveryItemARowOfItsOwnFromTheTop) {
    AddItems(2);
    Paint(Width(50));
    EXPECT_EQ(doc.tabItems[0]->lastOrigin, (LayoutPoint{1, 1}));
    EXPECT_EQ(doc.tabItems[1]->lastOrigin, (LayoutPoint{1, 121}));
    EXPECT_EQ(doc.tabItems[2]->lastOrigin, (LayoutPoint{1, 241}));
    // A wide item among narrow ones: alone on its row, the next item on the row after it.
    doc.tabItems[1]->AppendNote(test::Note(3, 0, 10));  // (10 + 3) × 24 = 312 wide
    Paint(Width(250));
    EXPECT_EQ(doc.tabItems[0]->lastOrigin, (LayoutPoint{1, 1}));
    EXPECT_EQ(doc.tabItems[1]->lastOrigin, (LayoutPoint{1, 121}));
    EXPECT_EQ(doc.tabItems[2]->lastOrigin, (LayoutPoint{1, 241}));
}

TEST_F(ViewPainterTest, SelectedItemsAreHighlightedByPosition) {
    AddItems(2);
    doc.SetSelection({doc.tabItems[1].get()}, doc.copied);
    const auto surface = Paint(Width(800));
    const auto rectangles = surface.Calls(Kind::Rectangle);
    ASSERT_EQ(rectangles.size(), 15u);
    for (std::size_t i = 0; i < 15; ++i) {
        EXPECT_EQ(rectangles[i].pen.color, (i / 5 == 1) ? kRed : kBlack) << i;
    }
}

TEST_F(ViewPainterTest, EveryPaintPutsTheItemsBackToScaleOne) {
    doc.tabItems[0]->scale = 26;
    const auto surface = Paint(Width(800));
    EXPECT_EQ(doc.tabItems[0]->scale, 1);
    EXPECT_EQ(surface.Calls(Kind::Rectangle).at(0).args[2], 73);
}

TEST_F(ViewPainterTest, ItemsOutsideTheExposedAreaAreLaidOutButNotDrawn) {
    AddItems(5);  // six items, three per row at width 230
    for (auto& item : doc.tabItems) item->lastOrigin = {-1, -1};
    ViewPaintState state = Width(230);
    state.exposed = LayoutRect{0, 150, 230, 160};  // only the second row
    const auto surface = Paint(state);
    EXPECT_EQ(drawn, 3u);
    EXPECT_EQ(surface.Calls(Kind::Rectangle).size(), 15u);
    for (const auto& call : surface.Calls(Kind::Rectangle)) EXPECT_GT(call.args[1], 121);
    EXPECT_EQ(doc.ItemAtPosition(0)->lastOrigin, (LayoutPoint{1, 1}));
    EXPECT_EQ(doc.ItemAtPosition(2)->lastOrigin, (LayoutPoint{145, 1}));
    EXPECT_EQ(doc.ItemAtPosition(5)->lastOrigin, (LayoutPoint{145, 121}));
}

TEST_F(ViewPainterTest, ExposedAreaTouchingOnlyAMarkAboveAnItemStillDrawsIt) {
    // A bend up on the top string reaches five units above the item's top.
    doc.tabItems[0]->notes.push_back(Note(5, 0, 0, BendUp));
    ViewPaintState state = Width(800);
    state.exposed = LayoutRect{0, -10, 100, -3};
    Paint(state);
    EXPECT_EQ(drawn, 1u);
    state.exposed = LayoutRect{0, -40, 100, -20};
    Paint(state);
    EXPECT_EQ(drawn, 0u);
}

TEST_F(ViewPainterTest, PrinterGetsEverythingWhateverTheExposedArea) {
    AddItems(3);
    ViewPaintState state = Width(230);
    state.exposed = LayoutRect{0, 0, 10, 10};
    state.printing = true;
    Paint(state, 600);
    EXPECT_EQ(drawn, 4u);
}

TEST_F(ViewPainterTest, SelectionLineIsDottedFromAnchorToDragWithTheirScrollPositions) {
    ViewPaintState state = Width(800);
    state.selectionLine = {true, {10, 20}, {0, 100}, {300, 40}, {5, 120}};
    const auto surface = Paint(state);
    const auto lines = surface.Calls(Kind::LineTo);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(test::Line(lines[0]), (std::array<std::int32_t, 4>{10, 120, 305, 160}));
    EXPECT_EQ(lines[0].pen, (Pen{PenStyle::Dot, 1, kBlack}));
    state.selectionLine.selecting = false;
    EXPECT_TRUE(Paint(state).Calls(Kind::LineTo).empty());
}

TEST_F(ViewPainterTest, CaretComesLastOnScreenAndNeverOnAPrintout) {
    doc.tabItems[0]->notes.push_back(Note(5, 0, 0));
    doc.cursor->current = Note(5, 0, 0);
    ViewPaintState state = Width(800);
    state.selectionLine.selecting = true;
    const auto surface = Paint(state);
    const auto texts = surface.Calls(Kind::TextOut);
    ASSERT_FALSE(texts.empty());
    const auto& last = texts.back();
    EXPECT_EQ(last.textColor, kRed);
    EXPECT_EQ(last.text, "5");
    EXPECT_EQ(last.args[0], 25);
    EXPECT_EQ(last.args[1], 8);
    std::size_t lineIndex = 0, caretIndex = 0;
    for (std::size_t i = 0; i < surface.Calls().size(); ++i) {
        if (surface.Calls()[i].kind == Kind::LineTo) lineIndex = i;
        if (surface.Calls()[i].kind == Kind::TextOut) caretIndex = i;
    }
    EXPECT_LT(lineIndex, caretIndex);

    state.printing = true;
    const auto printed = Paint(state, 600);
    for (const auto& text : printed.Calls(Kind::TextOut)) EXPECT_NE(text.textColor, kRed);
}

}  // namespace
}  // namespace lutaris
