// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/print/PreviewPagesWidget.h"

#include <QPainter>
#include <algorithm>

#include "render/qt/PrintedPages.h"

namespace lutaris {
namespace {

constexpr double kBorder = 12;  // grey around the sheets
constexpr double kGap = 16;     // grey between two sheets
constexpr double kShadow = 3;

}  // namespace

PreviewPagesWidget::PreviewPagesWidget(const PrintedPages& pages, QRectF paper, QRectF printable,
                                       QWidget* parent)
    : QWidget(parent), pages_(pages), paper_(paper), printable_(printable) {
    setObjectName(QStringLiteral("previewPages"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PreviewPagesWidget::ShowPages(int first, int count) {
    first_ = std::max(0, first);
    count_ = std::clamp(count, 1, 2);
    update();
}

double PreviewPagesWidget::Scale() const {
    if (paper_.width() <= 0 || paper_.height() <= 0) return 0;
    const double across = (width() - 2 * kBorder - (count_ - 1) * kGap) / count_;
    const double down = height() - 2 * kBorder;
    return std::max(0.0, std::min(across / paper_.width(), down / paper_.height()));
}

QRectF PreviewPagesWidget::SheetRect(int place) const {
    const double scale = Scale();
    const QSizeF sheet(paper_.width() * scale, paper_.height() * scale);
    const double all = count_ * sheet.width() + (count_ - 1) * kGap;
    const double left = (width() - all) / 2 + place * (sheet.width() + kGap);
    return {QPointF(left, (height() - sheet.height()) / 2), sheet};
}

void PreviewPagesWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
    const double scale = Scale();
    if (scale <= 0) return;
    for (int place = 0; place < count_; ++place) {
        const int page = first_ + place;
        if (page >= pages_.PageCount()) break;
        const QRectF sheet = SheetRect(place);
        painter.fillRect(sheet.translated(kShadow, kShadow), Qt::black);
        painter.fillRect(sheet, Qt::white);
        painter.save();
        painter.setClipRect(sheet);
        painter.translate(sheet.topLeft());
        painter.scale(scale, scale);
        painter.translate(printable_.topLeft() - paper_.topLeft());
        pages_.PaintPage(painter, page);
        painter.restore();
    }
}

}  // namespace lutaris
