// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/print/PrintCommands.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPageRanges>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QVBoxLayout>

#include "app/print/PrintPreviewDialog.h"
#include "app/shell/ProfileStore.h"
#include "document/CCorvaneDoc.h"
#include "render/qt/PrintedPages.h"

namespace lutaris {
namespace {

// Every page, whatever an earlier print dialog chose.
void PrintEveryPage(QPrinter& printer) {
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
}

}  // namespace

PrintCommands::PrintCommands(ProfileStore& profile, const CCorvaneDoc& document)
    : profile_(profile), document_(document) {}

QPrinter& PrintCommands::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // HighResolution alone means 1200 dpi here; the printouts are made at 600.
        printer_->setResolution(kPrinterResolution);
        printer_->setDocName(QStringLiteral("Lutaris"));
        if (const std::optional<QPageLayout> kept = profile_.ReadPageLayout())
            printer_->setPageLayout(*kept);
        else
            printer_->setPageMargins(
                QMarginsF(kDefaultMarginMillimetres, kDefaultMarginMillimetres,
                          kDefaultMarginMillimetres, kDefaultMarginMillimetres),
                QPageLayout::Millimeter);
    }
    return *printer_;
}

QPrinter& PrintCommands::PrinterForDocument() {
    QPrinter& printer = Printer();
    const QString docName = QString::fromStdString(document_.GetTitle());
    // A PDF file named after the document printed before is renamed after this one; a name the
    // person chose stays.
    if (printer.outputFormat() == QPrinter::PdfFormat && !lastDocName_.isEmpty() &&
        lastDocName_ != docName) {
        const QFileInfo output(printer.outputFileName());
        if (output.completeBaseName() == QFileInfo(lastDocName_).completeBaseName())
            printer.setOutputFileName(output.dir().filePath(QFileInfo(docName).completeBaseName() +
                                                            QStringLiteral(".pdf")));
    }
    printer.setDocName(docName);
    lastDocName_ = docName;
    printer.setResolution(kPrinterResolution);
    return printer;
}

bool PrintCommands::PageDecorations() const { return profile_.ReadPageDecorations(); }

void PrintCommands::SetPageDecorations(bool shown) { profile_.WritePageDecorations(shown); }

void PrintCommands::Print(QWidget* owner) {
    QPrinter& printer = PrinterForDocument();
    PrintEveryPage(printer);
    QPrintDialog dialog(&printer, owner);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    auto* options = new QWidget;
    options->setWindowTitle(QStringLiteral("Page"));
    auto* decorations = new QCheckBox(QString::fromLatin1(kDecorationOptionText), options);
    decorations->setObjectName(QStringLiteral("printTitleAndPageNumbers"));
    decorations->setChecked(PageDecorations());
    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(decorations);
    optionsLayout->addStretch(1);
    dialog.setOptionTabs({options});
    // The pages as the paper chosen so far gives them; a range starts out as all of them.
    const int pages = PrintedPages(document_, printer, PageDecorations()).PageCount();
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    if (dialog.exec() != QDialog::Accepted) return;
    SetPageDecorations(decorations->isChecked());
    printer.setResolution(kPrinterResolution);
    PrintedPages(document_, printer, PageDecorations()).Print(printer);
}

bool PrintCommands::PrintDirect() {
    QPrinter& printer = PrinterForDocument();
    if (!printer.isValid()) return false;
    PrintEveryPage(printer);
    return PrintedPages(document_, printer, PageDecorations()).Print(printer);
}

void PrintCommands::PrintPreview(QWidget* owner) {
    QPrinter& printer = PrinterForDocument();
    int result = QDialog::Rejected;
    {
        const PrintedPages pages(document_, printer, PageDecorations());
        PrintPreviewDialog dialog(pages, printer, profile_.ReadPreviewPages(), owner);
        const QByteArray geometry = profile_.ReadPreviewGeometry();
        if (!geometry.isEmpty()) dialog.restoreGeometry(geometry);
        result = dialog.exec();
        profile_.WritePreviewPages(dialog.PagesAtATime());
        profile_.WritePreviewGeometry(dialog.saveGeometry());
    }
    if (result == PrintPreviewDialog::kPrintRequested) Print(owner);
}

void PrintCommands::PrintSetup(QWidget* owner) {
    QPrinter& printer = Printer();
    QPageSetupDialog dialog(&printer, owner);
    if (dialog.exec() == QDialog::Accepted) profile_.WritePageLayout(printer.pageLayout());
    printer.setResolution(kPrinterResolution);
}

void PrintCommands::SelectPrinter(const QString& printerName) {
    QPrinter& printer = Printer();
    if (printerName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printerName);
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(printerName);
    }
    printer.setResolution(kPrinterResolution);
}

}  // namespace lutaris
