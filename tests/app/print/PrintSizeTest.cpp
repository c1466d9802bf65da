// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include "edit/qt/CCorvaneView.h"
#include "render/qt/PrintedPages.h"
#include "render/qt/ViewPaintExport.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

// The box of everything that is not near white.
QRect InkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160) box |= QRect(x, y, 1, 1);
    return box;
}

class PrintSizeTest : public test::DocumentTest {};

TEST_F(PrintSizeTest, APdfPrintoutAt96DpiIsAsLargeAsTheScreen) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";

    Tablature* second = AddItems(1);
    doc.tabItems[0]->AppendNote(test::Note(12, 0, 0));
    doc.tabItems[0]->AppendNote(test::Note(5, 3, 2, BendUp));
    second->AppendNote(test::Note(7, 5, 4, HammerOn));
    second->AppendNote(test::Note(9, 5, 5));

    CCorvaneView view(doc);
    view.resize(640, 400);
    view.show();
    view.OnInitialUpdate();
    view.viewport()->repaint();

    const QString pdf = QString::fromStdString((dir.Path() / "print.pdf").string());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(600);
    // The tablature alone: the title and page number would widen the ink.
    PrintedPages(doc, printer, false).Print(printer);

    const QString pageBase = QString::fromStdString((dir.Path() / "page").string());
    QProcess rasterize;
    rasterize.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                               QStringLiteral("-singlefile"), pdf, pageBase});
    ASSERT_TRUE(rasterize.waitForFinished(60000));
    ASSERT_EQ(rasterize.exitCode(), 0) << rasterize.readAllStandardError().toStdString();
    const QImage page(pageBase + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());

    const std::string screenPath = (dir.Path() / "screen.png").string();
    ASSERT_EQ(ExportViewPaint(doc, screenPath, view.width(), false), "");
    const QImage screen(QString::fromStdString(screenPath));

    const QRect printed = InkBox(page);
    const QRect shown = InkBox(screen);
    ASSERT_FALSE(shown.isEmpty());
    ASSERT_FALSE(printed.isEmpty());
    EXPECT_NEAR(printed.width(), shown.width(), 3);
    EXPECT_NEAR(printed.height(), shown.height(), 3);
}

}  // namespace
}  // namespace lutaris
