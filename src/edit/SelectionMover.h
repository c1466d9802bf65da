// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris {

class TabDocument;

// Reorders the tab items so that the selected ones stand as one block immediately before a
// target item, in the order they had among themselves, and renumbers all positions 0 … n − 1.
// The right-button move and a drop both reorder this way; neither the selection nor the
// modified flag changes here.
class SelectionMover {
public:
    explicit SelectionMover(TabDocument& document) : document_(document) {}

    // False, and nothing moves, when no item stands at `targetPosition`, when the target is
    // itself selected (a block cannot stand before one of its own members) or when nothing is
    // selected.
    bool MoveBefore(std::int32_t targetPosition);

private:
    TabDocument& document_;
};

}  // namespace lutaris
