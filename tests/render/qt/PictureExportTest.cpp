// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QImage>
#include <QSvgRenderer>

#include "render/RenderTestSupport.h"
#include "render/qt/PresentationExport.h"
#include "render/qt/ViewPaintExport.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

using test::Note;

class PictureExportTest : public test::DocumentTest {
protected:
    std::string PathOf(const std::string& name) { return (dir / name).string(); }
    test::ScopedScreenResolution screen{ScreenResolution{96, 96}};
};

// Ink columns of one row of a picture, for checking where the staff lies.
std::vector<int> InkColumns(const QImage& image, int y) {
    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) != qRgb(255, 255, 255)) columns.push_back(x);
    }
    return columns;
}

TEST_F(PictureExportTest, PresentationPngHasThePhysicalSizeOfItsExtentAt96Dpi) {
    doc.tabItems[0]->notes.push_back(Note(5, 0, 0, HammerOn));
    ASSERT_EQ(ExportPresentation(doc, PathOf("one.png")), "");
    QImage image(QString::fromStdString(PathOf("one.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(74, 92));  // 1958 × 2434 HIMETRIC
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 96.0, 0.1);
    // The staff lies 15 pixels down from the top edge (26 of the 26.46 HIMETRIC per pixel),
    // from the left edge to 72 pixels right.
    const auto columns = InkColumns(image, 15);
    ASSERT_FALSE(columns.empty());
    EXPECT_LE(columns.front(), 1);
    EXPECT_NEAR(columns.back(), 70, 1);
    EXPECT_TRUE(InkColumns(image, 80).empty());
}

TEST_F(PictureExportTest, PresentationSvgAndPdfAreReadable) {
    doc.AppendTabItem(1)->notes.push_back(Note(12, 2, 9, SlideUp));
    ASSERT_EQ(ExportPresentation(doc, PathOf("two.svg")), "");
    QSvgRenderer svg(QString::fromStdString(PathOf("two.svg")));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, 362, 92));  // 9578 × 2434 HIMETRIC at 96 dpi

    ASSERT_EQ(ExportPresentation(doc, PathOf("two.pdf")), "");
    const auto bytes = test::ReadFileText(dir / "two.pdf");
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    // 95.78 × 24.34 mm is 271.5 × 69.0 points; PDF pages come in whole points.
    const auto box = bytes.find("/MediaBox");
    ASSERT_NE(box, std::string::npos);
    EXPECT_EQ(bytes.substr(box, 35), "/MediaBox [0 0 272.000000 69.000000");
}

TEST_F(PictureExportTest, UnknownPictureKindIsRefused) {
    EXPECT_NE(ExportPresentation(doc, PathOf("one.bmp")), "");
    EXPECT_FALSE(std::filesystem::exists(dir / "one.bmp"));
}

TEST_F(PictureExportTest, ViewPaintIsAsWideAsTheWindowAndAsHighAsTheRows) {
    AddItems(3);  // four items of 72 at width 160: two rows of two
    ASSERT_EQ(ExportViewPaint(doc, PathOf("view.png"), 160, false), "");
    QImage image(QString::fromStdString(PathOf("view.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(160, 121 + 90 + 1));
    EXPECT_EQ(InkColumns(image, 16).size(), 144u);   // first row's top string, two items
    EXPECT_EQ(InkColumns(image, 136).size(), 144u);  // second row's
    // No caret unless asked: the caret's red "?" sits on the first item's first cell.
    const auto red = [](const QImage& picture) {
        int count = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 60; ++x) {
                const QRgb pixel = picture.pixel(x, y);
                count += qRed(pixel) > 200 && qGreen(pixel) < 100;
            }
        }
        return count;
    };
    EXPECT_EQ(red(image), 0);
    ASSERT_EQ(ExportViewPaint(doc, PathOf("caret.png"), 160, true), "");
    EXPECT_GT(red(QImage(QString::fromStdString(PathOf("caret.png")))), 5);
}

}  // namespace
}  // namespace lutaris
