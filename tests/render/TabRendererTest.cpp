// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "render/RenderTestSupport.h"
#include "render/TabRenderer.h"

namespace lutaris {
namespace {

using Kind = RecordedCall::Kind;
using test::Box;
using test::Line;
using Box4 = std::array<std::int32_t, 4>;
using Arc8 = std::array<std::int32_t, 8>;

class TabRendererTest : public testing::Test {
protected:
    TabNote Note(std::int32_t fret, std::int32_t string, std::int32_t column,
                 std::int32_t action = Normal) {
        return TabNote{fret, string, column, 0, action};
    }
    // The worked example: default settings, origin (1, 1), scale 1 on a screen-resolution
    // surface.
    RecordingSurface DrawAt(LayoutPoint origin = {1, 1}, bool highlighted = false,
                            std::int32_t dpi = 96) {
        RecordingSurface surface(dpi);
        TabRenderer::Draw(item, surface, origin, item.GetExtent(), highlighted);
        return surface;
    }
    RecordingSurface DrawOne(TabNote note) {
        item.AppendNote(note);
        return DrawAt();
    }

    test::ScopedScreenResolution screen{ScreenResolution{96, 96}};
    TabSettings settings;
    Tablature item{&settings};
};

TEST_F(TabRendererTest, EmptyItemDrawsFiveStackedRectanglesFromFifteenBelowTheOrigin) {
    const auto surface = DrawAt();
    const auto rectangles = surface.Calls(Kind::Rectangle);
    ASSERT_EQ(rectangles.size(), 5u);
    const Box4 expected[] = {
        {1, 16, 73, 29}, {1, 28, 73, 41}, {1, 40, 73, 53}, {1, 52, 73, 65}, {1, 64, 73, 77}};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(Box(rectangles[i]), expected[i]) << i;
    EXPECT_EQ(surface.DrawingCallCount(), 5u);
}

TEST_F(TabRendererTest, WorkedExampleMarksLieWhereTheLayoutPutsThem) {
    const struct {
        std::int32_t action;
        Arc8 arc;
        Box4 line;
    } cases[] = {
        {HammerOn, {31, 2, 49, 14, 49, 8, 31, 8}, {}},
        {PullOff, {31, 2, 49, 14, 49, 8, 31, 8}, {}},
        {BendUp, {1, -4, 49, 20, 31, 20, 49, 8}, {}},
        {BendRelease, {1, 8, 49, 32, 49, 20, 31, 8}, {}},
        {SlideUp, {}, {31, 20, 49, 8}},
        {SlideDown, {}, {31, 8, 49, 20}},
    };
    for (const auto& c : cases) {
        item.notes.clear();
        const auto surface = DrawOne(Note(5, 0, 0, c.action));
        const auto texts = surface.Calls(Kind::TextOut);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].args[0], 25);
        EXPECT_EQ(texts[0].args[1], 8);
        EXPECT_EQ(texts[0].text, "5");
        const auto arcs = surface.Calls(Kind::Arc);
        const auto lines = surface.Calls(Kind::LineTo);
        if (c.arc != Arc8{}) {
            ASSERT_EQ(arcs.size(), 1u) << c.action;
            EXPECT_EQ(arcs[0].args, c.arc) << c.action;
            EXPECT_TRUE(lines.empty());
        } else {
            ASSERT_EQ(lines.size(), 1u) << c.action;
            EXPECT_EQ(Line(lines[0]), c.line) << c.action;
            EXPECT_TRUE(arcs.empty());
        }
    }
}

TEST_F(TabRendererTest, ShownTextFollowsTheAction) {
    const struct {
        std::int32_t fret;
        std::int32_t action;
        const char* text;
    } cases[] = {
        {5, Normal, "5"},
        {5, Mute, "X"},
        {5, Unmarked, "5"},
        {5, Vibrato, "5~"},
        {5, Tap, "5T"},
        {5, Harmonic, "<5>"},
        {12, Optional, "(12)"},
        {5, 4, "5"},
        {5, 99, "5"},
        {-3, Normal, "-3"},
        {BlankFret, Normal, " "},
        {BlankFret, Harmonic, "< >"},
    };
    for (const auto& c : cases) {
        item.notes.clear();
        const auto surface = DrawOne(Note(c.fret, 0, 0, c.action));
        const auto texts = surface.Calls(Kind::TextOut);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, c.text) << c.fret << " " << c.action;
        EXPECT_EQ(surface.DrawingCallCount(), 6u) << "no mark for action " << c.action;
    }
}

TEST_F(TabRendererTest, NotesAreDrawnInListOrderAtTheirStringAndColumn) {
    item.AppendNote(Note(7, 5, 3));
    item.AppendNote(Note(1, 2, 0));
    item.AppendNote(Note(9, 5, 3));
    const auto texts = DrawAt({10, 100}).Calls(Kind::TextOut);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "7");
    EXPECT_EQ(texts[0].args[0], 10 + 4 * 24);
    EXPECT_EQ(texts[0].args[1], 100 + 5 * 12 - 8 + 15);
    EXPECT_EQ(texts[1].text, "1");
    EXPECT_EQ(texts[1].args[0], 10 + 24);
    EXPECT_EQ(texts[1].args[1], 100 + 2 * 12 - 8 + 15);
    EXPECT_EQ(texts[2].text, "9");
}

TEST_F(TabRendererTest, OneStringDrawsNoLineButStillTheTexts) {
    settings.numberOfStrings = 1;
    const auto surface = DrawOne(Note(3, 0, 1, SlideUp));
    EXPECT_TRUE(surface.Calls(Kind::Rectangle).empty());
    EXPECT_EQ(surface.Calls(Kind::TextOut).size(), 1u);
    EXPECT_EQ(surface.Calls(Kind::LineTo).size(), 1u);
}

// A damaged document may ask for billions of strings; only the rectangles the surface can show
// are drawn, so a paint ends at once and shows the same pixels.
TEST_F(TabRendererTest, HugeStringCountStopsDrawingPastWhatTheSurfaceShows) {
    settings.numberOfStrings = 2147483647;
    RecordingSurface surface;
    surface.SetClipBox(SurfaceBox{0, 0, 99, 99});
    TabRenderer::Draw(item, surface, {1, 1}, item.GetExtent(), false);
    const auto rectangles = surface.Calls(Kind::Rectangle);
    ASSERT_EQ(rectangles.size(), 8u);
    EXPECT_EQ(rectangles.back().args[1], 100);  // the last whose outline can reach row 99

    settings.verticalSpacing = -12;
    surface.Clear();
    surface.SetClipBox(SurfaceBox{0, -50, 99, 99});
    TabRenderer::Draw(item, surface, {1, 1}, item.GetExtent(), false);
    EXPECT_EQ(surface.Calls(Kind::Rectangle).size(), 6u);
    EXPECT_EQ(surface.Calls(Kind::Rectangle).back().args[1], 16 - 5 * 12);  // reaches -50

    settings.verticalSpacing = 0;
    surface.Clear();
    TabRenderer::Draw(item, surface, {1, 1}, item.GetExtent(), false);
    EXPECT_EQ(surface.Calls(Kind::Rectangle).size(), 1u);
}

TEST_F(TabRendererTest, HighlightedItemDrawsRedLinesButKeepsTheTextColour) {
    item.AppendNote(Note(5, 0, 0, HammerOn));
    item.AppendNote(Note(5, 1, 1, SlideUp));
    const auto surface = DrawAt({1, 1}, true);
    for (const auto& call : surface.Calls()) {
        if (call.kind == Kind::Rectangle || call.kind == Kind::Arc || call.kind == Kind::LineTo) {
            EXPECT_EQ(call.pen.color, kRed);
        }
        if (call.kind == Kind::TextOut) {
            EXPECT_EQ(call.textColor, kBlack);
        }
        EXPECT_NE(call.kind, Kind::SetTextColor);
    }
    const auto plain = DrawAt({1, 1}, false);
    for (const auto& call : plain.Calls(Kind::Rectangle)) EXPECT_EQ(call.pen.color, kBlack);
    for (const auto& call : plain.Calls(Kind::Arc)) EXPECT_EQ(call.pen.color, kBlack);
}

TEST_F(TabRendererTest, FontAndPenAreTheRenderersOwnAndRestoredAfterwards) {
    item.AppendNote(Note(5, 0, 0));
    const auto surface = DrawAt();
    const auto text = surface.Calls(Kind::TextOut).at(0);
    EXPECT_EQ(text.font.faceName, "Courier");
    EXPECT_EQ(text.font.height, -12);
    EXPECT_EQ(text.font.weight, 0);
    EXPECT_EQ(text.font.outPrecision, 4);
    EXPECT_EQ(text.font.quality, 2);
    EXPECT_EQ(text.font.pitchAndFamily, 0x22);
    EXPECT_EQ(text.pen, (Pen{PenStyle::Solid, 1, kBlack}));
    EXPECT_EQ(surface.CurrentFont(), LogicalFont{});
    EXPECT_EQ(surface.CurrentPen(), Pen{});
}

TEST_F(TabRendererTest, TextOpaqueChoosesTheBackgroundModeOfTheTexts) {
    item.AppendNote(Note(5, 0, 0));
    EXPECT_EQ(DrawAt().Calls(Kind::TextOut).at(0).bkMode, BackgroundMode::Opaque);
    settings.textOpaque = 0;
    EXPECT_EQ(DrawAt().Calls(Kind::TextOut).at(0).bkMode, BackgroundMode::Transparent);
    settings.textOpaque = -7;
    EXPECT_EQ(DrawAt().Calls(Kind::TextOut).at(0).bkMode, BackgroundMode::Opaque);
}

TEST_F(TabRendererTest, SlidesStartAfterTheNumberSixUnitsPerCharacter) {
    const auto oneDigit = DrawOne(Note(5, 0, 0, SlideUp));
    EXPECT_EQ(Line(oneDigit.Calls(Kind::LineTo).at(0))[0], 25 + 6);
    item.notes.clear();
    const auto twoDigits = DrawOne(Note(12, 0, 0, SlideDown));
    EXPECT_EQ(Line(twoDigits.Calls(Kind::LineTo).at(0)), (Box4{25 + 12, 8, 49, 20}));
}

TEST_F(TabRendererTest, BlankFretSlideShowsOneBlankAndTheStroke) {
    const auto surface = DrawOne(Note(BlankFret, 0, 0, SlideUp));
    const auto text = surface.Calls(Kind::TextOut).at(0);
    EXPECT_EQ(text.text, " ");
    EXPECT_EQ(text.bkMode, BackgroundMode::Opaque);
    EXPECT_EQ(Line(surface.Calls(Kind::LineTo).at(0)), (Box4{31, 20, 49, 8}));
}

TEST_F(TabRendererTest, PrinterAtSixHundredDotsPerInchDrawsSixAndAQuarterTimesLarger) {
    item.AppendNote(Note(5, 0, 0, BendUp));
    const auto surface = DrawAt({1, 1}, false, 600);
    const auto text = surface.Calls(Kind::TextOut).at(0);
    EXPECT_EQ(text.font.height, -75);
    EXPECT_EQ(text.pen.width, 6);
    // X = D(25) = trunc(156.25), Y = D(8) = 50.
    EXPECT_EQ(text.args[0], 156);
    EXPECT_EQ(text.args[1], 50);
    // left = D(1), right = D(73), top = D(16), bottom = D(29); then top ⊕ 12, bottom ⊕ 12.
    const auto rectangles = surface.Calls(Kind::Rectangle);
    EXPECT_EQ(Box(rectangles.at(0)), (Box4{6, 100, 456, 181}));
    EXPECT_EQ(Box(rectangles.at(1)), (Box4{6, 175, 456, 256}));
    // (X ⊖ 24, Y ⊖ 12) – (X ⊕ 24, Y ⊕ 12) from (X + D(6), Y ⊕ 12) to (X ⊕ 24, Y).
    EXPECT_EQ(surface.Calls(Kind::Arc).at(0).args,
              (Arc8{6, -25, 306, 125, 156 + 37, 125, 306, 50}));
}

// The reference resolution is the screen's, so the order of paints does not matter: a print
// made before anything was shown on the screen is as large as one made afterwards.
TEST_F(TabRendererTest, PrintBeforeAnyScreenPaintIsAsLargeAsAfterOne) {
    item.AppendNote(Note(5, 0, 0));
    const auto printedFirst = DrawAt({1, 1}, false, 600);
    const auto screen = DrawAt({1, 1}, false, 96);
    const auto printedAfter = DrawAt({1, 1}, false, 600);
    EXPECT_EQ(printedFirst.Calls(Kind::TextOut).at(0).font.height, -75);
    EXPECT_EQ(screen.Calls(Kind::TextOut).at(0).font.height, -12);
    EXPECT_EQ(printedAfter.Calls(Kind::TextOut).at(0).font.height, -75);
    EXPECT_EQ(Box(printedFirst.Calls(Kind::Rectangle).at(0)),
              Box(printedAfter.Calls(Kind::Rectangle).at(0)));
}

TEST_F(TabRendererTest, ScreenResolutionSetAtStartUpIsTheReference) {
    test::ScopedScreenResolution highDpi(ScreenResolution{120, 120});
    item.AppendNote(Note(5, 0, 0));
    EXPECT_EQ(DrawAt({1, 1}, false, 120).Calls(Kind::TextOut).at(0).font.height, -12);
    const auto printed = DrawAt({1, 1}, false, 600);
    EXPECT_EQ(printed.Calls(Kind::TextOut).at(0).font.height, -60);
    EXPECT_EQ(printed.Calls(Kind::TextOut).at(0).pen.width, 5);
    // A surface coarser than the screen still gets the thinnest pen.
    EXPECT_EQ(DrawAt({1, 1}, false, 72).Calls(Kind::TextOut).at(0).pen.width, 0);
}

// Where the view put an item is its layout's to remember (the view's tests check it): drawing
// elsewhere, as the presentation and the printed pages do, must not move it.
TEST_F(TabRendererTest, DrawingLeavesTheRememberedOriginAlone) {
    item.lastOrigin = {40, 50};
    DrawAt({300, 400});
    EXPECT_EQ(item.lastOrigin, (LayoutPoint{40, 50}));
}

TEST_F(TabRendererTest, PresentationScaleIsHimetricPerScreenPixel) {
    TabRenderer::SetPresentationScale(item, true);
    EXPECT_EQ(item.scale, 26);
    TabRenderer::SetPresentationScale(item, false);
    EXPECT_EQ(item.scale, 1);
    test::ScopedScreenResolution highDpi(ScreenResolution{120, 120});
    TabRenderer::SetPresentationScale(item, true);
    EXPECT_EQ(item.scale, 21);
}

TEST_F(TabRendererTest, PresentationScaleMultipliesEveryLayoutValue) {
    TabRenderer::SetPresentationScale(item, true);
    item.AppendNote(Note(5, 0, 0));
    RecordingSurface surface;
    TabRenderer::Draw(item, surface, {72, 0}, item.GetExtent(), false);
    EXPECT_EQ(Box(surface.Calls(Kind::Rectangle).at(0)), (Box4{1872, 390, 3744, 728}));
    const auto text = surface.Calls(Kind::TextOut).at(0);
    EXPECT_EQ(text.args[0], 96 * 26);
    EXPECT_EQ(text.args[1], 7 * 26);
    EXPECT_EQ(text.font.height, -312);
}

// Whatever the settings and notes, everything drawn lies inside InkBounds, so that skipping an
// item whose bounds miss the repainted area never leaves part of it unpainted.
TEST_F(TabRendererTest, AnItemWithoutNotesMeasuresAsItsStaff) {
    const TabRenderer::Measurement measured = TabRenderer::Measure(item);
    EXPECT_EQ(measured.extent, (LayoutSize{72, 90}));
    EXPECT_EQ(measured.ink, (TabRenderer::InkBox{0, 15, 72, 76}));
}

TEST_F(TabRendererTest, InkBoundsHoldEverythingDrawn) {
    const TabSettings variants[] = {
        TabSettings{},
        TabSettings{1, 1, 24, 12, 40, 6, 30, 1},
        TabSettings{5, 5, -24, 12, 8, 4, 30, 0},
        TabSettings{5, 5, 24, -12, -30, 3, 7, 1},
        TabSettings{0, 0, 0, 0, 0, 2, 0, 1},
    };
    for (const TabSettings& variant : variants) {
        settings = variant;
        item.notes.clear();
        const std::int32_t actions[] = {Normal,    Mute,   Vibrato,     SlideUp,
                                        SlideDown, BendUp, BendRelease, HammerOn,
                                        PullOff,   Tap,    Harmonic,    Optional};
        std::int32_t column = -2;
        for (std::int32_t action : actions) {
            item.AppendNote(Note(column * 7, column & 3, column, action));
            ++column;
        }
        item.AppendNote(Note(-2147483647, -1, 3, Harmonic));
        // The layout's one reading of the notes agrees with the separate measures.
        const TabRenderer::Measurement measured = TabRenderer::Measure(item);
        EXPECT_EQ(measured.extent, item.GetExtent());
        EXPECT_EQ(measured.ink, TabRenderer::InkAroundOrigin(item, item.GetExtent()));
        const LayoutPoint origin{200, 300};
        const LayoutRect bounds = TabRenderer::InkBounds(item, origin, item.GetExtent());
        const auto surface = DrawAt(origin);
        const auto inside = [&](std::int32_t x, std::int32_t y) {
            return x >= bounds.left && x <= bounds.right && y >= bounds.top && y <= bounds.bottom;
        };
        for (const auto& call : surface.Calls()) {
            if (call.kind == Kind::Rectangle || call.kind == Kind::Arc) {
                EXPECT_TRUE(inside(call.args[0], call.args[1]) &&
                            inside(call.args[2], call.args[3]))
                    << variant.horizontalSpacing << " " << variant.verticalSpacing;
            } else if (call.kind == Kind::LineTo) {
                EXPECT_TRUE(inside(call.fromX, call.fromY) && inside(call.args[0], call.args[1]));
            } else if (call.kind == Kind::TextOut) {
                const std::int32_t em = std::max(1, std::abs(variant.verticalSpacing));
                const std::int32_t width = static_cast<std::int32_t>(call.text.size()) * em;
                EXPECT_TRUE(inside(call.args[0], call.args[1]) &&
                            inside(call.args[0] + width, call.args[1] + 2 * em))
                    << call.text << " at " << call.args[0] << "," << call.args[1];
            }
        }
    }
}

}  // namespace
}  // namespace lutaris
