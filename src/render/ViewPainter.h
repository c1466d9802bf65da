// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "model/Tablature.h"
#include "render/LayoutRect.h"

namespace lutaris {

class ViewDocument;
class Surface;
class TabCursor;
class ViewLayout;

// The drag-selection line: from the double click's point to where the drag now ends, each a
// client point plus the scroll position it was taken at.
struct SelectionLine {
    bool selecting = false;
    LayoutPoint anchorPoint;
    LayoutPoint anchorScroll;
    LayoutPoint dragPoint;
    LayoutPoint releaseScroll;
};

// What a paint of the view needs besides the document.
struct ViewPaintState {
    // The view window's outer width (borders and scroll bar included): where the flow wraps.
    std::int32_t windowWidth = 0;
    SelectionLine selectionLine;
    // Printing and print preview leave the caret out.
    bool printing = false;
    // The area to repaint, in document coordinates; none means everything. Items outside it are
    // laid out but not drawn.
    std::optional<LayoutRect> exposed;
};

// The parts of the document that a paint reads.
struct ViewContent {
    const TabSettings& settings;
    const std::vector<std::unique_ptr<Tablature>>& tabItems;
    const std::vector<Tablature*>& selection;
    const TabCursor* cursor = nullptr;
    // Where the layout is kept between paints (the document's); none lays out afresh each time.
    ViewLayout* layout = nullptr;
};

// The view's paint, with no window system in it: the widget, printing, preview and the
// command-line tool share it. The surface is in document coordinates (a widget translates it
// by the scroll position). The paint lays the items out first (ViewLayout: in `position` order
// from (leftMargin, topMargin), a new row whenever the next item would pass the window's width)
// and then draws from that layout the items that meet the exposed area, found without looking
// at the others; selected items are drawn highlighted; then come the drag-selection line and,
// unless printing, the caret. After a paint the caller updates its scroll range
// (ComputeScrollSizes), since the range follows the items' new places.
//
// After a change the document described (a keystroke, a command that inserted, removed or
// moved items) the layout starts from the one the previous paint kept, so that the cost of a
// paint follows the change and the screen, not the document. The origins it gives the items it
// draws and the calls it makes are those of a paint that lays everything out afresh.
class ViewPainter {
public:
    // Returns how many tab items were drawn (the others lay outside the exposed area).
    static std::size_t Paint(const ViewDocument& document, Surface& surface,
                             const ViewPaintState& state);
    static std::size_t Paint(const ViewContent& content, Surface& surface,
                             const ViewPaintState& state);
    // Lays the document's items out as the next paint at this window width will and draws
    // nothing: for a view that must know where the caret's item stands before it paints (to
    // scroll to it), which the caret's item's lastOrigin then says. The next paint starts from
    // this layout.
    static void LayOut(const ViewDocument& document, std::int32_t windowWidth);
};

}  // namespace lutaris
