// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>

namespace lutaris {

class TabDocument;
class Clipboard;

// The document's side of a drag-selection in the view: its start empties the selection and
// forgets an earlier Copy; its end selects the run of positions between the item under the
// start point and the item under the end point and announces the selection on the clipboard.
class DragSelection {
public:
    // The content of the marker block; nobody reads it, only its presence counts.
    static constexpr std::uint32_t kMarkerValue = 0;

    explicit DragSelection(TabDocument& document) : document_(document) {}

    void Begin();
    // `startPosition` and `endPosition` are the positions of the items under the two points,
    // nothing where a point lay over no item. Items are appended in list order; a drag that
    // ends before it started selects nothing. The marker is put on `clipboard` in every case,
    // replacing its content; without a clipboard it is lost, as when the clipboard cannot be
    // opened.
    void End(std::optional<std::int32_t> startPosition, std::optional<std::int32_t> endPosition,
             Clipboard* clipboard);

    // Select All: what a drag from the first item to the last does, marker included.
    void SelectAll(Clipboard* clipboard);

    // Replaces the clipboard's content with the 4-byte marker under the selection format.
    static void AnnounceSelection(Clipboard* clipboard);

private:
    TabDocument& document_;
};

}  // namespace lutaris
