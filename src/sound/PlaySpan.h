// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris {

class TabDocument;

// What Play plays and Loop repeats, by item positions. Without a selection: from the caret's
// column of the caret's item to the end, and the loop goes round the whole document; with one:
// the selected items, and the loop goes round them.
struct PlaySpan {
    std::int32_t first = 0;
    std::int32_t firstColumn = 0;
    std::int32_t last = 0;
    std::int32_t loopFirst = 0;
    // `last` is the document's last item, whatever the document grows or shrinks to.
    bool toEnd = true;

    static PlaySpan ForDocument(const TabDocument& document);
    bool operator==(const PlaySpan&) const = default;
};

}  // namespace lutaris
