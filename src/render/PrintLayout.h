// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/Tablature.h"
#include "render/LayoutRect.h"

namespace lutaris {

class Surface;
struct ViewContent;

// The document's tab items laid out for paper. The flow is the screen's (reading order, from
// leftMargin and topMargin, rows nextLineSpacing apart) with the page's printable area in
// place of the window: a row ends before an item that would pass the printable width, and a
// page ends before a row that would pass the printable height, so no item is split between
// pages or cut at an edge. An item that is wider (or higher) than the page on its own starts a
// row (or a page) of its own and is clipped where the page ends: nothing else is cut.
//
// The layout is one pass over the items and keeps where every page begins, so drawing page k
// costs what that page holds. It holds pointers to the items: it is valid while the document
// is not changed.
class PrintLayout {
public:
    struct Placement {
        Tablature* item = nullptr;
        // From the printable area's top-left corner, in layout units.
        LayoutPoint origin;
        LayoutSize extent;
        bool highlighted = false;
    };

    // The printable area of a surface of `dpiY` dots per inch, in layout units: its device
    // size at the renderer's resolution ratio against the screen, less one pen width so that
    // the outline of an item that just fits stays on the paper.
    static LayoutSize PrintableSize(std::int64_t deviceWidth, std::int64_t deviceHeight,
                                    std::int32_t dpiY);

    // Lays the content's items out on pages of `printable` layout units.
    static PrintLayout Build(const ViewContent& content, LayoutSize printable);

    // At least one: a document without items prints one empty page.
    std::size_t PageCount() const { return pageStarts_.size(); }
    // The items of page `index` (from 0) in reading order; empty past the last page.
    std::span<const Placement> Page(std::size_t index) const;

    // Draws page `index` on a surface whose device origin is the printable area's top-left
    // corner. Selected items are highlighted as on the screen; the caret is not drawn and the
    // items keep the origins the screen gave them, which hit tests and the caret rely on.
    void PaintPage(std::size_t index, Surface& surface) const;

private:
    std::vector<Placement> placements_;
    std::vector<std::size_t> pageStarts_{0};
};

}  // namespace lutaris
