// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/surface/ArcGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lutaris {
namespace {

// The parameter angle (degrees) at which the ray from the centre towards (dx, dy) meets an
// ellipse with radii (rx, ry); dy grows downwards.
double ParameterDegrees(double dx, double dy, double rx, double ry) {
    if (dx == 0.0 && dy == 0.0) return 0.0;
    const double t = (rx > 0.0 && ry > 0.0) ? std::atan2(-dy / ry, dx / rx) : std::atan2(-dy, dx);
    return t * 180.0 / std::numbers::pi;
}

}  // namespace

ArcSweep ComputeArcSweep(std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom, std::int32_t startX, std::int32_t startY,
                         std::int32_t endX, std::int32_t endY) {
    const double l = std::min(left, right);
    const double r = std::max(left, right);
    const double t = std::min(top, bottom);
    const double b = std::max(top, bottom);
    // The rays leave from the box's integer centre, as the platform measures them.
    const double cx = std::floor((l + r) / 2.0);
    const double cy = std::floor((t + b) / 2.0);
    const double rx = (r - l) / 2.0;
    const double ry = (b - t) / 2.0;
    double start = ParameterDegrees(startX - cx, startY - cy, rx, ry);
    if (start < 0.0) start += 360.0;
    const double end = ParameterDegrees(endX - cx, endY - cy, rx, ry);
    double span = end - start;
    while (span <= 0.0) span += 360.0;
    while (span > 360.0) span -= 360.0;
    return {start, span};
}

}  // namespace lutaris
