// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

#include "model/TabSettings.h"
#include "model/Tablature.h"

namespace lutaris {

// Where the parts of a tab item stand, relative to the item's origin, in layout units at scale
// 1: the grid that the renderer draws on, the caret is drawn on and the mouse is hit-tested
// against, said once. Column c's text cells start at x = (c + 1) × horizontalSpacing; the line
// of string k lies at y = nextLineSpacing / 2 + k × verticalSpacing, and a note's text stands
// textFloat above its line.
//
// Positions come in 64 bits, unclamped: with damaged settings they pass what 32 bits hold, and
// each user clamps or scales them in its own way. The inverse takes the points the view hands
// out (32-bit) and answers with a cell that exists.
class ItemGeometry {
public:
    explicit ItemGeometry(const TabSettings& settings) : settings_(settings) {}

    // The left edge of the text cells of `column`.
    std::int64_t CellLeft(std::int64_t column) const {
        return (column + 1) * settings_.horizontalSpacing;
    }
    // The top of the text cells on `string`.
    std::int64_t CellTop(std::int64_t string) const {
        return StringLine(string) - settings_.textFloat;
    }
    // The y of the line of string `k`.
    std::int64_t StringLine(std::int64_t k) const {
        return settings_.nextLineSpacing / 2 + k * settings_.verticalSpacing;
    }
    // The top-left corner of a text cell of an item standing at `origin`.
    LayoutPoint CellCorner(LayoutPoint origin, std::int32_t column, std::int32_t string) const;

    // The item's box for its greatest note column (−1 without notes): (MaxColumn + 3) ×
    // horizontalSpacing wide, so that a column is left free on either side of the notes, and
    // nextLineSpacing + (numberOfStrings − 1) × verticalSpacing high. Clamped to 32 bits.
    LayoutSize Box(std::int32_t maxColumnOrMinusOne) const;

    // The column whose cells start nearest to `x` (each owns half a spacing on either side,
    // divisions truncating), from 0 up to one past `maxColumn`, where a new column would start.
    std::int32_t ColumnAt(std::int32_t x, std::int32_t maxColumn) const;
    // The string whose line lies nearest to `y` (each owns half a spacing on either side,
    // halves going down the staff), from 0 to numberOfStrings − 1: a note on any other string
    // would have no line to be drawn or written on.
    std::int32_t StringAt(std::int32_t y) const;

private:
    const TabSettings& settings_;
};

}  // namespace lutaris
