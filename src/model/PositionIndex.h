// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/Tablature.h"

namespace lutaris {

// Finds a document's tab item by its `position` in constant time. The view looks up every
// position on every paint, and the caret's moves between items look up neighbours, so a scan
// of the list per lookup would make big documents quadratic.
//
// The index is rebuilt lazily: after Invalidate(), or when the number of items changed. Every
// entry is also checked against the item it names before it is returned, so a change of
// positions that nobody announced costs a rebuild instead of a wrong answer, as long as the
// positions are 0 … n − 1. While they are not (only in the middle of a change), lookups fall
// back to a scan in list order.
class PositionIndex {
public:
    using Items = std::vector<std::unique_ptr<Tablature>>;

    void Invalidate() { valid_ = false; }

    // The first item in list order whose position is `position`, or null.
    Tablature* Find(const Items& items, std::int32_t position);

    // True when the positions are exactly 0 … n − 1, each once.
    static bool IsPermutation(const Items& items);

private:
    void Rebuild(const Items& items);
    static Tablature* Scan(const Items& items, std::int32_t position);

    std::vector<std::size_t> slots_;  // list index by position
    std::size_t indexedCount_ = 0;
    bool valid_ = false;
    bool isPermutation_ = false;
};

}  // namespace lutaris
