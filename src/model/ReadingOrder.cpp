// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/ReadingOrder.h"

#include <algorithm>
#include <cstdint>

namespace lutaris {

void SortIntoReadingOrder(std::vector<Tablature*>& items) {
    if (items.size() < 2) return;
    std::int64_t lowest = items.front()->position;
    for (const Tablature* item : items) lowest = std::min<std::int64_t>(lowest, item->position);

    std::vector<Tablature*> slots(items.size(), nullptr);
    bool run = true;
    for (Tablature* item : items) {
        const std::int64_t slot = std::int64_t{item->position} - lowest;
        if (slot >= static_cast<std::int64_t>(slots.size()) || slots[slot] != nullptr) {
            run = false;
            break;
        }
        slots[slot] = item;
    }
    if (run) {
        items.swap(slots);
        return;
    }
    std::stable_sort(items.begin(), items.end(), [](const Tablature* a, const Tablature* b) {
        return a->position < b->position;
    });
}

std::vector<Tablature*> ItemsInReadingOrder(const std::vector<std::unique_ptr<Tablature>>& items) {
    std::vector<Tablature*> ordered;
    ordered.reserve(items.size());
    for (const auto& item : items) ordered.push_back(item.get());
    SortIntoReadingOrder(ordered);
    return ordered;
}

std::vector<Tablature*> ItemsByPosition(const std::vector<std::unique_ptr<Tablature>>& items) {
    std::vector<Tablature*> byPosition(items.size(), nullptr);
    for (const auto& item : items) {
        const std::int32_t position = item->position;
        if (position < 0 || static_cast<std::size_t>(position) >= byPosition.size()) continue;
        if (byPosition[position] == nullptr) byPosition[position] = item.get();
    }
    return byPosition;
}

std::vector<bool> SelectedPositions(const std::vector<Tablature*>& selection, std::size_t count) {
    std::vector<bool> selected(count, false);
    for (const Tablature* item : selection) {
        if (item == nullptr || item->position < 0) continue;
        if (static_cast<std::size_t>(item->position) < count) selected[item->position] = true;
    }
    return selected;
}

}  // namespace lutaris
