// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/PositionIndex.h"

namespace lutaris {
namespace {

constexpr std::size_t kNoItem = static_cast<std::size_t>(-1);

// Fills `slots` with the list index of each position 0 … n − 1; false unless every position in
// that range occurs exactly once.
bool FillSlots(const PositionIndex::Items& items, std::vector<std::size_t>& slots) {
    const std::size_t count = items.size();
    slots.assign(count, kNoItem);
    bool permutation = true;
    for (std::size_t i = 0; i < count; ++i) {
        const std::int64_t position = items[i]->position;
        if (position < 0 || static_cast<std::size_t>(position) >= count ||
            slots[static_cast<std::size_t>(position)] != kNoItem) {
            permutation = false;
            continue;
        }
        slots[static_cast<std::size_t>(position)] = i;
    }
    return permutation;
}

}  // namespace

bool PositionIndex::IsPermutation(const Items& items) {
    std::vector<std::size_t> slots;
    return FillSlots(items, slots);
}

void PositionIndex::Rebuild(const Items& items) {
    isPermutation_ = FillSlots(items, slots_);
    indexedCount_ = items.size();
    // Out of order positions may be repaired by the next change without an announcement, so
    // such an index is never trusted twice.
    valid_ = isPermutation_;
}

Tablature* PositionIndex::Scan(const Items& items, std::int32_t position) {
    for (const auto& item : items) {
        if (item->position == position) return item.get();
    }
    return nullptr;
}

Tablature* PositionIndex::Find(const Items& items, std::int32_t position) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!valid_ || indexedCount_ != items.size()) Rebuild(items);
        if (!isPermutation_) return Scan(items, position);
        // With positions 0 … n − 1 nothing lies outside that range.
        if (position < 0 || static_cast<std::size_t>(position) >= items.size()) return nullptr;
        const std::size_t index = slots_[static_cast<std::size_t>(position)];
        if (index < items.size() && items[index]->position == position) {
            return items[index].get();
        }
        valid_ = false;
    }
    return Scan(items, position);
}

}  // namespace lutaris
