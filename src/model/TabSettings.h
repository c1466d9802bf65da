// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris {

class Archive;

// The document's layout record: eight signed 32-bit values in layout units. Field order is the
// order of the settings-file reads and of the serialized form. Values are never validated; the
// places that divide by a spacing or the string count guard the division themselves.
struct TabSettings {
    std::int32_t leftMargin = 1;
    std::int32_t topMargin = 1;
    std::int32_t horizontalSpacing = 24;
    std::int32_t verticalSpacing = 12;
    std::int32_t textFloat = 8;
    std::int32_t numberOfStrings = 6;
    std::int32_t nextLineSpacing = 30;
    std::int32_t textOpaque = 1;

    // Fills all eight fields from "./Lutaris.ini", section "TAB", with the built-in defaults for
    // a missing file or key. Returns the record.
    TabSettings& LoadDefaults();
    void CopyFrom(const TabSettings& other);
    void Serialize(Archive& archive);

    bool operator==(const TabSettings&) const = default;
};

// A divisor that is never zero: a zero setting counts as 1 where the layout divides by it.
inline std::int32_t SafeDivisor(std::int32_t value) { return value == 0 ? 1 : value; }

}  // namespace lutaris
