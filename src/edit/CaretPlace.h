// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris {

class TabDocument;
class Tablature;

// Where the caret stands, to tell whether a command moved it: its tab item, that item's place
// in the reading order, its cell, and which content of the document it belongs to (a new,
// opened or imported document is other content even where its caret looks the same).
struct CaretPlace {
    std::uint64_t contents = 0;
    const Tablature* item = nullptr;
    std::int32_t position = 0;
    std::int32_t string = 0;
    std::int32_t column = 0;

    static CaretPlace Of(const TabDocument& document);
    bool operator==(const CaretPlace&) const = default;
};

}  // namespace lutaris
