#include "render/qt/PrintedPages.h"

#include <QPageRanges>
#include <QPainter>
#include <QPrinter>

#include "model/TabDocument.h"
#include "platform/qt/QtSurface.h"
#include "render/ViewPainter.h"

namespace lutaris {
namespace {

ViewContent PrintedContent(const TabDocument& document) {
    return ViewContent{*document.settings, document.tabItems, document.selection};
}

}  // namespace

PrintedPages::PrintedPages(const ViewContent& content, const QPrinter& printer)
    : printable_(printer.pageRect(QPrinter::DevicePixel).toRect()),
      dpiY_(printer.resolution()) {
    layout_ = PrintLayout::Build(
        content, PrintLayout::PrintableSize(printable_.width(), printable_.height(), dpiY_));
}

PrintedPages::PrintedPages(const TabDocument& document, const QPrinter& printer)
    : PrintedPages(PrintedContent(document), printer) {}

bool PrintedPages::Print(QPrinter& printer) const {
    // A range that the print dialog left behind says nothing once "All" is chosen again.
    const QPageRanges ranges = printer.printRange() == QPrinter::PageRange ? printer.pageRanges()
                                                                           : QPageRanges();
    bool any = false;
    QPainter painter;
    for (int page = 0; page < PageCount(); ++page) {
        if (!ranges.isEmpty() && !ranges.contains(page + 1)) continue;
        if (!any) {
            if (!painter.begin(&printer)) return false;
            any = true;
        } else if (!printer.newPage()) {
            break;
        }
        PaintPage(painter, page);
    }
    if (!any) return false;
    painter.end();
    return true;
}

void PrintedPages::PaintPage(QPainter& painter, int page) const {
    if (page < 0 || page >= PageCount()) return;
    painter.save();
    painter.setClipRect(PrintableRect(), Qt::IntersectClip);
    {
        QtSurface surface(painter, QRect(), dpiY_, dpiY_);
        layout_.PaintPage(static_cast<std::size_t>(page), surface);
    }
    painter.restore();
}

}  // namespace lutaris
