// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/inplace/CInPlaceResizeBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace lutaris {

namespace {

constexpr int kHandles = 8;

// Which edges a handle moves: left, top, right, bottom.
struct Edges {
    bool left, top, right, bottom;
};
constexpr Edges kHandleEdges[kHandles] = {
    {true, true, false, false},  {false, true, false, false}, {false, true, true, false},
    {false, false, true, false}, {false, false, true, true},  {false, false, false, true},
    {true, false, false, true},  {true, false, false, false},
};
const Qt::CursorShape kHandleCursors[kHandles] = {
    Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
    Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
};

}  // namespace

CInPlaceResizeBar::CInPlaceResizeBar(QWidget* frame) : QWidget(frame) {
    setObjectName(QStringLiteral("resizeBar"));
    setMouseTracking(true);
}

QRect CInPlaceResizeBar::HandleRect(int handle) const {
    const int w = width();
    const int h = height();
    const int xs[3] = {0, (w - kBorder) / 2, w - kBorder};
    const int ys[3] = {0, (h - kBorder) / 2, h - kBorder};
    static constexpr int kColumn[kHandles] = {0, 1, 2, 2, 2, 1, 0, 0};
    static constexpr int kRow[kHandles] = {0, 0, 0, 1, 2, 2, 2, 1};
    return {xs[kColumn[handle]], ys[kRow[handle]], kBorder, kBorder};
}

std::optional<int> CInPlaceResizeBar::HandleAt(const QPoint& point) const {
    for (int handle = 0; handle < kHandles; ++handle)
        if (HandleRect(handle).contains(point)) return handle;
    return std::nullopt;
}

QRect CInPlaceResizeBar::Dragged(int handle, const QPoint& delta) const {
    const Edges edges = kHandleEdges[handle];
    int left = frameRect_.left();
    int top = frameRect_.top();
    int right = frameRect_.left() + frameRect_.width();
    int bottom = frameRect_.top() + frameRect_.height();
    // The moved edge stops where the object would get smaller than the least size.
    if (edges.left) left = std::min(left + delta.x(), right - kMinimumSide);
    if (edges.right) right = std::max(right + delta.x(), left + kMinimumSide);
    if (edges.top) top = std::min(top + delta.y(), bottom - kMinimumSide);
    if (edges.bottom) bottom = std::max(bottom + delta.y(), top + kMinimumSide);
    return {left, top, right - left, bottom - top};
}

void CInPlaceResizeBar::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(all, Qt::white);
    const QBrush hatch(Qt::darkGray, Qt::BDiagPattern);
    painter.fillRect(QRect(0, 0, all.width(), kBorder), hatch);
    painter.fillRect(QRect(0, all.height() - kBorder, all.width(), kBorder), hatch);
    painter.fillRect(QRect(0, 0, kBorder, all.height()), hatch);
    painter.fillRect(QRect(all.width() - kBorder, 0, kBorder, all.height()), hatch);
    for (int handle = 0; handle < kHandles; ++handle)
        painter.fillRect(HandleRect(handle), Qt::black);
}

void CInPlaceResizeBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragged_ = HandleAt(event->position().toPoint());
    dragStart_ = event->globalPosition().toPoint();
}

void CInPlaceResizeBar::mouseMoveEvent(QMouseEvent* event) {
    if (dragged_) return;
    const std::optional<int> handle = HandleAt(event->position().toPoint());
    if (handle)
        setCursor(kHandleCursors[*handle]);
    else
        unsetCursor();
}

void CInPlaceResizeBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragged_) return;
    const int handle = *std::exchange(dragged_, std::nullopt);
    const QPoint delta = event->globalPosition().toPoint() - dragStart_;
    if (delta.isNull()) return;
    emit RequestRect(Dragged(handle, delta));
}

}  // namespace lutaris
