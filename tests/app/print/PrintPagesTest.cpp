#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPageRanges>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "app/print/PreviewPagesWidget.h"
#include "app/print/PrintCommands.h"
#include "app/print/PrintPreviewDialog.h"
#include "app/shell/ProfileStore.h"
#include "render/RenderTestSupport.h"
#include "render/qt/PrintedPages.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

using test::Note;

// The standard output of a poppler tool, or why there is none.
QString RunTool(const char* tool, const QStringList& arguments, bool& ok) {
    ok = false;
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (program.isEmpty()) return QStringLiteral("not installed");
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString::fromLocal8Bit(process.readAllStandardError());
    ok = true;
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

int PdfPageCount(const QString& pdf) {
    bool ok = false;
    const QString info = RunTool("pdfinfo", {pdf}, ok);
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return ok && pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

// Dark pixels of a page rasterised at 96 dpi: for each run of pixel rows that holds any, its
// first and last row and its rightmost dark column.
struct InkBand {
    int top, bottom, right;
};
std::vector<InkBand> InkBands(const QImage& page) {
    std::vector<InkBand> bands;
    bool inBand = false;
    for (int y = 0; y < page.height(); ++y) {
        int right = -1;
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 160) right = x;
        if (right < 0) {
            inBand = false;
            continue;
        }
        if (!inBand) bands.push_back({y, y, right});
        inBand = true;
        bands.back().bottom = y;
        bands.back().right = std::max(bands.back().right, right);
    }
    return bands;
}

class PrintPagesTest : public test::DocumentTest {
protected:
    PrintPagesTest() {
        printing.SelectPrinter(pdf);
        printing.Printer().setPageSize(QPageSize(QPageSize::A4));
    }

    // `count` items of 192 units (column 5 is their last), each with the fret 100 + its index.
    void FillNumberedItems(int count) {
        AddItems(count - 1);
        for (int i = 0; i < count; ++i) {
            doc.tabItems[i]->AppendNote(Note(100 + i, i % 6, i % 5));
            doc.tabItems[i]->AppendNote(Note(BlankFret, 0, 5));
        }
    }

    // The printable area in layout units: 6.25 device pixels a unit at 600 dpi on a 96-dpi
    // screen, less a 6-pixel pen.
    LayoutSize Printable() {
        const QRect page = printing.Printer().pageRect(QPrinter::DevicePixel).toRect();
        return {static_cast<std::int32_t>(std::floor((page.width() - 6) / 6.25)),
                static_cast<std::int32_t>(std::floor((page.height() - 6) / 6.25))};
    }

    QTemporaryDir folder;
    QString pdf = folder.filePath(QStringLiteral("song.pdf"));
    ProfileStore profile{folder.filePath(QStringLiteral("profile.ini"))};
    PrintCommands printing{profile, doc};
    test::ScopedScreenResolution screen{ScreenResolution{96, 96}};
};

TEST_F(PrintPagesTest, APrintoutHasThePagesItsRowsNeedAndEveryFretOnce) {
    FillNumberedItems(60);
    // Default settings: items 90 high, rows 120 apart from (1, 1).
    const LayoutSize printable = Printable();
    const int perRow = (printable.width - 1) / 192;
    const int rowsPerPage = 1 + (printable.height - 1 - 90) / 120;
    const int rows = (60 + perRow - 1) / perRow;
    const int expectedPages = (rows + rowsPerPage - 1) / rowsPerPage;
    ASSERT_GE(expectedPages, 2);

    // What a print dialog chose last time does not narrow a print without one.
    printing.Printer().setPrintRange(QPrinter::PageRange);
    printing.Printer().setPageRanges(QPageRanges());
    printing.Printer().setFromTo(2, 2);
    ASSERT_TRUE(printing.PrintDirect());
    if (PdfPageCount(pdf) < 0) GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    EXPECT_EQ(PdfPageCount(pdf), expectedPages);

    bool ok = false;
    const QString text = RunTool("pdftotext", {pdf, QStringLiteral("-")}, ok);
    ASSERT_TRUE(ok) << text.toStdString();
    std::map<int, int> seen;
    const QRegularExpression number(QStringLiteral("-?\\d+"));
    for (auto match = number.globalMatch(text); match.hasNext();) ++seen[match.next().captured().toInt()];
    ASSERT_EQ(seen.size(), 60u);
    for (int i = 0; i < 60; ++i) EXPECT_EQ(seen[100 + i], 1) << "fret " << 100 + i;

    // A page range prints those pages alone.
    QPrinter& printer = printing.Printer();
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, expectedPages);
    ASSERT_TRUE(PrintedPages(doc, printer).Print(printer));
    EXPECT_EQ(PdfPageCount(pdf), expectedPages - 1);
}

TEST_F(PrintPagesTest, AnItemWiderThanThePageHasARowOfItsOwnClippedAtTheRightEdge) {
    AddItems(2);
    doc.tabItems[0]->AppendNote(Note(11, 0, 0));
    doc.tabItems[1]->AppendNote(Note(12, 0, 0));
    doc.tabItems[1]->AppendNote(Note(13, 5, 80));  // 83 × 24 units wide, far past the page
    doc.tabItems[2]->AppendNote(Note(14, 0, 0));
    ASSERT_TRUE(printing.PrintDirect());
    if (PdfPageCount(pdf) < 0) GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    ASSERT_EQ(PdfPageCount(pdf), 1);

    bool ok = false;
    const QString base = folder.filePath(QStringLiteral("page"));
    const QString error = RunTool("pdftoppm", {QStringLiteral("-r"), QStringLiteral("96"),
                                               QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                               pdf, base}, ok);
    ASSERT_TRUE(ok) << error.toStdString();
    const QImage page(base + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());

    // Three rows: the narrow item, the wide one alone, the narrow one after it.
    const std::vector<InkBand> bands = InkBands(page);
    ASSERT_EQ(bands.size(), 3u);
    const QRectF printable = printing.Printer().pageRect(QPrinter::Inch);
    const double rightEdge = (printable.right()) * 96;
    EXPECT_NEAR(bands[1].right, rightEdge, 2.0);
    EXPECT_LT(bands[0].right, printable.left() * 96 + 80);
    EXPECT_LT(bands[2].right, printable.left() * 96 + 80);
    // Rows 120 units apart, as on the screen.
    EXPECT_NEAR(bands[1].top - bands[0].top, 120, 2);
    EXPECT_NEAR(bands[2].top - bands[1].top, 120, 2);
}

TEST_F(PrintPagesTest, ThePreviewTurnsThePagesOneOrTwoAtATimeAndRemembersHowMany) {
    FillNumberedItems(60);
    QPrinter& printer = printing.Printer();
    const PrintedPages pages(doc, printer);
    ASSERT_EQ(pages.PageCount(), 3);

    PrintPreviewDialog preview(pages, printer, 1);
    preview.resize(900, 700);
    preview.show();
    auto* next = preview.findChild<QAction*>(QStringLiteral("previewNext"));
    auto* previous = preview.findChild<QAction*>(QStringLiteral("previewPrevious"));
    auto* two = preview.findChild<QAction*>(QStringLiteral("previewTwoPages"));
    ASSERT_TRUE(next && previous && two);
    EXPECT_EQ(preview.StatusText(), QStringLiteral("Page 1 of 3"));
    EXPECT_FALSE(previous->isEnabled());
    next->trigger();
    EXPECT_EQ(preview.StatusText(), QStringLiteral("Page 2 of 3"));
    two->trigger();
    EXPECT_EQ(preview.StatusText(), QStringLiteral("Pages 2-3 of 3"));
    EXPECT_FALSE(next->isEnabled());
    EXPECT_EQ(two->text(), QStringLiteral("&One Page"));

    // Both sheets carry their page's ink, and differ.
    auto* sheets = preview.findChild<PreviewPagesWidget*>();
    ASSERT_NE(sheets, nullptr);
    const QImage shown = sheets->grab().toImage();
    QImage sheetImages[2];
    for (int place = 0; place < 2; ++place) {
        const QRect sheet = sheets->SheetRect(place).toRect().adjusted(1, 1, -1, -1);
        ASSERT_GT(sheet.width(), 100);
        sheetImages[place] = shown.copy(sheet);
        int dark = 0;
        for (int y = 0; y < sheet.height(); ++y)
            for (int x = 0; x < sheet.width(); ++x)
                dark += qGray(sheetImages[place].pixel(x, y)) < 128;
        EXPECT_GT(dark, 200) << "place " << place;
    }
    EXPECT_NE(sheetImages[0], sheetImages[1]);
    previous->trigger();
    EXPECT_EQ(preview.StatusText(), QStringLiteral("Pages 1-2 of 3"));

    // The command keeps the count in the profile and opens with it next time.
    int openedWith = 0;
    const auto closePreview = [&](bool toggle) {
        QTimer::singleShot(0, [&, toggle] {
            auto* dialog = qobject_cast<PrintPreviewDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            openedWith = dialog->PagesAtATime();
            if (toggle) dialog->ToggleTwoPages();
            dialog->reject();
        });
    };
    closePreview(true);
    printing.PrintPreview(nullptr);
    EXPECT_EQ(openedWith, 1);
    EXPECT_EQ(profile.ReadPreviewPages(), 2);
    closePreview(false);
    printing.PrintPreview(nullptr);
    EXPECT_EQ(openedWith, 2);
}

}  // namespace
}  // namespace lutaris
