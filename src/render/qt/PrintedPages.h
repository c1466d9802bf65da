// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QRect>
#include <QString>

#include "render/PrintLayout.h"

class QPainter;
class QPrinter;

namespace lutaris {

class TabDocument;
struct ViewContent;

// What a printed page carries besides the tablature: the document's title at the top and
// "Page N of M" at the bottom, in a small face, each in a band of its own between the page's
// margins, so that the tablature never runs under them.
struct PageDecoration {
    bool shown = false;
    QString title;
};

// A document laid out on the pages of one printer, as that printer's page layout and
// resolution give them: printed page after page, or drawn one page at a time for the preview.
// Valid while the document is not changed.
class PrintedPages {
public:
    PrintedPages(const ViewContent& content, const QPrinter& printer,
                 PageDecoration decoration = {});
    // The document's pages with its title and the page numbers, unless `decorated` is false.
    PrintedPages(const TabDocument& document, const QPrinter& printer, bool decorated = true);

    int PageCount() const { return static_cast<int>(layout_.PageCount()); }
    // The printable area in the printer's device pixels, from its own top-left corner.
    QRect PrintableRect() const { return QRect(0, 0, printable_.width(), printable_.height()); }
    // Where the tablature goes: the printable area less the title's and the page number's
    // bands, in the same coordinates.
    QRect TablatureRect() const { return tablature_; }

    // Prints every page, each on a sheet of its own, or only those that the printer's page
    // ranges name when its print range is a page range. False when the printer could not be
    // started or no page of the document is in the range.
    bool Print(QPrinter& printer) const;

    // Draws page `page` (from 0) on a painter whose coordinates are the printer's device pixels
    // with the printable area's top-left corner at (0, 0); whatever the painter's transform
    // does to them (the preview scales them down), the renderer works at the printer's
    // resolution. Nothing leaves the printable area, and no tablature leaves its own.
    void PaintPage(QPainter& painter, int page) const;

private:
    void PaintDecoration(QPainter& painter, int page) const;

    PrintLayout layout_;
    QRect printable_;
    QRect tablature_;
    PageDecoration decoration_;
    int decorationPixels_ = 0;
    int dpiY_ = 0;
};

}  // namespace lutaris
