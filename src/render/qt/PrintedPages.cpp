// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/qt/PrintedPages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageRanges>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "model/TabDocument.h"
#include "platform/qt/QtFaceResolver.h"
#include "platform/qt/QtSurface.h"
#include "render/ViewPainter.h"

namespace lutaris {
namespace {

ViewContent PrintedContent(const TabDocument& document) {
    return ViewContent{*document.settings, document.tabItems, document.selection};
}

// The title and the page numbers: 9 points, well below the tablature's numbers.
constexpr double kDecorationPoints = 9.0;

QFont DecorationFont(int pixels) {
    QFont font(QtFaceResolver::Family("Courier"));
    font.setPixelSize(std::max(1, pixels));
    return font;
}

}  // namespace

PrintedPages::PrintedPages(const ViewContent& content, const QPrinter& printer,
                           PageDecoration decoration)
    : printable_(printer.pageRect(QPrinter::DevicePixel).toRect()),
      decoration_(std::move(decoration)),
      dpiY_(printer.resolution()) {
    tablature_ = PrintableRect();
    if (decoration_.shown) {
        decorationPixels_ = static_cast<int>(std::lround(kDecorationPoints * dpiY_ / 72.0));
        const int line =
            static_cast<int>(std::ceil(QFontMetricsF(DecorationFont(decorationPixels_)).height()));
        // A band of a line and half a line's gap above and below the tablature; a page too
        // small for both keeps its whole height for the tablature.
        const int band = line + line / 2;
        if (tablature_.height() > 4 * band)
            tablature_.adjust(0, band, 0, -band);
        else
            decoration_.shown = false;
    }
    layout_ = PrintLayout::Build(
        content, PrintLayout::PrintableSize(tablature_.width(), tablature_.height(), dpiY_));
}

PrintedPages::PrintedPages(const TabDocument& document, const QPrinter& printer, bool decorated)
    : PrintedPages(PrintedContent(document), printer,
                   PageDecoration{decorated, QString::fromStdString(document.GetTitle())}) {}

bool PrintedPages::Print(QPrinter& printer) const {
    // A range that the print dialog left behind says nothing once "All" is chosen again.
    const QPageRanges ranges =
        printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges();
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
    if (decoration_.shown) PaintDecoration(painter, page);
    painter.setClipRect(tablature_, Qt::IntersectClip);
    painter.translate(tablature_.topLeft());
    {
        QtSurface surface(painter, QRect(), dpiY_, dpiY_);
        layout_.PaintPage(static_cast<std::size_t>(page), surface);
    }
    painter.restore();
}

void PrintedPages::PaintDecoration(QPainter& painter, int page) const {
    painter.save();
    const QFont font = DecorationFont(decorationPixels_);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRect area = PrintableRect();
    const QString title =
        QFontMetrics(font).elidedText(decoration_.title, Qt::ElideMiddle, area.width());
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, title);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
                     QStringLiteral("Page %1 of %2").arg(page + 1).arg(PageCount()));
    painter.restore();
}

}  // namespace lutaris
