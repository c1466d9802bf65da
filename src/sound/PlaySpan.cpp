// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "sound/PlaySpan.h"

#include <algorithm>

#include "model/TabCursor.h"
#include "model/TabDocument.h"

namespace lutaris {

PlaySpan PlaySpan::ForDocument(const TabDocument& document) {
    PlaySpan span;
    const auto count = static_cast<std::int32_t>(document.tabItems.size());
    span.last = count - 1;
    if (!document.selection.empty()) {
        const auto [low, high] = std::minmax_element(
            document.selection.begin(), document.selection.end(),
            [](const Tablature* a, const Tablature* b) { return a->position < b->position; });
        span.first = span.loopFirst = std::clamp((*low)->position, 0, count - 1);
        span.last = std::clamp((*high)->position, span.first, count - 1);
        span.toEnd = false;
        return span;
    }
    if (const Tablature* item = document.cursor ? document.cursor->tabItem : nullptr) {
        span.first = std::clamp(item->position, 0, count - 1);
        span.firstColumn = std::max(0, document.cursor->current.column);
    }
    return span;
}

}  // namespace lutaris
