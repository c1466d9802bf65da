// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lutaris {

// A class identifier as a compound file stores it: the 16 bytes of the GUID structure in
// little-endian field order, so the bytes compare directly with what is on disk.
struct ClassId {
    std::array<std::uint8_t, 16> bytes{};
    bool operator==(const ClassId&) const = default;
};

// The class id in the registry's form, 4E1B7C53-2A96-…: the first three fields little-endian.
inline std::string ClassIdText(const ClassId& id) {
    static constexpr int kOrder[] = {3,  2, 1, 0,  -1, 5,  4,  -1, 7,  6,
                                     -1, 8, 9, -1, 10, 11, 12, 13, 14, 15};
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (const int index : kOrder) {
        if (index < 0) {
            text += '-';
        } else {
            text += kHex[id.bytes[index] >> 4];
            text += kHex[id.bytes[index] & 0xf];
        }
    }
    return text;
}

}  // namespace lutaris
