// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/surface/ArcGeometry.h"

namespace lutaris {
namespace {

TEST(ArcGeometry, UpperHalfRunsCounterClockwiseFromRightToLeft) {
    const ArcSweep sweep = ComputeArcSweep(31, 2, 49, 14, 49, 8, 31, 8);
    EXPECT_NEAR(sweep.startDegrees, 0.0, 1e-9);
    EXPECT_NEAR(sweep.spanDegrees, 180.0, 1e-9);
}

TEST(ArcGeometry, SpanGoesTheLongWayRoundWhenTheEndLiesClockwise) {
    const ArcSweep sweep = ComputeArcSweep(31, 2, 49, 14, 31, 8, 49, 8);
    EXPECT_NEAR(sweep.startDegrees, 180.0, 1e-9);
    EXPECT_NEAR(sweep.spanDegrees, 180.0, 1e-9);
    const ArcSweep quarter = ComputeArcSweep(0, 0, 20, 20, 10, 0, 20, 10);
    EXPECT_NEAR(quarter.startDegrees, 90.0, 1e-9);
    EXPECT_NEAR(quarter.spanDegrees, 270.0, 1e-9);
}

TEST(ArcGeometry, EqualRaysGiveTheWholeEllipse) {
    EXPECT_NEAR(ComputeArcSweep(1, 8, 49, 32, 49, 20, 49, 20).spanDegrees, 360.0, 1e-9);
    // Same direction, different distance.
    EXPECT_NEAR(ComputeArcSweep(0, 0, 20, 20, 15, 10, 30, 10).spanDegrees, 360.0, 1e-9);
}

// On a flat ellipse a ray's own angle is not the ellipse parameter: the ray from the centre at
// 45° meets an ellipse twice as wide as high at t = atan(2).
TEST(ArcGeometry, RayAnglesBecomeEllipseParameters) {
    const ArcSweep sweep = ComputeArcSweep(0, 0, 40, 20, 30, 0, 0, 10);
    EXPECT_NEAR(sweep.startDegrees, std::atan(2.0) * 180.0 / std::numbers::pi, 1e-9);
    EXPECT_NEAR(sweep.startDegrees + sweep.spanDegrees, 180.0, 1e-9);
}

TEST(ArcGeometry, BoxCornersMayComeInAnyOrder) {
    const ArcSweep a = ComputeArcSweep(1, -4, 49, 20, 31, 20, 49, 8);
    const ArcSweep b = ComputeArcSweep(49, 20, 1, -4, 31, 20, 49, 8);
    EXPECT_DOUBLE_EQ(a.startDegrees, b.startDegrees);
    EXPECT_DOUBLE_EQ(a.spanDegrees, b.spanDegrees);
    // The bend up's lower-right quarter: from below the centre round to its right.
    EXPECT_GT(a.startDegrees, 270.0);
    EXPECT_LT(a.startDegrees, 315.0);
    EXPECT_NEAR(a.startDegrees + a.spanDegrees, 360.0, 1e-9);
}

}  // namespace
}  // namespace lutaris
