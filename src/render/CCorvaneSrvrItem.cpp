// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/CCorvaneSrvrItem.h"

#include <algorithm>
#include <vector>

#include "platform/runtime/Int32Math.h"
#include "platform/runtime/MulDiv.h"
#include "platform/surface/Surface.h"
#include "render/ScreenResolution.h"
#include "render/TabRenderer.h"
#include "render/ViewDocument.h"

namespace lutaris {
namespace {

// For each position held, from the smallest to the greatest, the first item in list order.
std::vector<Tablature*> ItemsInReadingOrder(const std::vector<std::unique_ptr<Tablature>>& items) {
    std::vector<Tablature*> ordered;
    ordered.reserve(items.size());
    for (const auto& item : items) ordered.push_back(item.get());
    std::stable_sort(ordered.begin(), ordered.end(), [](const Tablature* a, const Tablature* b) {
        return a->position < b->position;
    });
    ordered.erase(std::unique(ordered.begin(), ordered.end(),
                              [](const Tablature* a, const Tablature* b) {
                                  return a->position == b->position;
                              }),
                  ordered.end());
    return ordered;
}

}  // namespace

CCorvaneSrvrItem::CCorvaneSrvrItem(ViewDocument& document, bool linked)
    : document_(document), linked_(linked) {}

LayoutSize CCorvaneSrvrItem::ContentSize() const {
    const TabSettings& settings = *document_.settings;
    std::int64_t width = 2 * std::int64_t{settings.leftMargin};
    std::int64_t height = 2 * std::int64_t{settings.topMargin};
    for (const auto& item : document_.tabItems) width += item->GetExtent().width;
    // All items are equally high: the height depends on the settings only.
    if (!document_.tabItems.empty()) height += document_.tabItems.front()->GetExtent().height;
    return {ClampToInt32(width), ClampToInt32(height)};
}

bool CCorvaneSrvrItem::OnGetExtent(DrawAspect aspect, LayoutSize& size) const {
    if (aspect != DrawAspect::Content) return false;
    if (document_.tabItems.empty()) return false;
    const LayoutSize content = ContentSize();
    const ScreenResolution screen = GetScreenResolution();
    size = {PixelsToHimetric(content.width, screen.dpiX),
            PixelsToHimetric(content.height, screen.dpiY)};
    return true;
}

bool CCorvaneSrvrItem::OnDraw(Surface& surface, LayoutSize& size) {
    if (document_.tabItems.empty()) return false;
    const LayoutSize content = ContentSize();
    size = {PixelsToHimetric(content.width, surface.LogPixelsX()),
            PixelsToHimetric(content.height, surface.LogPixelsY())};
    surface.SetWindowExtent(size.width, size.height);

    // One row from the top-left corner, without margins: the room the margins add to the size
    // lies to the right of and below the items. The presentation's scale stays in the items
    // until the view draws them, which sets it back on every item it draws; where the view put
    // them is not touched.
    std::int64_t x = 0;
    for (Tablature* item : ItemsInReadingOrder(document_.tabItems)) {
        TabRenderer::SetPresentationScale(*item, true);
        const LayoutSize extent = item->GetExtent();
        TabRenderer::Draw(*item, surface, {ClampToInt32(x), 0}, extent, false);
        x += extent.width;
    }
    return true;
}

void CCorvaneSrvrItem::Serialize(Archive& archive) {
    if (!linked_) document_.Serialize(archive);
}

}  // namespace lutaris
