// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <fstream>
#include <sstream>

#include "platform/qt/QtFontCache.h"
#include "platform/qt/QtSurface.h"
#include "platform/surface/MonospaceMetrics.h"
#include "platform/surface/SvgSurface.h"
#include "support/InkPicture.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

using test::InkPicture;

std::filesystem::path ReferenceDir() {
    return test::SourceDir() / "tests" / "data" / "reference-drawings";
}

InkPicture InkOf(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    InkPicture picture = InkPicture::Blank(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) picture.Set(x, y, (line[x] & 0xffffff) != 0xffffff);
    }
    return picture;
}

// Plays one of the reference drawing scripts on a surface, so that the Qt picture is drawn from
// exactly the calls the reference was drawn from.
void PlayScript(const std::filesystem::path& path, Surface& surface) {
    std::ifstream in(path);
    ASSERT_TRUE(in) << path;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string command;
        words >> command;
        std::int32_t a[8] = {};
        if (command == "size") continue;
        if (command == "pen") {
            words >> a[0] >> a[1] >> a[2] >> a[3];
            surface.SelectPen(
                Pen{PenStyle::Solid, a[0],
                    Color{std::uint8_t(a[1]), std::uint8_t(a[2]), std::uint8_t(a[3])}});
        } else if (command == "rect") {
            words >> a[0] >> a[1] >> a[2] >> a[3];
            surface.Rectangle(a[0], a[1], a[2], a[3]);
        } else if (command == "arc") {
            for (auto& value : a) words >> value;
            surface.Arc(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
        } else if (command == "line") {
            words >> a[0] >> a[1] >> a[2] >> a[3];
            surface.MoveTo(a[0], a[1]);
            surface.LineTo(a[2], a[3]);
        } else if (command == "font") {
            LogicalFont font;
            words >> font.height >> std::ws;
            std::getline(words, font.faceName);
            surface.SelectFont(font);
        } else if (command == "bkmode") {
            std::string mode;
            words >> mode;
            surface.SetBkMode(mode == "opaque" ? BackgroundMode::Opaque
                                               : BackgroundMode::Transparent);
        } else if (command == "text") {
            words >> a[0] >> a[1] >> std::ws;
            std::string text;
            std::getline(words, text);
            surface.TextOut(a[0], a[1], text);
        } else {
            FAIL() << "unknown script command " << command;
        }
    }
}

QImage WhiteImage(int width = 100, int height = 100) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage DrawScript(const std::string& name) {
    QImage image = WhiteImage();
    QPainter painter(&image);
    QtSurface surface(painter);
    PlayScript(ReferenceDir() / (name + ".txt"), surface);
    return image;
}

class ReferencePicture : public testing::TestWithParam<std::string> {};

TEST_P(ReferencePicture, MatchesThePlatformWithinOnePixel) {
    const QImage image = DrawScript(GetParam());
    const InkPicture ours = InkOf(image);
    const InkPicture reference = test::ReadPpm(ReferenceDir() / (GetParam() + ".ppm"));
    const auto comparison = test::CompareInk(ours, reference, 1);
    EXPECT_TRUE(comparison.Matches()) << "A = only ours, B = only the reference\n"
                                      << comparison.map << "\nours:\n"
                                      << test::InkRows(ours, 0, 0, 79, 35);
}

// The SVG surface follows the same rules: drawn by an SVG renderer without smoothing, the same
// scripts give the same pictures within one pixel.
TEST_P(ReferencePicture, SvgSurfaceMatchesThePlatformWithinOnePixel) {
    SvgSurface svg(100, 100);
    PlayScript(ReferenceDir() / (GetParam() + ".txt"), svg);
    QSvgRenderer renderer(QByteArray::fromStdString(svg.Document()));
    ASSERT_TRUE(renderer.isValid());
    QImage image = WhiteImage();
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        renderer.render(&painter);
    }
    const InkPicture ours = InkOf(image);
    const InkPicture reference = test::ReadPpm(ReferenceDir() / (GetParam() + ".ppm"));
    const auto comparison = test::CompareInk(ours, reference, 1);
    EXPECT_TRUE(comparison.Matches()) << "A = only ours, B = only the reference\n"
                                      << comparison.map << "\nours:\n"
                                      << test::InkRows(ours, 0, 0, 79, 35);
}

INSTANTIATE_TEST_SUITE_P(QtSurface, ReferencePicture,
                         testing::Values("strings", "item1_arc", "item2_line", "item3_arc",
                                         "item4_arc", "full_ellipses"));

// The text picture is compared by its opaque cell: glyph shapes differ from font to font. The
// cell shows in the reference as the gap it cuts into the string line at y = 16.
struct PixelRun {
    std::int32_t first = -1;
    std::int32_t last = -1;
};

PixelRun GapInRow(const InkPicture& picture, std::int32_t y, std::int32_t from, std::int32_t to) {
    PixelRun gap;
    for (std::int32_t x = from; x <= to; ++x) {
        if (picture.At(x, y)) continue;
        if (gap.first < 0) gap.first = x;
        gap.last = x;
    }
    return gap;
}

TEST(QtSurface, OpaqueTextCutsItsCellOutOfTheLineWhereThePlatformDoes) {
    const InkPicture ours = InkOf(DrawScript("item5_text"));
    const InkPicture reference = test::ReadPpm(ReferenceDir() / "item5_text.ppm");
    // Ignore the glyph: columns where the glyph paints on the line are counted as gap.
    InkPicture oursLine = ours, referenceLine = reference;
    for (std::int32_t x = 0; x < 100; ++x) {
        if (ours.At(x, 15) || ours.At(x, 17)) oursLine.Set(x, 16, false);
        if (reference.At(x, 15) || reference.At(x, 17)) referenceLine.Set(x, 16, false);
    }
    const PixelRun oursGap = GapInRow(oursLine, 16, 2, 71);
    const PixelRun referenceGap = GapInRow(referenceLine, 16, 2, 71);
    ASSERT_EQ(referenceGap.first, 25);
    EXPECT_NEAR(oursGap.first, referenceGap.first, 1);
    EXPECT_NEAR(oursGap.last, referenceGap.last, 1);

    // Everything outside the cell matches as the other pictures do.
    InkPicture oursOutside = ours, referenceOutside = reference;
    for (std::int32_t y = 8; y <= 21; ++y) {
        for (std::int32_t x = 24; x <= 33; ++x) {
            oursOutside.Set(x, y, false);
            referenceOutside.Set(x, y, false);
        }
    }
    const auto comparison = test::CompareInk(oursOutside, referenceOutside, 1);
    EXPECT_TRUE(comparison.Matches()) << comparison.map;
}

// The reference cell of "5" at (25, 8), Courier, height −12 is x 25–32, y 8–20 (8 × 13). On a
// black page an opaque text leaves its cell white except for the glyph.
TEST(QtSurface, OpaqueTextCellStartsAtTheGivenTopLeftAndHasTheReferenceSize) {
    QImage image = WhiteImage();
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        QtSurface surface(painter);
        LogicalFont font;
        font.height = -12;
        font.faceName = "Courier";
        surface.SelectFont(font);
        surface.TextOut(25, 8, "5");
    }
    std::int32_t left = 100, top = 100, right = -1, bottom = -1;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) continue;
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x);
            bottom = std::max(bottom, y);
        }
    }
    EXPECT_EQ(left, 25);
    EXPECT_EQ(top, 8);
    EXPECT_NEAR(right, 32, 1);
    EXPECT_NEAR(bottom, 20, 1);
}

TEST(QtSurface, TransparentTextLeavesTheLineAndTextTakesTheTextColour) {
    QImage image = WhiteImage();
    {
        QPainter painter(&image);
        QtSurface surface(painter);
        surface.Rectangle(1, 16, 73, 29);
        LogicalFont font;
        font.height = -12;
        font.faceName = "Courier";
        surface.SelectFont(font);
        surface.SetBkMode(BackgroundMode::Transparent);
        EXPECT_EQ(surface.SetTextColor(kRed), kBlack);
        surface.TextOut(25, 8, "5");
    }
    for (int x = 1; x <= 72; ++x) {
        const QRgb pixel = image.pixel(x, 16);
        EXPECT_TRUE(pixel == qRgb(0, 0, 0) || qRed(pixel) > qGreen(pixel)) << "x " << x;
    }
    int red = 0;
    for (int y = 8; y < 22; ++y) {
        for (int x = 25; x < 33; ++x)
            red += qRed(image.pixel(x, y)) > 128 && qGreen(image.pixel(x, y)) < 128;
    }
    EXPECT_GT(red, 5);
}

// Lines step one pixel per unit of the major axis, round the minor axis to the nearest pixel and
// leave the end point unpainted, in every direction. Odd major lengths keep the ideal line off
// exact half pixels, where the rounding direction would be a matter of convention.
TEST(QtSurface, LinesPaintTheNearestPixelsUpToButNotIncludingTheEndInEveryDirection) {
    const std::pair<int, int> deltas[] = {
        {17, 6}, {6, 17}, {-17, 6}, {-6, 17}, {17, -6}, {6, -17}, {-17, -6}, {-6, -17},
        {13, 0}, {0, 13}, {-13, 0}, {0, -13}, {9, 9},   {-9, 9},  {9, -9},   {-9, -9}};
    for (const auto& [dx, dy] : deltas) {
        QImage image = WhiteImage();
        {
            QPainter painter(&image);
            QtSurface surface(painter);
            surface.MoveTo(50, 50);
            surface.LineTo(50 + dx, 50 + dy);
        }
        const InkPicture ink = InkOf(image);
        const bool horizontal = std::abs(dx) >= std::abs(dy);
        const int major = horizontal ? std::abs(dx) : std::abs(dy);
        int painted = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                if (!ink.At(x, y)) continue;
                ++painted;
                const double along = horizontal ? double(x - 50) / dx : double(y - 50) / dy;
                EXPECT_GE(along, 0.0) << dx << "," << dy << " painted " << x << "," << y;
                EXPECT_LT(along, 1.0) << dx << "," << dy << " painted " << x << "," << y;
                const double ideal = horizontal ? 50 + along * dy : 50 + along * dx;
                const int minor = horizontal ? y : x;
                EXPECT_LT(std::abs(minor - ideal), 0.5)
                    << dx << "," << dy << " at " << x << "," << y;
            }
        }
        EXPECT_EQ(painted, major) << dx << "," << dy;
        EXPECT_TRUE(ink.At(50, 50)) << dx << "," << dy;
        EXPECT_FALSE(ink.At(50 + dx, 50 + dy)) << dx << "," << dy;
    }
}

// Surfaces without a font engine place text cells with fixed metrics of the face "Courier"
// resolves to; they must agree with what the Qt surface measures here.
TEST(QtSurface, CourierCellsMeasureAsTheFixedMonospaceMetrics) {
    for (const std::int32_t size : {6, 11, 12, 13, 24, 75, 312}) {
        const auto entry =
            QtFontCache::Lookup(LogicalFont{.height = -size, .faceName = "Courier"}, -size);
        const MonospaceMetrics metrics(size);
        EXPECT_EQ(entry->Ascent(), metrics.ascent) << size;
        EXPECT_EQ(entry->Descent(), metrics.descent) << size;
        for (const std::string text : {"5", "12", "<-2147483648>"}) {
            EXPECT_EQ(entry->LayOut(text).advance, metrics.Advance(text)) << size << " " << text;
        }
    }
}

TEST(QtSurface, ClipBoxIsTheDeviceInLogicalUnits) {
    QImage image = WhiteImage(100, 80);
    QPainter painter(&image);
    {
        QtSurface surface(painter);
        EXPECT_EQ(surface.GetClipBox(), (SurfaceBox{-1, -1, 101, 81}));
    }
    // A view paints in document coordinates, translated by its scroll position.
    painter.translate(-50, -300);
    {
        QtSurface surface(painter);
        EXPECT_EQ(surface.GetClipBox(), (SurfaceBox{49, 299, 151, 381}));
    }
    painter.resetTransform();
    painter.setClipRect(QRect(10, 20, 30, 40));
    {
        QtSurface surface(painter, image.rect(), 96, 96);
        surface.SetWindowExtent(1000, 800);  // ten logical units a pixel
        EXPECT_EQ(surface.GetClipBox(), (SurfaceBox{99, 199, 401, 601}));
    }
}

}  // namespace
}  // namespace lutaris

namespace lutaris {
namespace {

// A document's settings are taken as stored, so a box may span the whole coordinate range: its
// size is taken without overflow and the part on the image is drawn where the box lies.
TEST(QtSurface, BoxesAsWideAsTheCoordinateRangeAreDrawnWithoutOverflow) {
    QImage image = WhiteImage();
    {
        QPainter painter(&image);
        QtSurface surface(painter);
        surface.Rectangle(INT32_MIN + 1, -97495242, INT32_MAX, 10);
    }
    // The rectangle's bottom edge runs along row 9, its last row, across the whole image.
    EXPECT_EQ(image.pixel(0, 9), QColor(Qt::black).rgb());
    EXPECT_EQ(image.pixel(99, 9), QColor(Qt::black).rgb());
    // Filled white inside, and nothing below it.
    EXPECT_EQ(image.pixel(50, 5), QColor(Qt::white).rgb());
    EXPECT_EQ(image.pixel(50, 20), QColor(Qt::white).rgb());
    // An ellipse that large runs far outside the image: nothing of it lands here.
    QImage arc = WhiteImage();
    {
        QPainter painter(&arc);
        QtSurface surface(painter);
        surface.Arc(INT32_MIN + 1, INT32_MIN + 1, INT32_MAX, INT32_MAX, 0, 0, 10, 10);
    }
    EXPECT_EQ(arc, WhiteImage());
}

}  // namespace
}  // namespace lutaris
