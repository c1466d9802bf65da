// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/PlayCursorArea.h"

#include <algorithm>

#include "model/ItemGeometry.h"
#include "platform/runtime/Int32Math.h"
#include "render/ViewDocument.h"

namespace lutaris {

std::optional<LayoutRect> PlayCursorArea(const ViewDocument& document, const Tablature* item,
                                         std::int32_t position, std::int32_t column) {
    if (item == nullptr || column < 0 || document.settings == nullptr) return std::nullopt;
    Tablature* found = document.ItemAtPosition(position);
    if (found != item) {
        // Moved since it was queued: rare, and one pass over the pointers.
        const auto at =
            std::find_if(document.tabItems.begin(), document.tabItems.end(),
                         [item](const auto& candidate) { return candidate.get() == item; });
        if (at == document.tabItems.end()) return std::nullopt;
        found = at->get();
    }
    document.UpdateLastOrigin(*found);
    const LayoutPoint origin = found->GetLastOrigin();
    const ItemGeometry geometry(*document.settings);
    const LayoutSize box = geometry.Box(-1);
    const std::int64_t left = origin.x + geometry.CellLeft(column);
    const std::int64_t right = origin.x + geometry.CellLeft(std::int64_t{column} + 1) - 1;
    return LayoutRect{ClampToInt32(left), origin.y, ClampToInt32(std::max(left, right)),
                      ClampToInt32(std::int64_t{origin.y} + std::max(0, box.height - 1))};
}

}  // namespace lutaris
