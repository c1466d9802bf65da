#include "render/PresentationPicture.h"

#include <algorithm>

#include "platform/MulDiv.h"
#include "platform/SvgSurface.h"
#include "render/CCorvaneSrvrItem.h"
#include "render/ScreenResolution.h"

namespace lutaris {

std::optional<PresentationPicture::Geometry> PresentationPicture::GeometryOf(
    ViewDocument& document) {
    LayoutSize extent;
    if (!CCorvaneSrvrItem(document).OnGetExtent(DrawAspect::Content, extent)) return std::nullopt;
    const LayoutSize pixels{std::clamp(HimetricToPixels(extent.width, kDpi), 1, kMaxPixels),
                            std::clamp(HimetricToPixels(extent.height, kDpi), 1, kMaxPixels)};
    return Geometry{extent, pixels};
}

std::optional<std::string> PresentationPicture::Svg(ViewDocument& document) {
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
