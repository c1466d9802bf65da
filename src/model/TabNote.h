// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris {

class Archive;

// Playing techniques. Codes outside this list are drawn and written like Normal.
enum TabAction : std::int32_t {
    Normal = 0,
    Mute = 2,
    Unmarked = 3,
    Vibrato = 5,
    SlideUp = 6,
    SlideDown = 7,
    BendUp = 8,
    BendRelease = 9,
    HammerOn = 10,
    PullOff = 11,
    Tap = 12,
    Harmonic = 14,
    Optional = 15,
    // Only ever the caret's own state: no note stands at its cell. Never stored in a tab item.
    NoNote = 17,
};

// A note without a number, made by a slide mark where no note stood.
inline constexpr std::int32_t BlankFret = -98;

// One note: five signed 32-bit words, in serialized order.
struct TabNote {
    std::int32_t fret = 0;
    std::int32_t string = 0;
    std::int32_t column = 0;
    std::int32_t reserved = 0;  // carried everywhere, interpreted nowhere
    std::int32_t action = Normal;

    void Clear() { *this = TabNote{}; }
    void CopyFrom(const TabNote& other) { *this = other; }
    void Serialize(Archive& archive);

    bool operator==(const TabNote&) const = default;
};

}  // namespace lutaris
