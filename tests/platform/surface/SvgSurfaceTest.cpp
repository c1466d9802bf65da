// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "platform/surface/SvgSurface.h"

namespace lutaris {
namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

LogicalFont Courier(std::int32_t height) {
    LogicalFont font;
    font.height = height;
    font.faceName = "Courier";
    return font;
}

TEST(SvgSurface, OpaqueTextFillsItsCellAndSitsOnTheBaselineBelowTheTopLeft) {
    SvgSurface svg(100, 100);
    svg.SelectFont(Courier(-12));
    svg.TextOut(25, 8, "5");
    const std::string document = svg.Document();
    EXPECT_TRUE(Contains(document, R"(<rect x="25" y="8" width="7" height="14" fill="#ffffff"/>)"))
        << document;
    EXPECT_TRUE(Contains(document, R"(<text x="25" y="18" )")) << document;
    EXPECT_TRUE(Contains(document, R"(font-size="12" fill="#000000")")) << document;
    // A viewer that took "Courier" from its own font configuration would draw other cells.
    EXPECT_TRUE(Contains(document, R"(font-family="'Liberation Mono', )")) << document;
}

TEST(SvgSurface, TransparentTextHasNoCellAndTakesTheTextColour) {
    SvgSurface svg(100, 100);
    svg.SelectFont(Courier(-12));
    svg.SetBkMode(BackgroundMode::Transparent);
    svg.SetTextColor(kRed);
    svg.TextOut(25, 8, "<5>&");
    const std::string document = svg.Document();
    EXPECT_FALSE(Contains(document, R"(<rect x="25")"));
    EXPECT_TRUE(Contains(document, R"(fill="#ff0000" xml:space="preserve">&lt;5&gt;&amp;</text>)"))
        << document;
}

TEST(SvgSurface, StrokesRunThroughPixelCentresAndLeaveOutTheFarEdges) {
    SvgSurface svg(100, 100);
    svg.Rectangle(1, 16, 73, 29);
    svg.MoveTo(31, 20);
    svg.LineTo(49, 8);
    svg.SelectPen(Pen{PenStyle::Dot, 1, kRed});
    svg.MoveTo(10, 10);
    svg.LineTo(10, 20);
    const std::string document = svg.Document();
    EXPECT_TRUE(Contains(document, R"(<rect x="1.5" y="16.5" width="71" height="12" )"))
        << document;
    // Half a pixel back along the major axis at both ends.
    EXPECT_TRUE(Contains(document, R"(<line x1="31" y1="20.833" x2="49" y2="8.833")")) << document;
    EXPECT_TRUE(Contains(document, R"(<line x1="10.5" y1="10" x2="10.5" y2="20")")) << document;
    EXPECT_TRUE(Contains(document, R"(stroke="#ff0000" stroke-width="1" stroke-dasharray="1 1")"));
}

TEST(SvgSurface, WindowExtentMapsOntoThePictureAndThePhysicalSizeIsDeclared) {
    SvgSurface svg(74, 92);
    svg.SetPhysicalSize(1958, 2434);
    svg.SetWindowExtent(1958, 2434);
    svg.SelectFont(Courier(-312));
    svg.TextOut(624, 182, "5");
    const std::string document = svg.Document();
    EXPECT_TRUE(Contains(document, R"(width="19.58mm" height="24.34mm" viewBox="0 0 74 92")"))
        << document;
    // 624 × 74 / 1958 = 23.6, 182 × 92 / 2434 = 6.9, 312 × 92 / 2434 = 11.8.
    EXPECT_TRUE(Contains(document, R"(<text x="24" y="17" )")) << document;
    EXPECT_TRUE(Contains(document, R"(font-size="12")")) << document;
}

TEST(SvgSurface, WholeEllipseIsDrawnInTwoHalvesAndArcsRunCounterClockwise) {
    SvgSurface svg(100, 100);
    svg.Arc(31, 2, 49, 14, 49, 8, 49, 8);
    svg.Arc(31, 2, 49, 14, 49, 8, 31, 8);
    const std::string document = svg.Document();
    const auto first = document.find("<path");
    const auto second = document.find("<path", first + 1);
    ASSERT_NE(second, std::string::npos);
    const std::string whole = document.substr(first, second - first);
    EXPECT_EQ(std::count(whole.begin(), whole.end(), 'A'), 2);
    // The upper half starts at the right end and ends near the left one, with sweep flag 0.
    const std::string half = document.substr(second);
    EXPECT_TRUE(Contains(half, R"(d="M48.5 8 A8.5 5.5 0 0 0 )")) << half;
}

}  // namespace
}  // namespace lutaris

namespace lutaris {
namespace {

// A document's settings are taken as stored, so a box may span the whole coordinate range; its
// size is computed without overflow and it is drawn as the box it is.
TEST(SvgSurface, BoxesAsWideAsTheCoordinateRangeAreDrawnWithoutOverflow) {
    SvgSurface svg(100, 100);
    svg.Rectangle(INT32_MIN + 1, -97495242, INT32_MAX, 10);
    svg.Arc(INT32_MIN + 1, INT32_MIN + 1, INT32_MAX, INT32_MAX, 0, 0, 10, 10);
    const std::string document = svg.Document();
    EXPECT_NE(document.find("width=\"4294967293\""), std::string::npos) << document;
    EXPECT_NE(document.find("<path"), std::string::npos);
    // Text at the bottom of the range: its baseline lies below it.
    SvgSurface text(100, 100);
    text.TextOut(0, INT32_MAX, "7");
    const std::string drawn = text.Document();
    const std::size_t at = drawn.find("<text x=\"0\" y=\"");
    ASSERT_NE(at, std::string::npos) << drawn;
    EXPECT_GT(std::stoll(drawn.substr(at + 15)), std::int64_t{INT32_MAX}) << drawn;
}

}  // namespace
}  // namespace lutaris
