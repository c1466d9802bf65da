// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/surface/RecordingSurface.h"

#include <algorithm>
#include <utility>

namespace lutaris {

RecordingSurface::RecordingSurface(std::int32_t dpiY, std::int32_t dpiX)
    : dpiX_(dpiX > 0 ? dpiX : dpiY), dpiY_(dpiY) {}

RecordedCall& RecordingSurface::Record(RecordedCall::Kind kind) {
    RecordedCall& call = calls_.emplace_back();
    call.kind = kind;
    call.font = font_;
    call.pen = pen_;
    call.bkMode = bkMode_;
    call.textColor = textColor_;
    return call;
}

LogicalFont RecordingSurface::SelectFont(const LogicalFont& font) {
    LogicalFont previous = std::exchange(font_, font);
    Record(RecordedCall::Kind::SelectFont);
    return previous;
}

Pen RecordingSurface::SelectPen(const Pen& pen) {
    Pen previous = std::exchange(pen_, pen);
    Record(RecordedCall::Kind::SelectPen);
    return previous;
}

BackgroundMode RecordingSurface::SetBkMode(BackgroundMode mode) {
    BackgroundMode previous = std::exchange(bkMode_, mode);
    Record(RecordedCall::Kind::SetBkMode);
    return previous;
}

Color RecordingSurface::SetTextColor(Color color) {
    Color previous = std::exchange(textColor_, color);
    Record(RecordedCall::Kind::SetTextColor);
    return previous;
}

void RecordingSurface::SetWindowExtent(std::int32_t cx, std::int32_t cy) {
    Record(RecordedCall::Kind::SetWindowExtent).args = {cx, cy};
}

void RecordingSurface::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom) {
    Record(RecordedCall::Kind::Rectangle).args = {left, top, right, bottom};
}

void RecordingSurface::Arc(std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom, std::int32_t startX, std::int32_t startY,
                           std::int32_t endX, std::int32_t endY) {
    Record(RecordedCall::Kind::Arc).args = {left, top, right, bottom, startX, startY, endX, endY};
}

void RecordingSurface::MoveTo(std::int32_t x, std::int32_t y) {
    Record(RecordedCall::Kind::MoveTo).args = {x, y};
    currentX_ = x;
    currentY_ = y;
}

void RecordingSurface::LineTo(std::int32_t x, std::int32_t y) {
    RecordedCall& call = Record(RecordedCall::Kind::LineTo);
    call.args = {x, y};
    call.fromX = currentX_;
    call.fromY = currentY_;
    currentX_ = x;
    currentY_ = y;
}

void RecordingSurface::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
    RecordedCall& call = Record(RecordedCall::Kind::TextOut);
    call.args = {x, y};
    call.text = std::string(text);
}

std::vector<RecordedCall> RecordingSurface::Calls(RecordedCall::Kind kind) const {
    std::vector<RecordedCall> result;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(result),
                 [kind](const RecordedCall& call) { return call.kind == kind; });
    return result;
}

std::size_t RecordingSurface::DrawingCallCount() const {
    return static_cast<std::size_t>(std::count_if(calls_.begin(), calls_.end(), [](const auto& c) {
        using K = RecordedCall::Kind;
        return c.kind == K::Rectangle || c.kind == K::Arc || c.kind == K::LineTo ||
               c.kind == K::TextOut;
    }));
}

}  // namespace lutaris
