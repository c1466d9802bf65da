// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface/Surface.h"

namespace lutaris {

// One call made on a RecordingSurface, with the surface state it was made in.
struct RecordedCall {
    enum class Kind {
        SelectFont,
        SelectPen,
        SetBkMode,
        SetTextColor,
        SetWindowExtent,
        Rectangle,
        Arc,
        MoveTo,
        LineTo,
        TextOut,
    };

    Kind kind;
    // The call's integer arguments in order: (l, t, r, b) for Rectangle, (l, t, r, b, xs, ys,
    // xe, ye) for Arc, (x, y) for MoveTo, LineTo and TextOut, (cx, cy) for SetWindowExtent.
    std::array<std::int32_t, 8> args{};
    std::string text;  // TextOut only
    // State at the time of the call; for a Select or Set, the new value.
    LogicalFont font;
    Pen pen;
    BackgroundMode bkMode = BackgroundMode::Opaque;
    Color textColor = kBlack;
    // For LineTo, where the line starts.
    std::int32_t fromX = 0;
    std::int32_t fromY = 0;
};

// A surface that draws nothing and remembers every call, for tests and for checking what a
// drawing routine asks of its surface.
class RecordingSurface : public Surface {
public:
    explicit RecordingSurface(std::int32_t dpiY = 96, std::int32_t dpiX = 0);

    std::int32_t LogPixelsX() const override { return dpiX_; }
    std::int32_t LogPixelsY() const override { return dpiY_; }
    LogicalFont SelectFont(const LogicalFont& font) override;
    Pen SelectPen(const Pen& pen) override;
    BackgroundMode GetBkMode() const override { return bkMode_; }
    BackgroundMode SetBkMode(BackgroundMode mode) override;
    Color GetTextColor() const override { return textColor_; }
    Color SetTextColor(Color color) override;
    void SetWindowExtent(std::int32_t cx, std::int32_t cy) override;
    SurfaceBox GetClipBox() const override { return clipBox_; }
    void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom) override;
    void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
             std::int32_t startX, std::int32_t startY, std::int32_t endX,
             std::int32_t endY) override;
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;

    const std::vector<RecordedCall>& Calls() const { return calls_; }
    // The calls of one kind, in order.
    std::vector<RecordedCall> Calls(RecordedCall::Kind kind) const;
    // Calls that put ink on the surface (rectangles, arcs, lines, texts).
    std::size_t DrawingCallCount() const;
    const LogicalFont& CurrentFont() const { return font_; }
    const Pen& CurrentPen() const { return pen_; }
    void Clear() { calls_.clear(); }
    // Unbounded unless a test says otherwise.
    void SetClipBox(SurfaceBox box) { clipBox_ = box; }

private:
    RecordedCall& Record(RecordedCall::Kind kind);

    std::int32_t dpiX_;
    std::int32_t dpiY_;
    LogicalFont font_;
    Pen pen_;
    BackgroundMode bkMode_ = BackgroundMode::Opaque;
    Color textColor_ = kBlack;
    std::int32_t currentX_ = 0;
    std::int32_t currentY_ = 0;
    SurfaceBox clipBox_ = kUnboundedBox;
    std::vector<RecordedCall> calls_;
};

}  // namespace lutaris
