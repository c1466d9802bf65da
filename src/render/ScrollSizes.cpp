// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/ScrollSizes.h"

#include <algorithm>
#include <optional>

#include "platform/runtime/Int32Math.h"
#include "render/ViewDocument.h"
#include "render/ViewLayout.h"

namespace lutaris {
namespace {

std::int32_t ClampSize(std::int64_t value) { return std::max(0, ClampToInt32(value)); }

ScrollSizes SizesFor(std::int64_t bottom, std::int64_t widest, std::int32_t leftMargin,
                     std::int32_t outerWindowWidth, std::int32_t borderWidth,
                     std::int32_t verticalScrollBarWidth) {
    std::int64_t width = outerWindowWidth;
    if (width != 0) width = width - 2 * std::int64_t{borderWidth} - verticalScrollBarWidth - 1;
    // An item wider than the window stands alone on its row at the left margin: the range
    // reaches past it by as much again.
    if (std::int64_t{leftMargin} + widest > outerWindowWidth) {
        width = std::max(width, 2 * std::int64_t{leftMargin} + widest);
    }
    ScrollSizes sizes;
    sizes.total = {ClampSize(width), ClampSize(bottom)};
    sizes.page = {sizes.total.width / 10, sizes.total.height / 10};
    sizes.line = {sizes.page.width / 10, sizes.page.height / 10};
    return sizes;
}

}  // namespace

ScrollSizes ComputeScrollSizes(const std::vector<std::unique_ptr<Tablature>>& tabItems,
                               std::int32_t outerWindowWidth, std::int32_t borderWidth,
                               std::int32_t verticalScrollBarWidth) {
    std::int64_t height = 0;
    std::int64_t widest = 0;
    for (const auto& item : tabItems) {
        const LayoutSize extent = item->GetExtent();
        height = std::max(height, std::int64_t{item->GetLastOrigin().y} + extent.height);
        widest = std::max<std::int64_t>(widest, extent.width);
    }
    const std::int32_t leftMargin = tabItems.empty() ? 0 : tabItems.front()->settings->leftMargin;
    return SizesFor(height, widest, leftMargin, outerWindowWidth, borderWidth,
                    verticalScrollBarWidth);
}

ScrollSizes ComputeScrollSizes(const ViewDocument& document, std::int32_t outerWindowWidth,
                               std::int32_t borderWidth, std::int32_t verticalScrollBarWidth) {
    ViewLayout& layout = document.GetViewLayout();
    const std::optional<std::int64_t> bottom =
        layout.Bottom(*document.settings, document.tabItems.size());
    const std::optional<std::int32_t> widest =
        layout.Widest(*document.settings, document.tabItems.size());
    if (!bottom || !widest) {
        return ComputeScrollSizes(document.tabItems, outerWindowWidth, borderWidth,
                                  verticalScrollBarWidth);
    }
    return SizesFor(*bottom, *widest, document.settings->leftMargin, outerWindowWidth, borderWidth,
                    verticalScrollBarWidth);
}

}  // namespace lutaris
