// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPageRanges>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

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

// The words of each page as `pdftotext -bbox` gives them, in points from the page's top-left.
struct PdfWord {
    QString text;
    QRectF box;
};
struct PdfPage {
    QSizeF size;
    std::vector<PdfWord> words;
};
std::vector<PdfPage> PdfWords(const QString& pdf, bool& ok) {
    std::vector<PdfPage> pages;
    const QString xhtml =
        RunTool("pdftotext", {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, ok);
    if (!ok) return pages;
    const QRegularExpression tag(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|<word xMin=\"([\\d.]+)\" "
                       "yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto match = tag.globalMatch(xhtml); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        if (!m.captured(1).isEmpty()) {
            pages.push_back({QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), {}});
        } else if (!pages.empty()) {
            const QPointF topLeft(m.captured(3).toDouble(), m.captured(4).toDouble());
            const QPointF bottomRight(m.captured(5).toDouble(), m.captured(6).toDouble());
            pages.back().words.push_back({m.captured(7), QRectF(topLeft, bottomRight)});
        }
    }
    return pages;
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
    printing.SetPageDecorations(false);
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
    for (auto match = number.globalMatch(text); match.hasNext();)
        ++seen[match.next().captured().toInt()];
    ASSERT_EQ(seen.size(), 60u);
    for (int i = 0; i < 60; ++i) EXPECT_EQ(seen[100 + i], 1) << "fret " << 100 + i;

    // A page range prints those pages alone.
    QPrinter& printer = printing.Printer();
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, expectedPages);
    ASSERT_TRUE(PrintedPages(doc, printer, false).Print(printer));
    EXPECT_EQ(PdfPageCount(pdf), expectedPages - 1);
}

TEST_F(PrintPagesTest, AnItemWiderThanThePageHasARowOfItsOwnClippedAtTheRightEdge) {
    printing.SetPageDecorations(false);
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
    const QString error =
        RunTool("pdftoppm",
                {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                 QStringLiteral("-singlefile"), pdf, base},
                ok);
    ASSERT_TRUE(ok) << error.toStdString();
    const QImage page(base + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());

    // Three rows: the narrow item, the wide one alone, the narrow one after it.
    const std::vector<InkBand> bands = InkBands(page);
    ASSERT_EQ(bands.size(), 3u);
    const QRectF printable = printing.Printer().pageRect(QPrinter::Inch);
    const double rightEdge = (printable.right()) * 96;
    // The clip's edge falls inside the paper now, where the rasteriser shades its last column.
    EXPECT_NEAR(bands[1].right, rightEdge, 3.0);
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

// The page set-up of a new printer: 15 mm all round, so that a real printer prints all of it;
// the title above the tablature and "Page N of M" below it, smaller than the frets and inside
// the margins; the PDF titled after the document.
TEST_F(PrintPagesTest, PagesHaveMarginsATitleAndPageNumbersOutsideTheTablature) {
    FillNumberedItems(60);
    doc.SetPathName((std::filesystem::path(folder.path().toStdString()) / "riffs.ltf").string());
    ASSERT_TRUE(printing.PrintDirect());
    bool ok = false;
    const std::vector<PdfPage> pages = PdfWords(pdf, ok);
    if (!ok) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    ASSERT_GE(pages.size(), 2u);
    const double margin = 15.0 / 25.4 * 72.0;  // in points
    std::set<int> frets;
    double firstTablatureTop = 0;
    for (std::size_t k = 0; k < pages.size(); ++k) {
        const PdfPage& page = pages[k];
        SCOPED_TRACE("page " + std::to_string(k + 1));
        const QRectF inside(margin - 0.5, margin - 0.5, page.size.width() - 2 * margin + 1,
                            page.size.height() - 2 * margin + 1);
        QRectF title, footer, tablature;
        QStringList footerWords;
        for (const PdfWord& word : page.words) {
            EXPECT_TRUE(inside.contains(word.box)) << word.text.toStdString();
            bool number = false;
            const int value = word.text.toInt(&number);
            if (word.text == QStringLiteral("riffs.ltf")) {
                title = word.box;
            } else if (number && value >= 100) {
                frets.insert(value);
                tablature = tablature.isNull() ? word.box : tablature.united(word.box);
            } else {
                footerWords << word.text;
                footer = footer.isNull() ? word.box : footer.united(word.box);
            }
        }
        EXPECT_EQ(footerWords.join(u' '),
                  QStringLiteral("Page %1 of %2").arg(k + 1).arg(pages.size()));
        ASSERT_FALSE(title.isNull());
        ASSERT_FALSE(tablature.isNull());
        EXPECT_LT(title.bottom(), tablature.top());
        EXPECT_GT(footer.top(), tablature.bottom());
        EXPECT_NEAR(title.top(), margin, 2.0);
        EXPECT_NEAR(footer.bottom(), page.size.height() - margin, 2.0);
        EXPECT_NEAR(title.center().x(), page.size.width() / 2, 1.0);
        EXPECT_LT(title.height(), tablature.height());
        if (k == 0) {
            // The first fret (column 0 of the first item) stands one cell in from the left
            // margin, not from the paper's edge.
            EXPECT_GT(tablature.left(), margin);
            EXPECT_LT(tablature.left(), margin + 25);
            firstTablatureTop = tablature.top();
        }
    }
    EXPECT_EQ(frets.size(), 60u);

    const QString info = RunTool("pdfinfo", {pdf}, ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+riffs.ltf\\n"))))
        << info.toStdString();

    // Turned off, the tablature has the whole area between the margins.
    printing.SetPageDecorations(false);
    ASSERT_TRUE(printing.PrintDirect());
    const std::vector<PdfPage> bare = PdfWords(pdf, ok);
    ASSERT_FALSE(bare.empty());
    double top = 1e9;
    for (const PdfWord& word : bare[0].words) {
        EXPECT_NE(word.text, QStringLiteral("Page"));
        EXPECT_NE(word.text, QStringLiteral("riffs.ltf"));
        top = std::min(top, word.box.top());
    }
    EXPECT_LT(top, firstTablatureTop - 5);
    EXPECT_LE(bare.size(), pages.size());
}

TEST_F(PrintPagesTest, PageSetupIsKeptAndAKeptSetupThatMakesNoPageIsNot) {
    // Nothing kept: 15 mm margins.
    EXPECT_EQ(printing.Printer().pageLayout().margins(QPageLayout::Millimeter).toMargins(),
              QMargins(15, 15, 15, 15));

    QPageLayout chosen(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(10, 20, 30, 12),
                       QPageLayout::Millimeter);
    profile.WritePageLayout(chosen);
    PrintCommands later(profile, doc);
    const QPageLayout kept = later.Printer().pageLayout();
    EXPECT_EQ(kept.pageSize().id(), QPageSize::A5);
    EXPECT_EQ(kept.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(kept.margins(QPageLayout::Millimeter).toMargins(), QMargins(10, 20, 30, 12));

    // An edited profile: margins wider than the paper, sizes that are no numbers.
    QSettings file(folder.filePath(QStringLiteral("profile.ini")), QSettings::IniFormat);
    file.setValue(QStringLiteral("Page Setup/LeftMillimetres"), 400);
    file.sync();
    EXPECT_FALSE(ProfileStore(folder.filePath(QStringLiteral("profile.ini"))).ReadPageLayout());
    file.setValue(QStringLiteral("Page Setup/LeftMillimetres"), 10);
    file.setValue(QStringLiteral("Page Setup/WidthPoints"), QStringLiteral("nan"));
    file.sync();
    EXPECT_FALSE(ProfileStore(folder.filePath(QStringLiteral("profile.ini"))).ReadPageLayout());
    file.setValue(QStringLiteral("Page Setup/WidthPoints"), -5);
    file.sync();
    ProfileStore edited(folder.filePath(QStringLiteral("profile.ini")));
    EXPECT_FALSE(edited.ReadPageLayout());
    EXPECT_EQ(PrintCommands(edited, doc)
                  .Printer()
                  .pageLayout()
                  .margins(QPageLayout::Millimeter)
                  .toMargins(),
              QMargins(15, 15, 15, 15));
}

// Every button of the preview is reached with Tab and pressed with Space or Enter; Ctrl+P asks
// for the print dialog; the arrow keys still turn pages while the pages have the focus.
TEST_F(PrintPagesTest, ThePreviewIsWorkedFromTheKeyboard) {
    FillNumberedItems(150);
    QPrinter& printer = printing.Printer();
    const PrintedPages pages(doc, printer);
    ASSERT_GE(pages.PageCount(), 5);
    PrintPreviewDialog preview(pages, printer, 1);
    preview.show();
    preview.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&preview));
    const auto key = [&](int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &preview;
        QTest::keyClick(target, static_cast<Qt::Key>(code), modifiers);
    };
    key(Qt::Key_Right);
    EXPECT_EQ(preview.FirstPage(), 1);

    // Tab walks the buttons in order, whatever their state.
    QStringList reached;
    for (int i = 0; i < 6; ++i) {
        key(Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        auto* button = qobject_cast<QToolButton*>(focus);
        reached << (button != nullptr && button->defaultAction() != nullptr
                        ? button->defaultAction()->objectName()
                        : focus->objectName());
    }
    EXPECT_EQ(reached, (QStringList{"previewPrint", "previewNext", "previewPrevious",
                                    "previewTwoPages", "previewClose", "previewPages"}));
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);  // on Next Page
    key(Qt::Key_Space);
    EXPECT_EQ(preview.FirstPage(), 2);
    key(Qt::Key_Tab);  // on Prev Page
    key(Qt::Key_Return);
    EXPECT_EQ(preview.FirstPage(), 1);
    key(Qt::Key_Tab);  // on Two Pages
    key(Qt::Key_Enter);
    EXPECT_EQ(preview.PagesAtATime(), 2);
    EXPECT_TRUE(preview.isVisible());

    int result = -1;
    QObject::connect(&preview, &QDialog::finished, [&result](int code) { result = code; });
    key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(result, PrintPreviewDialog::kPrintRequested);
}

TEST_F(PrintPagesTest, ThePreviewOpensAtTheSizeItWasLeftAt) {
    const auto closeAt = [&](QSize size, QSize* openedAt) {
        QTimer::singleShot(0, [=] {
            auto* dialog = qobject_cast<PrintPreviewDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            if (openedAt != nullptr) *openedAt = dialog->size();
            if (size.isValid()) dialog->resize(size);
            dialog->reject();
        });
    };
    closeAt(QSize(733, 555), nullptr);
    printing.PrintPreview(nullptr);
    QSize opened;
    closeAt(QSize(), &opened);
    PrintCommands(profile, doc).PrintPreview(nullptr);
    EXPECT_EQ(opened, QSize(733, 555));
}

}  // namespace
}  // namespace lutaris
