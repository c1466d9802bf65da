// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "model/TabCursor.h"
#include "render/CaretRenderer.h"
#include "render/RenderTestSupport.h"

namespace lutaris {
namespace {

using Kind = RecordedCall::Kind;

class CaretRendererTest : public testing::Test {
protected:
    RecordingSurface Draw(std::int32_t dpi = 96) {
        RecordingSurface surface(dpi);
        surface.SetBkMode(BackgroundMode::Transparent);
        surface.Clear();
        DrawCaret(cursor, surface);
        return surface;
    }

    TabSettings settings;
    Tablature item{&settings};
    TabCursor cursor{&settings};
};

TEST_F(CaretRendererTest, DrawsNothingWithoutATabItemButLeavesTheSurfaceAsItWas) {
    const auto surface = Draw();
    EXPECT_EQ(surface.DrawingCallCount(), 0u);
    EXPECT_EQ(surface.GetTextColor(), kBlack);
    EXPECT_EQ(surface.CurrentFont(), LogicalFont{});
}

TEST_F(CaretRendererTest, RedOpaqueTextOverTheNoteCellOfTheLastPaint) {
    cursor.tabItem = &item;
    item.lastOrigin = {73, 121};
    cursor.current = TabNote{7, 2, 3, 0, Normal};
    const auto surface = Draw();
    const auto texts = surface.Calls(Kind::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "7");
    EXPECT_EQ(texts[0].args[0], 73 + 4 * 24);
    EXPECT_EQ(texts[0].args[1], 121 + 2 * 12 + 15 - 8);
    EXPECT_EQ(texts[0].textColor, kRed);
    EXPECT_EQ(texts[0].bkMode, BackgroundMode::Opaque);
    EXPECT_EQ(texts[0].font.height, -12);
    EXPECT_EQ(texts[0].font.faceName, "Courier");
    EXPECT_EQ(texts[0].font.pitchAndFamily, 0x22);
    // Colour and font restored; the background mode is left opaque.
    EXPECT_EQ(surface.GetTextColor(), kBlack);
    EXPECT_EQ(surface.CurrentFont(), LogicalFont{});
    EXPECT_EQ(surface.GetBkMode(), BackgroundMode::Opaque);
}

TEST_F(CaretRendererTest, StaysAtScaleOneWithoutTheResolutionRatio) {
    cursor.tabItem = &item;
    item.scale = 26;
    item.lastOrigin = {1, 1};
    const auto texts = Draw(600).Calls(Kind::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].args[0], 25);
    EXPECT_EQ(texts[0].args[1], 8);
    EXPECT_EQ(texts[0].font.height, -12);
}

TEST_F(CaretRendererTest, TextTableTakesTheFirstMatchingRow) {
    const struct {
        std::int32_t fret;
        std::int32_t action;
        const char* text;
    } cases[] = {
        {BlankFret, Harmonic, "?"}, {BlankFret, NoNote, "?"}, {5, Mute, "X"},
        {5, Harmonic, "<5>"},       {12, Optional, "(12)"},   {5, NoNote, "?"},
        {0, NoNote, "?"},           {5, Vibrato, "5"},        {15, SlideUp, "15"},
        {3, Normal, "3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CaretText(TabNote{c.fret, 0, 0, 0, c.action}), c.text)
            << c.fret << " " << c.action;
    }
}

}  // namespace
}  // namespace lutaris
