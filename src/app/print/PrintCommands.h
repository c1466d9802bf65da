// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
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
    // The margins of a printer that Page Setup has not yet set: most printers cannot print the
    // paper's outer few millimetres, and a PDF has no margins of its own.
    static constexpr double kDefaultMarginMillimetres = 15.0;
    // The option of the print dialog that turns the title and page numbers on and off.
    static constexpr const char* kDecorationOptionText = "Print the &title and page numbers";

    PrintCommands(ProfileStore& profile, const CCorvaneDoc& document);

    // Made on first use: finding the default printer loads the print system and asks its
    // server, which would hold up every start of the program. It has the page set-up the
    // profile keeps, or the default margins.
    QPrinter& Printer();

    // Whether pages carry the document's title and "Page N of M" (kept in the profile).
    bool PageDecorations() const;
    void SetPageDecorations(bool shown);

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
    // The printer made ready for the document as it is now: its name on the print job, in the
    // PDF's title and in the PDF file name the print dialog offers.
    QPrinter& PrinterForDocument();

    ProfileStore& profile_;
    QString lastDocName_;
    const CCorvaneDoc& document_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace lutaris
