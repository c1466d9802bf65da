// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/Tablature.h"

namespace lutaris {

class ViewDocument;

// The view's scroll range: the total size and the steps of a page and a line, in layout units.
struct ScrollSizes {
    LayoutSize total;
    LayoutSize page;
    LayoutSize line;
    bool operator==(const ScrollSizes&) const = default;
};

// The arithmetic of the view's UpdateScrollSizes. The width follows the window (its outer width
// less two borders and a vertical scroll bar, and one more pixel), so the items flow within the
// window; only an item wider than the window widens the range, to the item and a left margin's
// width past it, so that it can be scrolled to sideways. The height reaches the bottom of the
// lowest item as last drawn. Negative sizes become 0. A page is a tenth of the total and a line a
// tenth of a page.
ScrollSizes ComputeScrollSizes(const std::vector<std::unique_ptr<Tablature>>& tabItems,
                               std::int32_t outerWindowWidth, std::int32_t borderWidth,
                               std::int32_t verticalScrollBarWidth);
// The same for the document's items, from the layout its view keeps, brought up to date with
// the changes described since its last paint: no pass over the items after every change.
ScrollSizes ComputeScrollSizes(const ViewDocument& document, std::int32_t outerWindowWidth,
                               std::int32_t borderWidth, std::int32_t verticalScrollBarWidth);

}  // namespace lutaris
