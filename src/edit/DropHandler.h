// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>

namespace lutaris {

class TabDocument;
class Clipboard;
class Prompter;

// What the view does with a drop. The dropped data is never looked at: the clipboard alone
// decides, by the presence of the two private formats (their bytes are never read, so nothing
// another program put there can reach the document).
class DropHandler {
public:
    static constexpr const char* kGlissomarkersText =
        "You are trying to drop one or more Glissomarkers item here.";
    static constexpr const char* kGlissomarkersCaption = "Still working on it...";
    static constexpr const char* kUnsupportedText = "Lutaris does not support this object";
    static constexpr const char* kUnsupportedCaption = "Sorry";

    enum class Outcome {
        GlissomarkersRefused,  // the information message was shown
        Moved,                 // the selection now stands before the target; update step done
        NothingMoved,          // the marker was there, but there was nothing to move
        Unsupported,           // the "Sorry" message was shown
    };

    // `prompter` shows the messages; the view passes one whose boxes it owns.
    DropHandler(TabDocument& document, Clipboard* clipboard, Prompter& prompter)
        : document_(document), clipboard_(clipboard), prompter_(prompter) {}

    // A drop on the item at `targetPosition` (the last item in list order under the drop point
    // plus the scroll position), or on empty space when there is none. The drop itself is
    // never accepted: the drag source sees no effect, whatever happened here.
    //
    // With the marker on the clipboard, nothing moves and nothing is updated when the drop
    // point is over no item (there is no place to move to), when nothing is selected (the
    // drag-selection caught no item), or when the target is one of the selected items.
    Outcome Drop(std::optional<std::int32_t> targetPosition);

private:
    TabDocument& document_;
    Clipboard* clipboard_;
    Prompter& prompter_;
};

}  // namespace lutaris
