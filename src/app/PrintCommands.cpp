#include "app/PrintCommands.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

#include "app/ProfileStore.h"

namespace lutaris {

PrintCommands::PrintCommands(ProfileStore& profile, PagePainter painter)
    : profile_(profile), painter_(std::move(painter)) {}

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
    QPrintDialog dialog(&printer, owner);
    // The view sets no page range: there is one page.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) return;
    printer.setResolution(kPrinterResolution);
    painter_(printer);
}

bool PrintCommands::PrintDirect() {
    QPrinter& printer = Printer();
    if (!printer.isValid()) return false;
    printer.setResolution(kPrinterResolution);
    painter_(printer);
    return true;
}

void PrintCommands::PrintPreview(QWidget* owner) {
    QPrinter& printer = Printer();
    printer.setResolution(kPrinterResolution);
    QPrintPreviewDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [this](QPrinter* previewPrinter) { painter_(*previewPrinter); });
    // The preview opens with as many pages side by side as it showed last time.
    auto* preview = dialog.findChild<QPrintPreviewWidget*>();
    if (preview != nullptr) {
        preview->setViewMode(profile_.ReadPreviewPages() == 2 ? QPrintPreviewWidget::FacingPagesView
                                                              : QPrintPreviewWidget::SinglePageView);
    }
    dialog.exec();
    if (preview != nullptr)
        profile_.WritePreviewPages(
            preview->viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1);
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
