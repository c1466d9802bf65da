#include "render/ScrollSizes.h"

#include <algorithm>
#include <optional>

#include "platform/runtime/Int32Math.h"
#include "render/ViewDocument.h"
#include "render/ViewLayout.h"

namespace lutaris {
namespace {

std::int32_t ClampSize(std::int64_t value) { return std::max(0, ClampToInt32(value)); }

ScrollSizes SizesFor(std::int64_t bottom, std::int32_t outerWindowWidth, std::int32_t borderWidth,
                     std::int32_t verticalScrollBarWidth) {
    std::int64_t width = outerWindowWidth;
    if (width != 0) width = width - 2 * std::int64_t{borderWidth} - verticalScrollBarWidth - 1;
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
    for (const auto& item : tabItems) {
        height = std::max(height, std::int64_t{item->GetLastOrigin().y} + item->GetExtent().height);
    }
    return SizesFor(height, outerWindowWidth, borderWidth, verticalScrollBarWidth);
}

ScrollSizes ComputeScrollSizes(const ViewDocument& document, std::int32_t outerWindowWidth,
                               std::int32_t borderWidth, std::int32_t verticalScrollBarWidth) {
    const std::optional<std::int64_t> bottom =
        document.GetViewLayout().Bottom(*document.settings, document.tabItems.size());
    if (!bottom) {
        return ComputeScrollSizes(document.tabItems, outerWindowWidth, borderWidth,
                                  verticalScrollBarWidth);
    }
    return SizesFor(*bottom, outerWindowWidth, borderWidth, verticalScrollBarWidth);
}

}  // namespace lutaris
