// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris {

// Where an arc given the platform's way (a bounding box and two radial points) lies on its
// ellipse, in the terms that parametric drawing interfaces take. Angles are in degrees,
// counter-clockwise as seen on the screen (y grows downwards), measured as the ellipse parameter
// t of the point (cx + rx·cos t, cy − ry·sin t), not as the ray's own angle: on a flat ellipse
// the two differ, and the arc must end on the rays through the given points.
struct ArcSweep {
    double startDegrees = 0.0;  // in [0, 360)
    // Always in (0, 360]: the arc runs counter-clockwise; equal rays give the whole ellipse.
    double spanDegrees = 360.0;
};

// Box corners in any order; start and end points are directions seen from the box's centre.
ArcSweep ComputeArcSweep(std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom, std::int32_t startX, std::int32_t startY,
                         std::int32_t endX, std::int32_t endY);

}  // namespace lutaris
