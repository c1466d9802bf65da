// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/TabSettings.h"
#include "model/Tablature.h"

namespace lutaris {

class TextLineReader;

// How much one import may build. A tab item takes some 200 bytes, so a file of bars could
// otherwise take two hundred times its size in memory; real tablature has an item per measure,
// a few hundred at most. A note takes 20 bytes: the note limit is a gigabyte.
struct TextImportLimits {
    std::size_t maxTabItems = 1'000'000;
    std::size_t maxNotes = 50'000'000;
};

// Reads text tablature line by line into tab items, in one forward pass.
//
// Consecutive string lines (see StringLine.h: a line with a dash that looks like the line of
// one string) form a block, one line per string; any other line closes it, and so does the end
// of the input (many tabs end on their last string line), and a block of 4 to 7 lines is then
// scanned position by position up to the end of its longest line, top string to bottom string
// at each position. Columns are numbered by the order in which notes start, with one counter
// for the whole run. A string's name and any label before it are read as blanks: they are no
// notes.
//
// A bar on the block's first line closes the notes open at that moment and begins a measure,
// which runs to the next bar on that line or to the end of the block. A measure takes a tab
// item of its own when some line of the block starts a note in it, or when it is an empty
// measure that the author wrote (a dash on the first line after its bar, before the next bar
// or the line's end). So the bar that ends a line, and the first of two bars side by side
// ("||", "|o|"), start no item, while an item that Export File wrote without notes ("|-")
// comes back. The item the importer starts with (the one the document's reset made) is taken
// by the first measure when no note went into it before.
//
// The importer writes where the document keeps its tab items: `tabItems` (new items are
// appended, `position` = the number of items before) and `currentItem` (the caret's item,
// where notes go, moved to each new item).
//
// Choices where the text format says nothing:
// - Only seven lines fit in a block: an eighth and any further consecutive string line is
//   ignored, and the first seven are converted when the block closes.
// - A position past the end of a shorter line reads as the terminating zero would: it starts
//   nothing and closes the open note of that string.
// - Every byte is a character of its own (NUL and bytes of UTF-8 sequences included); only the
//   ASCII characters of the rules mean anything.
// - A fret that outgrows 32 bits stays at the largest (or, grown from a blank fret, the
//   smallest) value instead of wrapping round.
class TextTabImporter {
public:
    static constexpr int kBlockSlots = 7;
    static constexpr int kMinBlockLines = 4;

    enum class Status { Ok, LineTooLong, ReadError, TooManyTabItems, TooManyNotes };

    TextTabImporter(TabSettings* settings, std::vector<std::unique_ptr<Tablature>>& tabItems,
                    Tablature*& currentItem, TextImportLimits limits = {});

    // One line without its line end. Does nothing once the import has failed.
    void AddLine(std::string_view line);
    // The end of the input: closes the block as a line without a dash would. Does nothing
    // once the import has failed.
    void Finish();
    // Every line the reader gives, to the end of its input (then Finish) or its first failure.
    Status AddLines(TextLineReader& reader);

    Status GetStatus() const { return status_; }
    std::size_t NotesCreated() const { return notesCreated_; }
    // The number of lines that every converted block had; nullopt when the blocks differed or
    // none was converted. The tab's own string count.
    std::optional<std::int32_t> CommonStringCount() const;

private:
    void CloseBlock();
    void ConvertBlock();
    // A bar at position `p` of the block's first line.
    void TopLineBar(std::size_t p);
    // Whether the measure that a bar at position `p` of the first line begins needs an item.
    bool MeasureNeedsItem(std::size_t p) const;
    void StartTabItem();
    // False when no note could be made (no item to hold it, or the limit is reached).
    bool StartNote(std::size_t k, std::int32_t fret, std::int32_t action);
    void AddDigit(TabNote& note, int digit);
    void ClearPending();

    TabSettings* settings_;
    std::vector<std::unique_ptr<Tablature>>& tabItems_;
    Tablature*& currentItem_;
    TextImportLimits limits_;

    std::array<std::string, kBlockSlots> slots_;
    int blockLines_ = 0;
    // The block being converted: each line's characters and length, and the longest length.
    std::array<const unsigned char*, kBlockSlots> text_{};
    std::array<std::size_t, kBlockSlots> length_{};
    std::size_t width_ = 0;
    // Lines of every block converted so far: 0 before the first, −1 once two differed.
    std::int32_t convertedLines_ = 0;
    // Whether a bar began the current item; the item the importer starts with was not.
    bool currentFromBar_ = false;

    std::array<bool, kBlockSlots> pending_{};
    int pendingCount_ = 0;
    std::array<std::int32_t, kBlockSlots> lastColumn_{};
    std::int64_t columnCounter_ = 0;

    // Where FindNote(lastColumn_[k], k) lands in the current item's notes while string k has an
    // open note; kept here because notes are never removed or reordered during an import.
    std::array<std::size_t, kBlockSlots> openNote_{};
    // For the newest column (columnCounter_ − 1): index of the first note on each string, or
    // kNone. Notes only ever go to the newest column or a new one, so this is all the
    // bookkeeping FindNote's "first in list order" needs.
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::array<std::size_t, kBlockSlots> firstInColumn_{};
    // Notes the current item held before the importer reached it; they could stand anywhere.
    std::size_t earlierNotes_ = 0;

    std::size_t notesCreated_ = 0;
    Status status_ = Status::Ok;
};

}  // namespace lutaris
