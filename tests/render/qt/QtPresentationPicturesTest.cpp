// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QImage>
#include <QSvgRenderer>

#include "model/CommandIds.h"
#include "render/RenderTestSupport.h"
#include "render/qt/PresentationExport.h"
#include "render/qt/QtPresentationPictures.h"
#include "support/ClipboardFixture.h"

namespace lutaris {
namespace {

using test::Note;

class QtPresentationPicturesTest : public test::ClipboardTest {
protected:
    QtPresentationPicturesTest() { doc.SetPresentationPictures(&pictures); }

    QByteArray Format(const std::string& name) const {
        const auto bytes = clipboard.GetFormat(name);
        return bytes ? QByteArray(reinterpret_cast<const char*>(bytes->data()),
                                  static_cast<qsizetype>(bytes->size()))
                     : QByteArray();
    }

    test::ScopedScreenResolution screen{ScreenResolution{96, 96}};
    QtPresentationPictures pictures;
};

TEST_F(QtPresentationPicturesTest, CopyOffersTheObjectThenSvgThenPng) {
    doc.tabItems[0]->AppendNote(Note(5, 0, 0, HammerOn));
    doc.AppendTabItem(1)->AppendNote(Note(12, 2, 9, SlideUp));
    doc.OnCommand(ID_EDIT_COPY);
    EXPECT_EQ(clipboard.ListFormats(),
              (std::vector<std::string>{"Embed Source", "Object Descriptor", "image/svg+xml",
                                        "image/png"}));

    QSvgRenderer svg(Format("image/svg+xml"));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, 362, 92));  // 9578 × 2434 HIMETRIC at 96 dpi

    // The bitmap is the picture file's, pixel for pixel.
    const QImage offered = QImage::fromData(Format("image/png"), "PNG");
    ASSERT_EQ(ExportPresentation(doc, (dir / "file.png").string()), "");
    const QImage file(QString::fromStdString((dir / "file.png").string()));
    ASSERT_FALSE(offered.isNull());
    EXPECT_EQ(offered.size(), QSize(362, 92));
    EXPECT_EQ(offered.convertToFormat(QImage::Format_RGB32),
              file.convertToFormat(QImage::Format_RGB32));
    // Not a blank picture: the first staff line runs across the top of the first item.
    int ink = 0;
    for (int x = 0; x < offered.width(); ++x) ink += offered.pixel(x, 15) != qRgb(255, 255, 255);
    EXPECT_GT(ink, 300);
}

TEST_F(QtPresentationPicturesTest, ADamagedStringCountGivesNoPictureInsteadOfBillionsOfLines) {
    doc.settings->numberOfStrings = 1'000'000'000;
    doc.settings->verticalSpacing = 1;
    for (int i = 1; i < 20; ++i) doc.AppendTabItem(i);
    // Copy still offers the object itself; only the pictures, which would not end, are left out.
    doc.OnCommand(ID_EDIT_COPY);
    EXPECT_EQ(clipboard.ListFormats(),
              (std::vector<std::string>{"Embed Source", "Object Descriptor"}));
    for (const char* name : {"file.svg", "file.png", "file.pdf"})
        EXPECT_EQ(ExportPresentation(doc, (dir / name).string()), "the picture is too large");
}

}  // namespace
}  // namespace lutaris
