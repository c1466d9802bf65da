// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "model/Tablature.h"

namespace lutaris {

// Puts tab items into reading order: ascending `position`, items of equal position in the
// order given. What a person reads is this order, whatever order the list keeps (creation or
// load order, which the file stores).
//
// Linear when the positions are a run of consecutive numbers, each once, as a document's are and
// a drag-selection's; anything else is sorted.
void SortIntoReadingOrder(std::vector<Tablature*>& items);

// The document's tab items in reading order.
std::vector<Tablature*> ItemsInReadingOrder(const std::vector<std::unique_ptr<Tablature>>& items);

// The items in reading order as the view lays them out: for each position 0 … n − 1 the first
// item in list order that holds it, a null where none does. One pass over the list, so that a
// layout stays linear in the number of items.
std::vector<Tablature*> ItemsByPosition(const std::vector<std::unique_ptr<Tablature>>& items);

// For each position 0 … count − 1, whether a selected item holds it: drawn highlighted.
std::vector<bool> SelectedPositions(const std::vector<Tablature*>& selection, std::size_t count);

}  // namespace lutaris
