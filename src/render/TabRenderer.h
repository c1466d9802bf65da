// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

#include "model/Tablature.h"
#include "render/LayoutRect.h"

namespace lutaris {

class Surface;

// Draws one tab item on a surface: its strings as a stack of rectangles, each note's fret text
// and the line or arc of its technique. Layout values become device values through the item's
// integer `scale` and the ratio of the surface's resolution to the screen's, so a printout is
// as large as the screen shows it.
class TabRenderer {
public:
    // `scale` 1 for the view; for the embedded presentation the HIMETRIC units per pixel of the
    // screen (26 at 96 dots per inch).
    static void SetPresentationScale(Tablature& item, bool embedded);

    // `origin` is the item's top-left point and `extent` its size, in layout units; only the
    // width of `extent` is used. Drawing never moves the item: where the view put it
    // (`lastOrigin`) is the view's layout's to say.
    static void Draw(Tablature& item, Surface& surface, LayoutPoint origin, LayoutSize extent,
                     bool highlighted);

    // A box, in layout units, that holds everything Draw paints for the item at `origin` at
    // scale 1 on a surface of the screen's resolution. Generous rather than tight: the view
    // skips items whose box misses the area being repainted.
    static LayoutRect InkBounds(const Tablature& item, LayoutPoint origin, LayoutSize extent);

    // The same box relative to the origin, before it is clamped to 32 bits: it does not depend
    // on where the item stands, so a layout that moves an item need not read its notes again.
    struct InkBox {
        std::int64_t left = 0;
        std::int64_t top = 0;
        std::int64_t right = 0;
        std::int64_t bottom = 0;
        bool operator==(const InkBox&) const = default;
    };
    static InkBox InkAroundOrigin(const Tablature& item, LayoutSize extent);

    // The extent and the ink box together, reading the notes once: what a layout of a whole
    // songbook needs for every item.
    struct Measurement {
        LayoutSize extent;
        InkBox ink;
    };
    static Measurement Measure(const Tablature& item);
    static LayoutRect PlaceInk(const InkBox& ink, LayoutPoint origin);
};

}  // namespace lutaris
