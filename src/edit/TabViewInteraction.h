// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>

#include "model/Tablature.h"
#include "render/ViewPainter.h"

namespace lutaris {

class ViewDocument;

// The mouse cursor shape a gesture asks for.
enum class ViewCursorShape { Unchanged, Arrow, SizeAll, SizeNS };

// What the widget has to do after a gesture.
struct ViewResponse {
    bool repaint = false;
    ViewCursorShape cursor = ViewCursorShape::Unchanged;
    // Page Up and Page Down: the vertical scroll position to go to.
    std::optional<std::int32_t> scrollToY = std::nullopt;
    // A key the caret acted on: the view brings the caret's item into sight, so that nobody
    // types into a note off screen. The page keys scroll away from it and leave it there.
    bool followCaret = false;
};

// The view's handling of mouse gestures and keys without the widget: hit tests, placing the
// caret, the drag-selection, the right-button move of the selection and the keys. Points are
// client points plus the scroll position the widget reports, all in layout units.
class TabViewInteraction {
public:
    explicit TabViewInteraction(ViewDocument& document) : document_(document) {}

    // Both edges of the item's last drawn box count as inside.
    static bool HitTabItem(LayoutPoint point, const Tablature& item);
    // Puts the caret on the cell under `pointInItem` (relative to the item's lastOrigin).
    void PlaceCursor(LayoutPoint pointInItem, Tablature& item);
    // The selected items become one block right before the item at `targetPosition`, in their
    // reading order; every position is renumbered 0 … n − 1. Nothing is marked modified here:
    // the gestures that move (the right-button release, a drop) run the update step.
    void MoveSelectionBefore(std::int32_t targetPosition);
    // The position of the item at a document point, the last hit in list order.
    std::optional<std::int32_t> PositionAt(LayoutPoint documentPoint) const;
    bool HitsSelectedItem(LayoutPoint documentPoint) const;

    ViewResponse OnLButtonDown(LayoutPoint client, LayoutPoint scroll);
    ViewResponse OnLButtonDblClk(LayoutPoint client, LayoutPoint scroll);
    ViewResponse OnMouseMove(LayoutPoint client);
    ViewResponse OnLButtonUp(LayoutPoint client, LayoutPoint scroll);
    ViewResponse OnRButtonDown(LayoutPoint client, LayoutPoint scroll);
    ViewResponse OnRButtonUp(LayoutPoint client, LayoutPoint scroll);
    // Something was dropped at `client`: the clipboard, not the dropped data, decides what
    // happens (the document's clipboard and prompter show the outcome).
    ViewResponse OnDrop(LayoutPoint client, LayoutPoint scroll);
    // A key-down as a virtual-key code.
    ViewResponse OnKeyDown(std::int32_t virtualKey, LayoutPoint scroll);

    // The drag-selection: the double click's point and scroll position, where the drag ends
    // now and the scroll position at the last release.
    const SelectionLine& Selection() const { return line_; }
    bool Selecting() const { return line_.selecting; }

    bool MovingSelection() const { return movingSelection_; }
    bool RightPlacing() const { return rightPlacing_; }

    // Page Up and Page Down move by this many layout units.
    static constexpr std::int32_t kPageStep = 300;

private:
    ViewDocument& document_;
    SelectionLine line_;
    bool movingSelection_ = false;
    bool rightPlacing_ = false;
};

}  // namespace lutaris
