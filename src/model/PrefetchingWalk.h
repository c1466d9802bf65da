// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>

namespace lutaris {

// Walks a list of tab items (owning or not) and calls `visit` on each in turn, while asking the
// processor to load the items a few steps ahead: an item first, then, once it is near, what
// its `PrefetchForText` names. Writing a songbook as text visits thousands of small items
// scattered over the heap; waiting on each one's memory in turn costs more than the writing.
template <typename Items, typename Visit>
void ForEachItemPrefetched(const Items& items, Visit&& visit) {
    constexpr std::size_t kAhead = 4;
    const std::size_t count = items.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + 2 * kAhead < count) __builtin_prefetch(&*items[i + 2 * kAhead]);
        if (i + kAhead < count) items[i + kAhead]->PrefetchForText();
        visit(*items[i]);
    }
}

}  // namespace lutaris
