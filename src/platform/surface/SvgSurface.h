// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>

#include "platform/surface/Surface.h"
#include "platform/surface/SurfaceMapping.h"

namespace lutaris {

// A surface that writes an SVG picture of `width` × `height` device pixels, with the same rules
// as the Qt surface: strokes through pixel centres, rectangles that leave out their right and
// bottom edges, counter-clockwise arcs that stop a pixel short of their end, text placed by its
// cell (with the cell metrics of the monospace face, MonospaceMetrics) and opaque text on a
// white cell. SetWindowExtent maps the window onto the whole picture.
class SvgSurface : public Surface {
public:
    SvgSurface(std::int32_t width, std::int32_t height, std::int32_t dpiX = 96,
               std::int32_t dpiY = 96);

    // Declares the picture's physical size (HIMETRIC) instead of its size in pixels.
    void SetPhysicalSize(std::int32_t widthHimetric, std::int32_t heightHimetric);
    // The complete document.
    std::string Document() const;

    std::int32_t LogPixelsX() const override { return dpiX_; }
    std::int32_t LogPixelsY() const override { return dpiY_; }
    LogicalFont SelectFont(const LogicalFont& font) override;
    Pen SelectPen(const Pen& pen) override;
    BackgroundMode GetBkMode() const override { return bkMode_; }
    BackgroundMode SetBkMode(BackgroundMode mode) override;
    Color GetTextColor() const override { return textColor_; }
    Color SetTextColor(Color color) override;
    void SetWindowExtent(std::int32_t cx, std::int32_t cy) override;
    SurfaceBox GetClipBox() const override;
    void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom) override;
    void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
             std::int32_t startX, std::int32_t startY, std::int32_t endX,
             std::int32_t endY) override;
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;

private:
    std::string StrokeAttributes() const;
    std::int32_t FontPixelSize() const;

    std::int32_t width_;
    std::int32_t height_;
    std::int32_t dpiX_;
    std::int32_t dpiY_;
    std::optional<std::pair<std::int32_t, std::int32_t>> physicalSize_;
    SurfaceMapping mapping_;
    LogicalFont font_;
    Pen pen_;
    BackgroundMode bkMode_ = BackgroundMode::Opaque;
    Color textColor_ = kBlack;
    std::int32_t currentX_ = 0;
    std::int32_t currentY_ = 0;
    std::ostringstream body_;
};

}  // namespace lutaris
