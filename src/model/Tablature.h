// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "model/TabNote.h"
#include "model/TabSettings.h"
#include "model/TabTextGrid.h"

namespace lutaris {

class Archive;

struct LayoutPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const LayoutPoint&) const = default;
};

struct LayoutSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const LayoutSize&) const = default;
};

// One tab item: notes on a grid of strings × columns, kept in insertion order (the order
// matters where two notes share a cell), plus the little layout state that drawing and hit
// tests need. The item points to its document's settings record and never owns it.
class Tablature {
public:
    static constexpr std::size_t kReservedBlockSize = 80;

    explicit Tablature(TabSettings* settings);

    // Integer multiplier applied to every layout value when drawn (1 on the view).
    std::int32_t scale = 1;
    TabSettings* settings;
    // Notes by value in insertion order; `noteCount` is their number.
    std::vector<TabNote> notes;
    // Carried through files unchanged, never interpreted; zero for items made here.
    std::array<std::uint8_t, kReservedBlockSize> reservedBlock{};
    std::int32_t position = 0;
    // Where the view last drew the item, in layout units.
    LayoutPoint lastOrigin;

    std::int32_t NoteCount() const { return static_cast<std::int32_t>(notes.size()); }

    // (MaxColumn + 3) × horizontalSpacing by nextLineSpacing + (numberOfStrings − 1) ×
    // verticalSpacing. Computed in 64 bits and clamped, so damaged values cannot overflow.
    LayoutSize GetExtent() const;
    // The extent for a greatest note column already known (−1 without notes), so that a caller
    // reading the notes anyway need not read them twice.
    LayoutSize ExtentForMaxColumn(std::int32_t maxColumnOrMinusOne) const;
    LayoutPoint GetLastOrigin() const { return lastOrigin; }
    // Greatest column among the notes; 0 when there are none (or all lie at or left of 0).
    std::int32_t MaxColumn() const;
    // Greatest column among the notes, −1 when there are none (the text writer's and the
    // Right arrow's scan).
    std::int32_t MaxColumnOrMinusOne() const;

    // The first note in list order in `column` and, unless `string` is negative, on `string`.
    TabNote* FindNote(std::int32_t column, std::int32_t string);
    const TabNote* FindNote(std::int32_t column, std::int32_t string) const;

    void AppendNote(const TabNote& note) { notes.push_back(note); }

    // The text form: one line per string. The text stays valid until the next ToText or the
    // item's destruction. Throws TextTooLargeError for items beyond the writer's size limit.
    std::string_view ToText();
    // The size ToText will give, without building it; throws where ToText would.
    TabTextGrid::Extent MeasureText() const;
    // Asks the processor to start loading the notes and the text buffer that ToText reads and
    // writes; nothing else happens.
    void PrefetchForText() const;

    // Stores or loads the record; loading appends to the notes already held.
    void Serialize(Archive& archive);

private:
    TabTextGrid textGrid_;
};

// The text cell of one note, before PutCell keeps its first four characters. Held in place:
// an export formats every note of the document.
struct TextCell {
    // "<", an int32 with its sign (11 characters), ">-": 14 at most, and room behind for the
    // padded block that closes the cell.
    std::array<char, 24> chars{};
    std::size_t size = 0;
    std::string_view View() const { return {chars.data(), size}; }
};
TextCell FormatTextCell(const TabNote& note);

}  // namespace lutaris
