// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/SelectionMover.h"

#include <algorithm>
#include <span>
#include <unordered_set>
#include <vector>

#include "model/TabDocument.h"

namespace lutaris {

bool SelectionMover::MoveBefore(std::int32_t targetPosition) {
    Tablature* target = document_.ItemAtPosition(targetPosition);
    if (target == nullptr) return false;
    const std::unordered_set<const Tablature*> selected(document_.selection.begin(),
                                                        document_.selection.end());
    if (selected.contains(target)) return false;

    // Reading order, then the unselected items with the selected block spliced in before the
    // target. Working on the whole order (rather than shifting ranges of positions) keeps the
    // positions a permutation even for a selection that is not one run.
    std::vector<Tablature*> order;
    order.reserve(document_.tabItems.size());
    for (const auto& item : document_.tabItems) order.push_back(item.get());
    std::stable_sort(order.begin(), order.end(), [](const Tablature* a, const Tablature* b) {
        return a->position < b->position;
    });

    std::vector<Tablature*> block;
    std::vector<Tablature*> rest;
    for (Tablature* item : order) (selected.contains(item) ? block : rest).push_back(item);
    if (block.empty()) return false;

    const auto at = std::find(rest.begin(), rest.end(), target);
    rest.insert(at, block.begin(), block.end());
    // Only the stretch between the first and the last item whose place in the order changed
    // moves (and is laid out again).
    const auto firstChanged = std::mismatch(order.begin(), order.end(), rest.begin()).first;
    if (firstChanged == order.end()) return true;
    const auto from = firstChanged - order.begin();
    auto to = static_cast<std::ptrdiff_t>(order.size());
    while (order[static_cast<std::size_t>(to - 1)] == rest[static_cast<std::size_t>(to - 1)]) --to;
    document_.ReorderTabItems(static_cast<std::int32_t>(from),
                              std::vector<Tablature*>(rest.begin() + from, rest.begin() + to));
    return true;
}

}  // namespace lutaris
