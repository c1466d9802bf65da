// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/CaretScroll.h"

#include <algorithm>

#include "model/TabCursor.h"
#include "platform/runtime/Int32Math.h"
#include "render/CaretRenderer.h"

namespace lutaris {
namespace {

// The item's span along one axis if it fits the window, else the caret cell's.
std::int32_t AxisFor(std::int64_t itemStart, std::int64_t itemLength, std::int64_t cellStart,
                     std::int64_t cellLength, std::int32_t scroll, std::int32_t visible) {
    if (itemLength <= visible)
        return CaretScroll::Along(itemStart, itemStart + itemLength - 1, scroll, visible);
    return CaretScroll::Along(cellStart, cellStart + cellLength - 1, scroll, visible);
}

}  // namespace

std::int32_t CaretScroll::Along(std::int64_t first, std::int64_t last, std::int32_t scroll,
                                std::int32_t visible) {
    if (visible <= 0) return scroll;
    last = std::max(first, last);
    if (first < scroll || last - first >= visible) return ClampToInt32(first);
    if (last > std::int64_t{scroll} + visible - 1) return ClampToInt32(last - visible + 1);
    return scroll;
}

LayoutPoint CaretScroll::ToShow(const TabCursor& cursor, LayoutPoint scroll, LayoutSize viewport) {
    if (cursor.tabItem == nullptr) return scroll;
    const Tablature& item = *cursor.tabItem;
    const LayoutPoint origin = item.GetLastOrigin();
    const LayoutSize extent = item.GetExtent();
    const LayoutPoint corner = CaretCorner(cursor);
    const TabSettings& settings = *cursor.settings;
    return {AxisFor(origin.x, extent.width, corner.x, settings.horizontalSpacing, scroll.x,
                    viewport.width),
            AxisFor(origin.y, extent.height, corner.y, settings.verticalSpacing, scroll.y,
                    viewport.height)};
}

}  // namespace lutaris
