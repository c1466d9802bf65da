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

// Every item laid out in reading order and the ones meeting the exposed area drawn (all of them
// without culling, none without a surface); the layout is kept for the next keystroke where the
// content has a place for it.
std::size_t LayOutAndPaint(const ViewContent& content, Surface* surface,
                           const ViewPaintState& state, bool cull) {
    const TabSettings& settings = content.settings;
    const std::vector<Tablature*> byPosition = ItemsByPosition(content.tabItems);
    const std::vector<bool> selected = SelectedPositions(content.selection, byPosition.size());
    ViewLayout* layout = content.layout;
    if (layout != nullptr) layout->Begin(settings, state.windowWidth, byPosition.size());

    std::size_t drawn = 0;
    std::int64_t x = settings.leftMargin;
    std::int64_t y = settings.topMargin;
    for (std::size_t i = 0; i < byPosition.size(); ++i) {
        Tablature* item = byPosition[i];
        if (item == nullptr) continue;
        const TabRenderer::Measurement measured = TabRenderer::Measure(*item);
        const LayoutSize extent = measured.extent;
        LayoutPoint origin{ClampToInt32(x), ClampToInt32(y)};
        if (x + extent.width > state.windowWidth) {
            origin = {settings.leftMargin,
                      ClampToInt32(y + extent.height + settings.nextLineSpacing)};
        }
        TabRenderer::SetPresentationScale(*item, false);
        const TabRenderer::InkBox& ink = measured.ink;
        const LayoutRect inkBounds = TabRenderer::PlaceInk(ink, origin);
        item->lastOrigin = origin;
        if (surface != nullptr && !(cull && !inkBounds.Intersects(*state.exposed))) {
            TabRenderer::Draw(*item, *surface, origin, extent, selected[i]);
            ++drawn;
        }
        if (layout != nullptr) {
            layout->Add({item, origin, extent.width, extent.height, ink, inkBounds});
        }
        x = std::int64_t{origin.x} + extent.width;
        y = origin.y;
    }
    if (layout != nullptr) layout->Finish(content.tabItems.size());
    return drawn;
}

// The items of a kept layout that meet the exposed area, in reading order. The others stand
// where the layout put them, and their lastOrigin says so already.
std::size_t PaintFromLayout(const ViewContent& content, const ViewLayout& layout, Surface& surface,
                            const LayoutRect& exposed) {
    const std::vector<bool> selected =
        SelectedPositions(content.selection, layout.Entries().size());
    std::size_t drawn = 0;
    layout.ForEachMeeting(exposed, [&](std::size_t position, const ViewLayout::Entry& entry) {
        TabRenderer::SetPresentationScale(*entry.item, false);
        TabRenderer::Draw(*entry.item, surface, entry.origin, {entry.width, entry.height},
                          selected[position]);
        ++drawn;
    });
    return drawn;
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
    // The exposed area is in layout units; it says where device pixels are only when the
    // surface has the screen's resolution (a printer gets everything drawn).
    const bool cull =
        state.exposed.has_value() && surface.LogPixelsY() == GetScreenResolution().dpiY;
    ViewLayout* layout = content.layout;
    std::size_t drawn = 0;
    if (cull && layout != nullptr &&
        layout->Update(content.settings, state.windowWidth, content.tabItems.size())) {
        drawn = PaintFromLayout(content, *layout, surface, *state.exposed);
    } else {
        drawn = LayOutAndPaint(content, &surface, state, cull);
    }
    if (state.selectionLine.selecting) DrawSelectionLine(state.selectionLine, surface);
    if (!state.printing && content.cursor != nullptr) DrawCaret(*content.cursor, surface);
    return drawn;
}

void ViewPainter::LayOut(const ViewDocument& document, std::int32_t windowWidth) {
    const ViewContent content{*document.settings, document.tabItems, document.selection,
                              document.cursor.get(), &document.GetViewLayout()};
    ViewLayout& layout = *content.layout;
    if (!layout.Update(content.settings, windowWidth, content.tabItems.size())) {
        ViewPaintState state;
        state.windowWidth = windowWidth;
        LayOutAndPaint(content, nullptr, state, false);
    }
    // Nothing changes between here and the paint, which then draws from this layout.
    layout.NothingMoved();
}

}  // namespace lutaris
