// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/TabTextGrid.h"

#include <algorithm>

namespace lutaris {

TabTextGrid::Extent TabTextGrid::Measure(std::int32_t lineCount, std::int32_t maxColumn) {
    const std::int64_t lines = std::max<std::int64_t>(lineCount, 0);
    const std::int64_t length = 4 * std::int64_t{maxColumn} + 7;
    // Divided rather than multiplied: a damaged item's string count times its column overflows
    // even 64 bits.
    if (length < 2 || (lines > 0 && length > (kMaxTextBytes - 1) / lines)) {
        throw TextTooLargeError();
    }
    return {lines, lines * length};
}

void TabTextGrid::Allocate(std::int32_t lineCount, std::int32_t maxColumn) {
    const Extent extent = Measure(lineCount, maxColumn);
    const auto bytes = static_cast<std::size_t>(extent.bytes);
    // A buffer far larger than the new text (an item that was once very wide) is given back
    // rather than kept for the item's life.
    if (text_.capacity() > 2 * bytes + kKeptSlack) Free();
    lineCount_ = lineCount;
    maxColumn_ = maxColumn;
    lineLength_ = 4 * std::int64_t{maxColumn} + 7;
    // No lines, no text: building the one line first would let a damaged item without strings
    // but with a huge column allocate gigabytes for nothing.
    text_.assign(bytes, '-');
    const auto length = static_cast<std::size_t>(lineLength_);
    for (std::size_t start = 0; start < bytes; start += length) {
        text_[start] = '|';
        text_[start + length - 1] = '\n';
    }
}

void TabTextGrid::Free() {
    text_.clear();
    text_.shrink_to_fit();
    lineCount_ = 0;
    maxColumn_ = 0;
    lineLength_ = 0;
}

}  // namespace lutaris
