// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "support/TypedTabs.h"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace lutaris::test {
namespace {

constexpr std::int32_t kActions[] = {Normal,    Mute,     Unmarked,    Vibrato,  SlideUp,
                                     SlideDown, BendUp,   BendRelease, HammerOn, PullOff,
                                     Tap,       Harmonic, Optional};

}  // namespace

void FillWithTypedNotes(Tablature& item, std::mt19937& random) {
    const auto strings = static_cast<std::uint32_t>(item.settings->numberOfStrings);
    const auto columns = static_cast<std::int32_t>(random() % 14);
    for (std::int32_t column = 0; column < columns; ++column) {
        if (random() % 12 == 0) {
            const std::int32_t action = random() % 2 ? SlideUp : SlideDown;
            item.AppendNote({BlankFret, std::int32_t(random() % strings), column, 0, action});
            continue;
        }
        for (std::uint32_t string = 0; string < strings; ++string) {
            // Each string has a note one time in three; the last makes sure of one a column.
            const bool last = string + 1 == strings && item.FindNote(column, -1) == nullptr;
            if (random() % 3 != 0 && !last) continue;
            const std::int32_t action = kActions[random() % std::size(kActions)];
            item.AppendNote(
                {std::int32_t(random() % 100), std::int32_t(string), column, 0, action});
        }
    }
    std::shuffle(item.notes.begin(), item.notes.end(), random);
}

std::vector<TabNote> AsTextCarriesThem(std::vector<TabNote> notes) {
    for (auto& note : notes) {
        if (note.action == Mute) note.fret = 0;
        if (note.action == Tap || note.action == Unmarked) note.action = Normal;
    }
    std::sort(notes.begin(), notes.end(), [](const TabNote& a, const TabNote& b) {
        return std::tie(a.column, a.string) < std::tie(b.column, b.string);
    });
    return notes;
}

}  // namespace lutaris::test
