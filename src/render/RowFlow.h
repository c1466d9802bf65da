// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

#include "platform/runtime/Int32Math.h"

namespace lutaris {

// Tab items side by side in reading order, from the left margin, a new row beginning before an
// item that would pass the end of the row: the one rule by which the view (at its window's
// width) and the printed page (at its printable width) break rows. An item wider than the whole
// row stays on a row that holds nothing yet, so it takes a row of its own and no row is left
// empty above it (the view scrolls sideways to the part past the window's edge, paper clips it
// at the page's edge). Where the rows stand is the caller's: the view steps them
// nextLineSpacing apart below its equally high items, the page also starts new pages.
class RowFlow {
public:
    RowFlow(std::int32_t leftMargin, std::int64_t rowEnd)
        : leftMargin_(leftMargin), rowEnd_(rowEnd) {}

    // Where the next item would go on the current row.
    struct Row {
        std::int64_t x = 0;
        bool empty = true;
    };
    Row Start() const { return {leftMargin_, true}; }
    // The row going on after an item that stands at `x`, `width` wide.
    static Row After(std::int32_t x, std::int32_t width) {
        return {std::int64_t{x} + width, false};
    }

    struct Place {
        std::int32_t x = 0;
        bool newRow = false;     // the item begins a row below the one before
        bool startsRow = false;  // nothing stands before it on its row
    };
    // Places an item `width` wide and moves the row on past it. `endRow` ends a row that holds
    // items already before this one, for a reason of the caller's (no room below on the page).
    Place Next(Row& row, std::int32_t width, bool endRow = false) const {
        const bool passesEnd = row.x + width > rowEnd_;
        const bool newRow = !row.empty && (passesEnd || endRow);
        if (newRow) row.x = leftMargin_;
        const Place place{ClampToInt32(row.x), newRow, newRow || row.empty};
        row = After(place.x, width);
        return place;
    }

private:
    std::int32_t leftMargin_;
    std::int64_t rowEnd_;
};

}  // namespace lutaris
