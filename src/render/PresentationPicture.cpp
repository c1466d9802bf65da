// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/PresentationPicture.h"

#include <algorithm>

#include "platform/runtime/MulDiv.h"
#include "render/ViewDocument.h"
#include "platform/surface/SvgSurface.h"
#include "render/CCorvaneSrvrItem.h"
#include "render/ScreenResolution.h"

namespace lutaris {

bool PresentationPicture::HasTooManyElements(const TabDocument& document) {
    const std::int64_t lines = std::max<std::int64_t>(document.settings->numberOfStrings, 1);
    std::int64_t elements = 0;
    for (const auto& item : document.tabItems) {
        elements += lines + static_cast<std::int64_t>(item->notes.size());
        if (elements > kMaxElements) return true;
    }
    return false;
}

std::optional<PresentationPicture::Geometry> PresentationPicture::GeometryOf(
    ViewDocument& document) {
    LayoutSize extent;
    if (!CCorvaneSrvrItem(document).OnGetExtent(DrawAspect::Content, extent)) return std::nullopt;
    const LayoutSize pixels{std::clamp(HimetricToPixels(extent.width, kDpi), 1, kMaxPixels),
                            std::clamp(HimetricToPixels(extent.height, kDpi), 1, kMaxPixels)};
    return Geometry{extent, pixels};
}

std::optional<std::string> PresentationPicture::Svg(ViewDocument& document) {
    if (HasTooManyElements(document)) return std::nullopt;
    const auto geometry = GeometryOf(document);
    if (!geometry) return std::nullopt;
    const ScreenResolution screen = GetScreenResolution();
    SvgSurface svg(geometry->pixels.width, geometry->pixels.height, screen.dpiX, screen.dpiY);
    svg.SetPhysicalSize(geometry->extent.width, geometry->extent.height);
    LayoutSize drawn;
    CCorvaneSrvrItem(document).OnDraw(svg, drawn);
    return svg.Document();
}

}  // namespace lutaris
