// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lutaris {

// Thrown when a tab item's text would exceed the size the writer allows (a column or string
// count from a damaged or hostile file); the callers report it instead of allocating without
// bound.
class TextTooLargeError : public std::runtime_error {
public:
    TextTooLargeError() : std::runtime_error("The tab item is too large to write as text.") {}
};

// The fixed-width character grid that a tab item writes its text form into: `lineCount` lines
// of "|", 4 × maxColumn + 5 dashes and a line feed. Column c owns positions 4c + 2 … 4c + 5.
class TabTextGrid {
public:
    // The largest text the grid builds, terminating NUL included.
    static constexpr std::int64_t kMaxTextBytes = 64ll << 20;

    // The size of a text before it is built: callers that join many texts reserve once.
    struct Extent {
        std::int64_t lines = 0;  // 0 for a line count of zero or less
        std::int64_t bytes = 0;  // lines × (4 × maxColumn + 7), without the terminating NUL
    };

    TabTextGrid() = default;

    // The extent Allocate would build; throws TextTooLargeError beyond kMaxTextBytes, exactly
    // where Allocate does.
    static Extent Measure(std::int32_t lineCount, std::int32_t maxColumn);

    // Builds the blank grid; throws TextTooLargeError beyond kMaxTextBytes. A line count of zero
    // or less gives an empty text. The earlier text is overwritten in place when its buffer is
    // of a similar size: every item's text is rebuilt on each export.
    void Allocate(std::int32_t lineCount, std::int32_t maxColumn);
    // Writes the first four characters of `cell` into line `line` at 4 × column + 2, or one
    // position earlier when the cell opens with "(" or "<". Writes that would fall outside the
    // line (a string or column the grid has no room for) are left out. Inline: an export places
    // every note of the document.
    void PutCell(std::string_view cell, std::int32_t line, std::int32_t column) {
        if (line < 0 || line >= lineCount_ || column < 0) return;
        const bool bracket = !cell.empty() && (cell.front() == '(' || cell.front() == '<');
        const std::int64_t start = 4 * std::int64_t{column} + (bracket ? 1 : 2);
        const std::int64_t count = std::min<std::int64_t>(4, static_cast<std::int64_t>(cell.size()));
        // Never touch the bar at position 0 or the line feed at the end.
        if (start < 1 || start + count > lineLength_ - 1) return;
        char* const target = text_.data() + line * lineLength_ + start;
        // Every cell the writer formats has four characters or more: one fixed-size copy.
        if (count == 4) {
            std::memcpy(target, cell.data(), 4);
        } else {
            std::copy_n(cell.begin(), count, target);
        }
    }
    void Free();
    // The text, or an empty text before the first Allocate.
    std::string_view Text() const { return text_; }
    const char* CText() const { return text_.c_str(); }

    std::int32_t LineCount() const { return lineCount_; }
    std::int32_t MaxColumn() const { return maxColumn_; }

private:
    // Spare capacity an item may keep beyond twice its text.
    static constexpr std::size_t kKeptSlack = 4096;

    std::string text_;
    std::int32_t lineCount_ = 0;
    std::int32_t maxColumn_ = 0;
    std::int64_t lineLength_ = 0;
};

}  // namespace lutaris
