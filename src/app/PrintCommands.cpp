#include "app/PrintCommands.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

#include "app/ProfileStore.h"

namespace lutaris {

PrintCommands::PrintCommands(ProfileStore& profile, PagePainter painter)
    : profile_(profile), painter_(std::move(painter)), printer_(QPrinter::HighResolution) {
    // HighResolution alone means 1200 dpi here; the printouts are made at 600.
    printer_.setResolution(kPrinterResolution);
    printer_.setDocName(QStringLiteral("Lutaris"));
}

void PrintCommands::Print(QWidget* owner) {
    QPrintDialog dialog(&printer_, owner);
    // The view sets no page range: there is one page.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) return;
    printer_.setResolution(kPrinterResolution);
    painter_(printer_);
}

bool PrintCommands::PrintDirect() {
    if (!printer_.isValid()) return false;
    printer_.setResolution(kPrinterResolution);
    painter_(printer_);
    return true;
}

void PrintCommands::PrintPreview(QWidget* owner) {
    printer_.setResolution(kPrinterResolution);
    QPrintPreviewDialog dialog(&printer_, owner);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [this](QPrinter* printer) { painter_(*printer); });
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
    QPageSetupDialog dialog(&printer_, owner);
    dialog.exec();
    printer_.setResolution(kPrinterResolution);
}

void PrintCommands::SelectPrinter(const QString& printerName) {
    if (printerName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(printerName);
    } else {
        printer_.setOutputFormat(QPrinter::NativeFormat);
        printer_.setPrinterName(printerName);
    }
    printer_.setResolution(kPrinterResolution);
}

}  // namespace lutaris
