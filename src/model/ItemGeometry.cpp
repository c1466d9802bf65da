// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/ItemGeometry.h"

#include <algorithm>

#include "platform/runtime/Int32Math.h"

namespace lutaris {

LayoutPoint ItemGeometry::CellCorner(LayoutPoint origin, std::int32_t column,
                                     std::int32_t string) const {
    return {ClampToInt32(origin.x + CellLeft(column)), ClampToInt32(origin.y + CellTop(string))};
}

LayoutSize ItemGeometry::Box(std::int32_t maxColumnOrMinusOne) const {
    const std::int64_t width =
        (std::int64_t{std::max(0, maxColumnOrMinusOne)} + 3) * settings_.horizontalSpacing;
    const std::int64_t height =
        std::int64_t{settings_.nextLineSpacing} +
        (std::int64_t{settings_.numberOfStrings} - 1) * settings_.verticalSpacing;
    return {ClampToInt32(width), ClampToInt32(height)};
}

std::int32_t ItemGeometry::ColumnAt(std::int32_t x, std::int32_t maxColumn) const {
    // 64-bit arithmetic: damaged settings (a spacing of −1, INT_MIN coordinates) must neither
    // divide by zero nor overflow.
    const std::int64_t spacing = SafeDivisor(settings_.horizontalSpacing);
    const std::int64_t column = (std::int64_t{x} - spacing / 2) / spacing;
    // Only a negative spacing can yield a negative column; no key ever reaches one, so it
    // counts as column 0.
    return ClampToInt32(std::clamp<std::int64_t>(column, 0, std::int64_t{maxColumn} + 1));
}

std::int32_t ItemGeometry::StringAt(std::int32_t y) const {
    const std::int64_t spacing = SafeDivisor(settings_.verticalSpacing);
    // round((y − line 0) / spacing), halves upward, for either sign of the spacing.
    const std::int64_t string =
        FloorDiv(2 * (std::int64_t{y} - StringLine(0)) + spacing, 2 * spacing);
    const std::int64_t lastString = std::max<std::int64_t>(0, settings_.numberOfStrings - 1LL);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(string, 0, lastString));
}

}  // namespace lutaris
