#include "app/print/PrintCommands.h"

#include <QPageRanges>
#include <QPageSetupDialog>
#include <QPrintDialog>

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
    }
    return *printer_;
}

void PrintCommands::Print(QWidget* owner) {
    QPrinter& printer = Printer();
    printer.setResolution(kPrinterResolution);
    PrintEveryPage(printer);
    QPrintDialog dialog(&printer, owner);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    // The pages as the paper chosen so far gives them; a range starts out as all of them.
    const int pages = PrintedPages(document_, printer).PageCount();
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    if (dialog.exec() != QDialog::Accepted) return;
    printer.setResolution(kPrinterResolution);
    PrintedPages(document_, printer).Print(printer);
}

bool PrintCommands::PrintDirect() {
    QPrinter& printer = Printer();
    if (!printer.isValid()) return false;
    printer.setResolution(kPrinterResolution);
    PrintEveryPage(printer);
    return PrintedPages(document_, printer).Print(printer);
}

void PrintCommands::PrintPreview(QWidget* owner) {
    QPrinter& printer = Printer();
    printer.setResolution(kPrinterResolution);
    int result = QDialog::Rejected;
    {
        const PrintedPages pages(document_, printer);
        PrintPreviewDialog dialog(pages, printer, profile_.ReadPreviewPages(), owner);
        result = dialog.exec();
        profile_.WritePreviewPages(dialog.PagesAtATime());
    }
    if (result == PrintPreviewDialog::kPrintRequested) Print(owner);
}

void PrintCommands::PrintSetup(QWidget* owner) {
    QPrinter& printer = Printer();
    QPageSetupDialog dialog(&printer, owner);
    dialog.exec();
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
