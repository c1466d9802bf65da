// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/Tablature.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <string>
#include <type_traits>

#include "model/ItemGeometry.h"
#include "platform/files/Archive.h"

namespace lutaris {
namespace {

constexpr std::size_t kNoteBytes = 20;      // five 32-bit words
constexpr std::size_t kLongestNumber = 11;  // "-2147483648"

// Where a note in memory is byte for byte its record in the file (five little-endian words
// without padding), whole lists of notes are read and written as one block.
constexpr bool kNotesAreRecords =
    std::endian::native == std::endian::little && sizeof(TabNote) == kNoteBytes &&
    std::is_trivially_copyable_v<TabNote> && std::is_standard_layout_v<TabNote>;

template <typename Note, typename Notes>
Note* FindIn(Notes& notes, std::int32_t column, std::int32_t string) {
    for (auto& note : notes) {
        if (note.column == column && (string < 0 || note.string == string)) return &note;
    }
    return nullptr;
}

}  // namespace

Tablature::Tablature(TabSettings* settingsRecord) : settings(settingsRecord) {}

LayoutSize Tablature::GetExtent() const { return ExtentForMaxColumn(MaxColumnOrMinusOne()); }

LayoutSize Tablature::ExtentForMaxColumn(std::int32_t maxColumnOrMinusOne) const {
    return ItemGeometry(*settings).Box(maxColumnOrMinusOne);
}

std::int32_t Tablature::MaxColumn() const { return std::max(0, MaxColumnOrMinusOne()); }

std::int32_t Tablature::MaxColumnOrMinusOne() const {
    std::int32_t greatest = -1;
    for (const auto& note : notes) greatest = std::max(greatest, note.column);
    return greatest;
}

TabNote* Tablature::FindNote(std::int32_t column, std::int32_t string) {
    return FindIn<TabNote>(notes, column, string);
}

const TabNote* Tablature::FindNote(std::int32_t column, std::int32_t string) const {
    return FindIn<const TabNote>(notes, column, string);
}

namespace {

// What stands around a note's number in its cell, by action code. `close` is copied as one
// block, padded, so that formatting the cell of every note in a songbook does not branch on
// the lengths; `closeSize` counts the characters that belong to the cell.
struct CellFrame {
    char open = '\0';  // none
    bool showsNumber = true;
    std::array<char, 8> close{'-', '-', '-'};
    std::size_t closeSize = 3;
};

constexpr CellFrame Frame(char open, std::string_view close, bool showsNumber = true) {
    CellFrame frame{open, showsNumber, {}, close.size()};
    std::copy(close.begin(), close.end(), frame.close.begin());
    return frame;
}

// Codes without an entry are written like Normal.
constexpr auto kFrames = [] {
    std::array<CellFrame, 16> frames{};
    frames[Mute] = Frame('\0', "X----", false);
    frames[Vibrato] = Frame('\0', "~--");
    frames[SlideUp] = Frame('\0', "/--");
    frames[SlideDown] = Frame('\0', "\\--");
    frames[BendUp] = Frame('\0', "b--");
    frames[BendRelease] = Frame('\0', "r--");
    frames[HammerOn] = Frame('\0', "h--");
    frames[PullOff] = Frame('\0', "p--");
    frames[Tap] = Frame('\0', "T--");
    frames[Harmonic] = Frame('<', ">-");
    frames[Optional] = Frame('(', ")-");
    return frames;
}();

const CellFrame& FrameOf(std::int32_t action) {
    const auto index = static_cast<std::uint32_t>(action);
    return index < kFrames.size() ? kFrames[index] : kFrames[Normal];
}

// The decimal digits of 0 … 99, the frets a guitar has.
struct SmallNumber {
    std::array<char, 2> digits{};
    std::size_t size = 0;
};

constexpr auto kSmallNumbers = [] {
    std::array<SmallNumber, 100> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        numbers[i] =
            i < 10 ? SmallNumber{{static_cast<char>('0' + i), '\0'}, 1}
                   : SmallNumber{{static_cast<char>('0' + i / 10), static_cast<char>('0' + i % 10)},
                                 2};
    }
    return numbers;
}();

}  // namespace

TextCell FormatTextCell(const TabNote& note) {
    TextCell cell;
    char* out = cell.chars.data();
    const CellFrame& frame = FrameOf(note.action);
    *out = frame.open;
    out += frame.open != '\0' ? 1 : 0;
    if (frame.showsNumber) {
        if (note.fret >= 0 && static_cast<std::size_t>(note.fret) < kSmallNumbers.size()) {
            const SmallNumber& number = kSmallNumbers[static_cast<std::size_t>(note.fret)];
            std::memcpy(out, number.digits.data(), number.digits.size());
            out += number.size;
        } else if (note.fret == BlankFret) {
            *out++ = ' ';
        } else {
            out = std::to_chars(out, cell.chars.data() + 1 + kLongestNumber, note.fret).ptr;
        }
    }
    std::memcpy(out, frame.close.data(), frame.close.size());
    cell.size = static_cast<std::size_t>(out - cell.chars.data()) + frame.closeSize;
    return cell;
}

TabTextGrid::Extent Tablature::MeasureText() const {
    return TabTextGrid::Measure(settings->numberOfStrings, MaxColumnOrMinusOne());
}

void Tablature::PrefetchForText() const {
    // The notes of a usual item fill a few cache lines; a huge item is not worth the hints.
    constexpr std::size_t kLine = 64;
    constexpr std::size_t kMaxLines = 8;
    const auto* first = reinterpret_cast<const char*>(notes.data());
    const std::size_t bytes = std::min(notes.size() * sizeof(TabNote), kLine * kMaxLines);
    for (std::size_t offset = 0; offset < bytes; offset += kLine)
        __builtin_prefetch(first + offset);
    __builtin_prefetch(textGrid_.Text().data(), 1);
}

std::string_view Tablature::ToText() {
    textGrid_.Allocate(settings->numberOfStrings, MaxColumnOrMinusOne());
    for (const auto& note : notes) {
        textGrid_.PutCell(FormatTextCell(note).View(), note.string, note.column);
    }
    return textGrid_.Text();
}

void Tablature::Serialize(Archive& archive) {
    archive.Raw(reservedBlock.data(), reservedBlock.size());
    archive.Int32(position);
    if (archive.IsStoring()) {
        archive.WriteInt32(NoteCount());
        if constexpr (kNotesAreRecords) {
            archive.WriteRaw(notes.data(), notes.size() * kNoteBytes);
        } else {
            for (auto& note : notes) note.Serialize(archive);
        }
        return;
    }
    // The count comes from the file: a count that lies about the stream ends in the
    // end-of-file error, and nothing is reserved beyond the notes the stream still holds.
    const std::int32_t count = archive.ReadInt32();
    if (count <= 0) return;
    const std::size_t whole =
        std::min<std::size_t>(static_cast<std::size_t>(count), archive.Remaining() / kNoteBytes);
    notes.reserve(notes.size() + whole);
    std::int32_t read = 0;
    if constexpr (kNotesAreRecords) {
        // Every note the stream holds whole, in one copy: a songbook has millions of them.
        const std::size_t first = notes.size();
        notes.resize(first + whole);
        archive.ReadRaw(notes.data() + first, whole * kNoteBytes);
        read = static_cast<std::int32_t>(whole);
    }
    // Notes one at a time where the layouts differ, and the last one when the stream ends in
    // the middle of it (a note cut off in its last two words still loads, with them zero).
    for (std::int32_t i = read; i < count; ++i) {
        TabNote note;
        note.Serialize(archive);
        notes.push_back(note);
    }
}

}  // namespace lutaris
