// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/TabViewInteraction.h"

#include <algorithm>

#include "edit/CursorResultApplier.h"
#include "edit/DragSelection.h"
#include "edit/DropHandler.h"
#include "edit/SelectionMover.h"
#include "model/TabCursor.h"
#include "platform/keys/VirtualKeyCodes.h"
#include "render/ViewDocument.h"

namespace lutaris {

namespace {

LayoutPoint Add(LayoutPoint a, LayoutPoint b) { return {a.x + b.x, a.y + b.y}; }
LayoutPoint Subtract(LayoutPoint a, LayoutPoint b) { return {a.x - b.x, a.y - b.y}; }

}  // namespace

bool TabViewInteraction::HitTabItem(LayoutPoint point, const Tablature& item) {
    const LayoutPoint origin = item.GetLastOrigin();
    const LayoutSize extent = item.GetExtent();
    // In 64 bits: damaged settings can put the far edge beyond 32 bits.
    const std::int64_t right = std::int64_t{origin.x} + extent.width;
    const std::int64_t bottom = std::int64_t{origin.y} + extent.height;
    return origin.x <= point.x && point.x <= right && origin.y <= point.y && point.y <= bottom;
}

void TabViewInteraction::PlaceCursor(LayoutPoint pointInItem, Tablature& item) {
    TabCursor& cursor = *document_.cursor;
    cursor.tabItem = &item;
    const std::int32_t column = cursor.ColumnAt(pointInItem);
    const std::int32_t string = cursor.StringAt(pointInItem);
    if (const TabNote* note = cursor.FindNote(column, string)) {
        cursor.current = *note;
        return;
    }
    cursor.ClearNotes();
    cursor.current.string = string;
    cursor.current.column = column;
    cursor.current.action = NoNote;
}

void TabViewInteraction::MoveSelectionBefore(std::int32_t targetPosition) {
    SelectionMover(document_).MoveBefore(targetPosition);
}

std::optional<std::int32_t> TabViewInteraction::PositionAt(LayoutPoint documentPoint) const {
    document_.UpdateLastOrigins();
    std::optional<std::int32_t> position;
    for (const auto& item : document_.tabItems)
        if (HitTabItem(documentPoint, *item)) position = item->position;
    return position;
}

bool TabViewInteraction::HitsSelectedItem(LayoutPoint documentPoint) const {
    document_.UpdateLastOrigins();
    for (const Tablature* item : document_.selection)
        if (HitTabItem(documentPoint, *item)) return true;
    return false;
}

ViewResponse TabViewInteraction::OnLButtonDown(LayoutPoint client, LayoutPoint scroll) {
    const LayoutPoint point = Add(client, scroll);
    document_.UpdateLastOrigins();
    // Where two items touch, the later one in list order wins.
    for (const auto& item : document_.tabItems)
        if (HitTabItem(point, *item)) PlaceCursor(Subtract(point, item->GetLastOrigin()), *item);
    return {.repaint = true};
}

ViewResponse TabViewInteraction::OnLButtonDblClk(LayoutPoint client, LayoutPoint scroll) {
    line_.anchorScroll = scroll;
    line_.anchorPoint = client;
    line_.dragPoint = client;
    line_.selecting = true;
    DragSelection(document_).Begin();
    return {};
}

ViewResponse TabViewInteraction::OnMouseMove(LayoutPoint client) {
    ViewResponse response;
    if (line_.selecting) {
        line_.dragPoint = client;
        response.repaint = true;
    }
    if (movingSelection_) response.cursor = ViewCursorShape::SizeAll;
    if (rightPlacing_) response.cursor = ViewCursorShape::SizeNS;
    return response;
}

ViewResponse TabViewInteraction::OnLButtonUp(LayoutPoint client, LayoutPoint scroll) {
    ViewResponse response;
    line_.releaseScroll = scroll;
    if (line_.selecting) {
        line_.dragPoint = client;
        const LayoutPoint startPoint = Add(line_.anchorPoint, line_.anchorScroll);
        const LayoutPoint endPoint = Add(client, line_.releaseScroll);
        // Where two items touch, the later one in list order counts for either end.
        DragSelection(document_).End(PositionAt(startPoint), PositionAt(endPoint),
                                     document_.GetClipboard());
        response.repaint = true;
    }
    line_.selecting = false;
    return response;
}

ViewResponse TabViewInteraction::OnRButtonDown(LayoutPoint client, LayoutPoint scroll) {
    ViewResponse response{.repaint = true};
    const LayoutPoint point = Add(client, scroll);
    if (!document_.selection.empty()) {
        if (HitsSelectedItem(point)) {
            movingSelection_ = true;
            response.cursor = ViewCursorShape::SizeAll;
        }
        return response;
    }
    document_.UpdateLastOrigins();
    for (const auto& item : document_.tabItems) {
        if (!HitTabItem(point, *item)) continue;
        PlaceCursor(Subtract(point, item->GetLastOrigin()), *item);
        rightPlacing_ = true;
        response.cursor = ViewCursorShape::SizeNS;
    }
    return response;
}

ViewResponse TabViewInteraction::OnRButtonUp(LayoutPoint client, LayoutPoint scroll) {
    if (!document_.selection.empty() && movingSelection_) {
        const LayoutPoint point = Add(client, scroll);
        if (HitsSelectedItem(point)) {
            movingSelection_ = false;
            return {.cursor = ViewCursorShape::Arrow};
        }
        // The new order is saved content, as after a drop: the document is modified and other
        // views and the embedded presentation redraw. A release that moves nothing is no edit.
        if (const std::optional<std::int32_t> target = PositionAt(point)) {
            TabDocument::Step step(document_, history::step_kind::kMove);
            if (SelectionMover(document_).MoveBefore(*target)) document_.UpdateStepAsDescribed();
        }
        movingSelection_ = false;
    } else {
        rightPlacing_ = false;
    }
    return {.repaint = true, .cursor = ViewCursorShape::Arrow};
}

ViewResponse TabViewInteraction::OnDrop(LayoutPoint client, LayoutPoint scroll) {
    line_.releaseScroll = scroll;
    // A move ends with the document's update step, which repaints every view.
    DropHandler(document_, document_.GetClipboard(), document_.GetPrompter())
        .Drop(PositionAt(Add(client, scroll)));
    return {};
}

ViewResponse TabViewInteraction::OnKeyDown(std::int32_t virtualKey, LayoutPoint scroll) {
    switch (virtualKey) {
        case vk::PageUp:
            return {.scrollToY = std::max(scroll.y - kPageStep, 0)};
        case vk::PageDown:
            return {.scrollToY = scroll.y + kPageStep};
        case vk::End:
        case vk::Home:
            return {};
        case vk::Escape:
            // Esc lets go of the selection as the start of a new drag-selection would; the
            // clipboard keeps what it has. (In place, Esc ends editing before it gets here.)
            if (document_.selection.empty()) break;
            DragSelection(document_).Begin();
            // The items that were selected change their colour: more than a key's repaint of
            // the edited item and the caret covers.
            document_.DiscardLayout();
            return {.repaint = true};
        default:
            break;
    }
    const std::int32_t result = CursorResultApplier(document_).Key(virtualKey);
    return {.repaint = (result & Repaint) != 0, .followCaret = result != 0};
}

}  // namespace lutaris
