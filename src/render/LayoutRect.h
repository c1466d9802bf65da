#pragma once

#include <algorithm>
#include <cstdint>

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
    bool operator==(const LayoutRect&) const = default;
};

}  // namespace lutaris
