#include "render/ViewPainter.h"

#include <algorithm>
#include <limits>

#include "edit/TabCursor.h"
#include "model/CCorvaneDoc.h"
#include "platform/Surface.h"
#include "render/CaretRenderer.h"
#include "render/ScreenResolution.h"
#include "render/TabRenderer.h"

namespace lutaris {
namespace {

std::int32_t ClampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

LayoutPoint Plus(LayoutPoint a, LayoutPoint b) {
    return {ClampToInt32(std::int64_t{a.x} + b.x), ClampToInt32(std::int64_t{a.y} + b.y)};
}

// The items in reading order: the first item in list order for each position 0 … n − 1. Built
// once per paint, so a paint stays linear in the number of items.
std::vector<Tablature*> ItemsByPosition(const std::vector<std::unique_ptr<Tablature>>& items) {
    std::vector<Tablature*> byPosition(items.size(), nullptr);
    for (const auto& item : items) {
        const std::int32_t position = item->position;
        if (position < 0 || static_cast<std::size_t>(position) >= byPosition.size()) continue;
        if (byPosition[position] == nullptr) byPosition[position] = item.get();
    }
    return byPosition;
}

std::vector<bool> SelectedPositions(const std::vector<Tablature*>& selection, std::size_t count) {
    std::vector<bool> selected(count, false);
    for (const Tablature* item : selection) {
        if (item == nullptr || item->position < 0) continue;
        if (static_cast<std::size_t>(item->position) < count) selected[item->position] = true;
    }
    return selected;
}

void DrawSelectionLine(const SelectionLine& line, Surface& surface) {
    const Pen previous = surface.SelectPen(Pen{PenStyle::Dot, 1, kBlack});
    const LayoutPoint from = Plus(line.anchorPoint, line.anchorScroll);
    const LayoutPoint to = Plus(line.dragPoint, line.releaseScroll);
    surface.MoveTo(from.x, from.y);
    surface.LineTo(to.x, to.y);
    surface.SelectPen(previous);
}

}  // namespace

std::size_t ViewPainter::Paint(const CCorvaneDoc& document, Surface& surface,
                               const ViewPaintState& state) {
    return Paint(ViewContent{*document.settings, document.tabItems, document.selection,
                             document.cursor.get()},
                 surface, state);
}

std::size_t ViewPainter::Paint(const ViewContent& content, Surface& surface,
                               const ViewPaintState& state) {
    const TabSettings& settings = content.settings;
    const std::vector<Tablature*> byPosition = ItemsByPosition(content.tabItems);
    const std::vector<bool> selected = SelectedPositions(content.selection, byPosition.size());
    // The exposed area is in layout units; it says where device pixels are only when the
    // surface has the screen's resolution (a printer gets everything drawn).
    const bool cull =
        state.exposed.has_value() && surface.LogPixelsY() == GetScreenResolution().dpiY;

    std::size_t drawn = 0;
    std::int64_t x = settings.leftMargin;
    std::int64_t y = settings.topMargin;
    for (std::size_t i = 0; i < byPosition.size(); ++i) {
        Tablature* item = byPosition[i];
        if (item == nullptr) continue;
        const LayoutSize extent = item->GetExtent();
        LayoutPoint origin{ClampToInt32(x), ClampToInt32(y)};
        if (x + extent.width > state.windowWidth) {
            origin = {settings.leftMargin,
                      ClampToInt32(y + extent.height + settings.nextLineSpacing)};
        }
        TabRenderer::SetPresentationScale(*item, false);
        if (cull && !TabRenderer::InkBounds(*item, origin, extent).Intersects(*state.exposed)) {
            item->lastOrigin = origin;
        } else {
            TabRenderer::Draw(*item, surface, origin, extent, selected[i], false);
            ++drawn;
        }
        x = std::int64_t{origin.x} + extent.width;
        y = origin.y;
    }

    if (state.selectionLine.selecting) DrawSelectionLine(state.selectionLine, surface);
    if (!state.printing && content.cursor != nullptr) DrawCaret(*content.cursor, surface);
    return drawn;
}

}  // namespace lutaris
