#include "render/ScrollSizes.h"

#include <algorithm>
#include <limits>

namespace lutaris {
namespace {

std::int32_t ClampSize(std::int64_t value) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, 0, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

ScrollSizes ComputeScrollSizes(const std::vector<std::unique_ptr<Tablature>>& tabItems,
                               std::int32_t outerWindowWidth, std::int32_t borderWidth,
                               std::int32_t verticalScrollBarWidth) {
    std::int64_t width = outerWindowWidth;
    if (width != 0) width = width - 2 * std::int64_t{borderWidth} - verticalScrollBarWidth - 1;
    std::int64_t height = 0;
    for (const auto& item : tabItems) {
        height = std::max(height, std::int64_t{item->GetLastOrigin().y} + item->GetExtent().height);
    }
    ScrollSizes sizes;
    sizes.total = {ClampSize(width), ClampSize(height)};
    sizes.page = {sizes.total.width / 10, sizes.total.height / 10};
    sizes.line = {sizes.page.width / 10, sizes.page.height / 10};
    return sizes;
}

}  // namespace lutaris
