// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/ViewPainter.h"

#include "model/ReadingOrder.h"
#include "model/TabCursor.h"
#include "platform/runtime/Int32Math.h"
#include "platform/surface/Surface.h"
#include "render/CaretRenderer.h"
#include "render/ScreenResolution.h"
#include "render/TabRenderer.h"
#include "render/ViewDocument.h"
#include "render/ViewLayout.h"

namespace lutaris {
namespace {

LayoutPoint Plus(LayoutPoint a, LayoutPoint b) {
    return {ClampToInt32(std::int64_t{a.x} + b.x), ClampToInt32(std::int64_t{a.y} + b.y)};
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

std::size_t ViewPainter::Paint(const ViewDocument& document, Surface& surface,
                               const ViewPaintState& state) {
    return Paint(ViewContent{*document.settings, document.tabItems, document.selection,
                             document.cursor.get(), &document.GetViewLayout()},
                 surface, state);
}

std::size_t ViewPainter::Paint(const ViewContent& content, Surface& surface,
                               const ViewPaintState& state) {
    ViewLayout ownLayout;
    ViewLayout& layout = content.layout != nullptr ? *content.layout : ownLayout;
    layout.LayOut(content.settings, content.tabItems, state.windowWidth);

    // The exposed area is in layout units; it says where device pixels are only when the
    // surface has the screen's resolution (a printer gets everything drawn).
    const bool cull =
        state.exposed.has_value() && surface.LogPixelsY() == GetScreenResolution().dpiY;
    const std::vector<bool> selected =
        SelectedPositions(content.selection, content.tabItems.size());
    std::size_t drawn = 0;
    layout.ForEachMeeting(
        cull ? state.exposed : std::nullopt, [&](const ViewLayout::Placed& placed) {
            const std::int64_t position = placed.item->position;
            const bool highlighted = position >= 0 &&
                                     static_cast<std::size_t>(position) < selected.size() &&
                                     selected[static_cast<std::size_t>(position)];
            TabRenderer::SetPresentationScale(*placed.item, false);
            TabRenderer::Draw(*placed.item, surface, placed.origin, placed.extent, highlighted);
            ++drawn;
        });
    if (state.selectionLine.selecting) DrawSelectionLine(state.selectionLine, surface);
    if (!state.printing && content.cursor != nullptr) {
        if (content.cursor->tabItem != nullptr) {
            layout.UpdateLastOrigin(content.settings, content.tabItems.size(),
                                    *content.cursor->tabItem);
        }
        DrawCaret(*content.cursor, surface);
    }
    return drawn;
}

void ViewPainter::LayOut(const ViewDocument& document, std::int32_t windowWidth) {
    ViewLayout& layout = document.GetViewLayout();
    layout.LayOut(*document.settings, document.tabItems, windowWidth);
    if (document.cursor != nullptr && document.cursor->tabItem != nullptr) {
        layout.UpdateLastOrigin(*document.settings, document.tabItems.size(),
                                *document.cursor->tabItem);
    }
    // Nothing changes between here and the paint, which then draws from this layout.
    layout.NothingMoved();
}

}  // namespace lutaris
