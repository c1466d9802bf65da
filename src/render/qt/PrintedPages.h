#pragma once

#include <QRect>

#include "render/PrintLayout.h"

class QPainter;
class QPrinter;

namespace lutaris {

class TabDocument;
struct ViewContent;

// A document laid out on the pages of one printer, as that printer's page layout and
// resolution give them: printed page after page, or drawn one page at a time for the preview.
// Valid while the document is not changed.
class PrintedPages {
public:
    PrintedPages(const ViewContent& content, const QPrinter& printer);
    PrintedPages(const TabDocument& document, const QPrinter& printer);

    int PageCount() const { return static_cast<int>(layout_.PageCount()); }
    // The printable area in the printer's device pixels, from its own top-left corner.
    QRect PrintableRect() const { return QRect(0, 0, printable_.width(), printable_.height()); }

    // Prints every page, each on a sheet of its own, or only those that the printer's page
    // ranges name when its print range is a page range. False when the printer could not be
    // started or no page of the document is in the range.
    bool Print(QPrinter& printer) const;

    // Draws page `page` (from 0) on a painter whose coordinates are the printer's device pixels
    // with the printable area's top-left corner at (0, 0); whatever the painter's transform
    // does to them (the preview scales them down), the renderer works at the printer's
    // resolution. Nothing leaves the printable area.
    void PaintPage(QPainter& painter, int page) const;

private:
    PrintLayout layout_;
    QRect printable_;
    int dpiY_ = 0;
};

}  // namespace lutaris
