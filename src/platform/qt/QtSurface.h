// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <memory>

#include "platform/surface/Surface.h"
#include "platform/surface/SurfaceMapping.h"

namespace lutaris {

class QtFontCacheEntry;

// The drawing surface over a QPainter: screen, printer, print preview, images and PDF. It carries
// the device-context rules of Surface so that the renderer's arithmetic stays as it is: Qt's
// rectangles include their far edges, its arc angles are parametric and its lines paint their
// end point, so each call is adapted here. The painter's state is saved on construction and
// restored on destruction.
class QtSurface : public Surface {
public:
    // The attribute context is the painter's device: its logical resolution.
    explicit QtSurface(QPainter& painter);
    // An explicit attribute resolution (a picture drawn for the screen on a device of another
    // resolution) and the viewport that SetWindowExtent maps the window onto.
    QtSurface(QPainter& painter, QRect viewport, std::int32_t dpiX, std::int32_t dpiY);
    ~QtSurface() override;
    QtSurface(const QtSurface&) = delete;
    QtSurface& operator=(const QtSurface&) = delete;

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
    void UseLinePen();
    void UseTextPen();
    QPen MakeLinePen() const;

    QPainter& painter_;
    SurfaceMapping mapping_;
    std::int32_t dpiX_;
    std::int32_t dpiY_;
    // The device has several pixels to a logical unit: lines are drawn a unit wide.
    bool scaled_;
    LogicalFont font_;
    std::shared_ptr<const QtFontCacheEntry> fontEntry_;
    Pen pen_;
    QPen linePen_;
    // Made once per colour rather than at every switch between lines and texts.
    QPen textPen_{QColor(kBlack.red, kBlack.green, kBlack.blue)};
    QColor backgroundQColor_{kWhite.red, kWhite.green, kWhite.blue};
    BackgroundMode bkMode_ = BackgroundMode::Opaque;
    Color textColor_ = kBlack;
    QPoint current_;  // logical, as MoveTo left it
    enum class PainterPen { Unknown, Line, Text } painterPen_ = PainterPen::Unknown;
};

}  // namespace lutaris
