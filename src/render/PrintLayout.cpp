// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/PrintLayout.h"

#include <algorithm>
#include <cmath>

#include "model/ReadingOrder.h"
#include "platform/runtime/Int32Math.h"
#include "platform/surface/Surface.h"
#include "render/RowFlow.h"
#include "render/ScreenResolution.h"
#include "render/TabRenderer.h"
#include "render/ViewPainter.h"

namespace lutaris {
LayoutSize PrintLayout::PrintableSize(std::int64_t deviceWidth, std::int64_t deviceHeight,
                                      std::int32_t dpiY) {
    // The renderer's ratio, in the renderer's precision: what one layout unit becomes.
    float ratio = static_cast<float>(dpiY) / static_cast<float>(GetScreenResolution().dpiY);
    if (!std::isfinite(ratio) || ratio <= 0.0F) ratio = 1.0F;
    const double pen = std::trunc(static_cast<double>(ratio));
    const auto toLayout = [&](std::int64_t device) {
        const double usable = static_cast<double>(device) - pen;
        if (usable <= 0) return std::int32_t{0};
        return ClampToInt32(static_cast<std::int64_t>(
            std::min(std::floor(usable / static_cast<double>(ratio)), 2147483647.0)));
    };
    return {toLayout(deviceWidth), toLayout(deviceHeight)};
}

PrintLayout PrintLayout::Build(const ViewContent& content, LayoutSize printable) {
    const TabSettings& settings = content.settings;
    const std::vector<Tablature*> byPosition = ItemsByPosition(content.tabItems);
    const std::vector<bool> selected = SelectedPositions(content.selection, byPosition.size());

    PrintLayout layout;
    layout.placements_.reserve(byPosition.size());
    const RowFlow flow(settings.leftMargin, printable.width);
    RowFlow::Row row = flow.Start();
    std::int64_t rowTop = settings.topMargin;
    std::int64_t rowBottom = rowTop;
    bool pageEmpty = true;
    for (std::size_t i = 0; i < byPosition.size(); ++i) {
        Tablature* item = byPosition[i];
        if (item == nullptr) continue;
        const LayoutSize extent = item->GetExtent();
        const RowFlow::Place place =
            flow.Next(row, extent.width, rowTop + extent.height > printable.height);
        if (place.newRow) rowTop = rowBottom + settings.nextLineSpacing;
        if (place.startsRow && !pageEmpty && rowTop + extent.height > printable.height) {
            layout.pageStarts_.push_back(layout.placements_.size());
            rowTop = settings.topMargin;
        }
        const std::int64_t bottom = rowTop + extent.height;
        rowBottom = place.startsRow ? bottom : std::max(rowBottom, bottom);
        layout.placements_.push_back({item, {place.x, ClampToInt32(rowTop)}, extent, selected[i]});
        pageEmpty = false;
    }
    return layout;
}

std::span<const PrintLayout::Placement> PrintLayout::Page(std::size_t index) const {
    if (index >= pageStarts_.size()) return {};
    const std::size_t begin = pageStarts_[index];
    const std::size_t end =
        index + 1 < pageStarts_.size() ? pageStarts_[index + 1] : placements_.size();
    return std::span<const Placement>(placements_).subspan(begin, end - begin);
}

void PrintLayout::PaintPage(std::size_t index, Surface& surface) const {
    for (const Placement& placement : Page(index)) {
        TabRenderer::SetPresentationScale(*placement.item, false);
        TabRenderer::Draw(*placement.item, surface, placement.origin, placement.extent,
                          placement.highlighted);
    }
}

}  // namespace lutaris
