// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>

#include "platform/surface/ArcGeometry.h"
#include "platform/surface/Surface.h"

namespace lutaris {

// The window-to-viewport mapping that the pixel surfaces share. Logical units are device pixels
// until SetWindowExtent; from then on the logical box (0, 0)–(cx, cy) covers the viewport
// rectangle the surface's owner gave (for an exported picture, the whole picture).
class SurfaceMapping {
public:
    SurfaceMapping() = default;
    SurfaceMapping(std::int32_t viewportLeft, std::int32_t viewportTop, std::int32_t viewportWidth,
                   std::int32_t viewportHeight);

    // A zero extent is refused, as the platform refuses it: the mapping stays as it was.
    void SetWindowExtent(std::int32_t cx, std::int32_t cy);
    bool IsIdentity() const { return identity_; }

    // Device coordinates of a logical point, rounded to nearest.
    std::int32_t X(std::int32_t x) const;
    std::int32_t Y(std::int32_t y) const;
    double X(double x) const;
    double Y(double y) const;
    // The device box of a logical box, corners in order; none when it spans no column or no row.
    // The corners of a hostile document's settings may lie the whole range apart, so widths are
    // taken in 64 bits.
    std::optional<SurfaceBox> DeviceBox(std::int32_t left, std::int32_t top, std::int32_t right,
                                        std::int32_t bottom) const;
    // An arc given the platform's way, in device pixels: its box as DeviceBox gives it and where
    // it runs on the box's ellipse; none when the box spans no column or no row.
    struct DeviceArc {
        SurfaceBox box;
        ArcSweep sweep;
    };
    std::optional<DeviceArc> MapArc(std::int32_t left, std::int32_t top, std::int32_t right,
                                    std::int32_t bottom, std::int32_t startX, std::int32_t startY,
                                    std::int32_t endX, std::int32_t endY) const;
    // The logical box that covers a device box (rounded outwards).
    void DeviceToLogical(double left, double top, double right, double bottom,
                         std::int32_t& logicalLeft, std::int32_t& logicalTop,
                         std::int32_t& logicalRight, std::int32_t& logicalBottom) const;
    // A logical length along y as a device length (font heights), rounded to nearest.
    std::int32_t LengthY(std::int32_t length) const;
    double ScaleX() const { return scaleX_; }
    double ScaleY() const { return scaleY_; }

private:
    std::int32_t viewportLeft_ = 0;
    std::int32_t viewportTop_ = 0;
    std::int32_t viewportWidth_ = 1;
    std::int32_t viewportHeight_ = 1;
    bool identity_ = true;
    double scaleX_ = 1.0;
    double scaleY_ = 1.0;
};

}  // namespace lutaris
