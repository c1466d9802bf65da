// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

namespace lutaris {

// A rectangle in layout units (document coordinates on the view), edges included.
struct LayoutRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool Intersects(const LayoutRect& other) const {
        return left <= other.right && other.left <= right && top <= other.bottom &&
               other.top <= bottom;
    }
    bool Contains(const LayoutRect& other) const {
        return left <= other.left && other.right <= right && top <= other.top &&
               other.bottom <= bottom;
    }
    bool operator==(const LayoutRect&) const = default;
};

// The smallest rectangle holding both.
inline LayoutRect Union(const LayoutRect& a, const LayoutRect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// Grows `area` to hold `rect`; an empty area becomes `rect`.
inline void Extend(std::optional<LayoutRect>& area, const LayoutRect& rect) {
    area = area ? Union(*area, rect) : rect;
}

}  // namespace lutaris
