// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/surface/SurfaceMapping.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace lutaris {
namespace {

std::int32_t RoundToInt32(double value) {
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(std::floor(value + 0.5), kLow, kHigh));
}

}  // namespace

SurfaceMapping::SurfaceMapping(std::int32_t viewportLeft, std::int32_t viewportTop,
                               std::int32_t viewportWidth, std::int32_t viewportHeight)
    : viewportLeft_(viewportLeft),
      viewportTop_(viewportTop),
      viewportWidth_(viewportWidth),
      viewportHeight_(viewportHeight) {}

void SurfaceMapping::SetWindowExtent(std::int32_t cx, std::int32_t cy) {
    if (cx == 0 || cy == 0) return;
    identity_ = false;
    scaleX_ = static_cast<double>(viewportWidth_) / cx;
    scaleY_ = static_cast<double>(viewportHeight_) / cy;
}

double SurfaceMapping::X(double x) const { return identity_ ? x : viewportLeft_ + x * scaleX_; }

double SurfaceMapping::Y(double y) const { return identity_ ? y : viewportTop_ + y * scaleY_; }

std::int32_t SurfaceMapping::X(std::int32_t x) const {
    return identity_ ? x : RoundToInt32(X(static_cast<double>(x)));
}

std::int32_t SurfaceMapping::Y(std::int32_t y) const {
    return identity_ ? y : RoundToInt32(Y(static_cast<double>(y)));
}

std::optional<SurfaceBox> SurfaceMapping::DeviceBox(std::int32_t left, std::int32_t top,
                                                    std::int32_t right, std::int32_t bottom) const {
    SurfaceBox box{X(left), Y(top), X(right), Y(bottom)};
    if (box.left > box.right) std::swap(box.left, box.right);
    if (box.top > box.bottom) std::swap(box.top, box.bottom);
    if (std::int64_t{box.right} - box.left < 1 || std::int64_t{box.bottom} - box.top < 1) {
        return std::nullopt;
    }
    return box;
}

std::optional<SurfaceMapping::DeviceArc> SurfaceMapping::MapArc(
    std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
    std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY) const {
    const std::optional<SurfaceBox> box = DeviceBox(left, top, right, bottom);
    if (!box) return std::nullopt;
    return DeviceArc{*box, ComputeArcSweep(box->left, box->top, box->right, box->bottom, X(startX),
                                           Y(startY), X(endX), Y(endY))};
}

void SurfaceMapping::DeviceToLogical(double left, double top, double right, double bottom,
                                     std::int32_t& logicalLeft, std::int32_t& logicalTop,
                                     std::int32_t& logicalRight,
                                     std::int32_t& logicalBottom) const {
    double x1 = left, x2 = right, y1 = top, y2 = bottom;
    if (!identity_) {
        x1 = (left - viewportLeft_) / scaleX_;
        x2 = (right - viewportLeft_) / scaleX_;
        y1 = (top - viewportTop_) / scaleY_;
        y2 = (bottom - viewportTop_) / scaleY_;
    }
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    const auto outwardLow = [&](double value) {
        return static_cast<std::int32_t>(std::clamp(std::floor(value) - 1.0, kLow, kHigh));
    };
    const auto outwardHigh = [&](double value) {
        return static_cast<std::int32_t>(std::clamp(std::ceil(value) + 1.0, kLow, kHigh));
    };
    logicalLeft = outwardLow(std::min(x1, x2));
    logicalRight = outwardHigh(std::max(x1, x2));
    logicalTop = outwardLow(std::min(y1, y2));
    logicalBottom = outwardHigh(std::max(y1, y2));
}

std::int32_t SurfaceMapping::LengthY(std::int32_t length) const {
    return identity_ ? length : RoundToInt32(length * std::fabs(scaleY_));
}

}  // namespace lutaris
