#pragma once

#include <QPrinter>
#include <memory>

class QWidget;

namespace lutaris {

class CCorvaneDoc;
class ProfileStore;

// The printer the program prints on and the commands that use it: Print (with the print
// dialog and its page range), printing without a dialog, Print Preview and Print Setup. Each
// lays the document out for the printer's pages afresh (one pass over the items), so that a
// change of paper, orientation or document always shows.
class PrintCommands {
public:
    // The resolution every printout is made at; the renderer scales by it against the screen's.
    static constexpr int kPrinterResolution = 600;

    PrintCommands(ProfileStore& profile, const CCorvaneDoc& document);

    // Made on first use: finding the default printer loads the print system and asks its
    // server, which would hold up every start of the program.
    QPrinter& Printer();

    void Print(QWidget* owner);
    // Prints every page without asking. False when no printer is available or it could not
    // be started; nothing is printed then.
    bool PrintDirect();
    void PrintPreview(QWidget* owner);
    void PrintSetup(QWidget* owner);

    // A printer name that ends in ".pdf" stands for that PDF file (there is no PDF printer to
    // name on most machines).
    void SelectPrinter(const QString& printerName);

private:
    ProfileStore& profile_;
    const CCorvaneDoc& document_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace lutaris
