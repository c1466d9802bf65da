#pragma once

#include <QPrinter>
#include <functional>
#include <memory>

class QWidget;

namespace lutaris {

class ProfileStore;

// The printer the program prints on and the commands that use it: Print (with the print
// dialog), printing without a dialog, Print Preview and Print Setup.
class PrintCommands {
public:
    // Draws the document on a printer's page.
    using PagePainter = std::function<void(QPrinter&)>;

    // The resolution every printout is made at; the renderer scales by it against the screen's.
    static constexpr int kPrinterResolution = 600;

    PrintCommands(ProfileStore& profile, PagePainter painter);

    // Made on first use: finding the default printer loads the print system and asks its
    // server, which would hold up every start of the program.
    QPrinter& Printer();

    void Print(QWidget* owner);
    // Prints without asking. Nothing is printed when no printer is available; false then.
    bool PrintDirect();
    void PrintPreview(QWidget* owner);
    void PrintSetup(QWidget* owner);

    // A printer name that ends in ".pdf" stands for that PDF file (there is no PDF printer to
    // name on most machines).
    void SelectPrinter(const QString& printerName);

private:
    ProfileStore& profile_;
    PagePainter painter_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace lutaris
