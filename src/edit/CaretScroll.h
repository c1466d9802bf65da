// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

#include "model/Tablature.h"

namespace lutaris {

class TabCursor;

// Where the view scrolls to bring the caret into sight after a key or a command moved it: the
// scroll position nearest the present one at which the caret's tab item, as last laid out, lies
// wholly inside the viewport. Along an axis where the item is larger than the viewport, the
// caret's text cell is brought into sight instead. Positions are in layout units; the caller's
// scroll range clamps the answer.
class CaretScroll {
public:
    static LayoutPoint ToShow(const TabCursor& cursor, LayoutPoint scroll, LayoutSize viewport);

    // Along one axis: the nearest start of a window `visible` units long that holds `first` to
    // `last` (both included), or that starts at `first` when they do not fit. A window of no
    // length stays where it is.
    static std::int32_t Along(std::int64_t first, std::int64_t last, std::int32_t scroll,
                              std::int32_t visible);
};

}  // namespace lutaris
