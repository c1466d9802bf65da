#include "text/TabTextGrid.h"

#include <algorithm>

namespace lutaris {

void TabTextGrid::Allocate(std::int32_t lineCount, std::int32_t maxColumn) {
    Free();
    const std::int64_t lines = std::max<std::int64_t>(lineCount, 0);
    const std::int64_t length = 4 * std::int64_t{maxColumn} + 7;
    // Divided rather than multiplied: a damaged item's string count times its column overflows
    // even 64 bits.
    if (length < 2 || (lines > 0 && length > (kMaxTextBytes - 1) / lines)) {
        throw TextTooLargeError();
    }
    lineCount_ = lineCount;
    maxColumn_ = maxColumn;
    lineLength_ = length;
    // No lines, no text: building the one line first would let a damaged item without strings
    // but with a huge column allocate gigabytes for nothing.
    if (lines == 0) return;

    std::string line(static_cast<std::size_t>(length), '-');
    line.front() = '|';
    line.back() = '\n';
    text_.reserve(static_cast<std::size_t>(lines * length));
    for (std::int64_t i = 0; i < lines; ++i) text_ += line;
}

void TabTextGrid::PutCell(std::string_view cell, std::int32_t line, std::int32_t column) {
    if (line < 0 || line >= lineCount_ || column < 0) return;
    const bool bracket = !cell.empty() && (cell.front() == '(' || cell.front() == '<');
    const std::int64_t start = 4 * std::int64_t{column} + (bracket ? 1 : 2);
    const std::int64_t count = std::min<std::int64_t>(4, static_cast<std::int64_t>(cell.size()));
    // Never touch the bar at position 0 or the line feed at the end.
    if (start < 1 || start + count > lineLength_ - 1) return;
    std::copy_n(cell.begin(), count, text_.begin() + line * lineLength_ + start);
}

void TabTextGrid::Free() {
    text_.clear();
    text_.shrink_to_fit();
    lineCount_ = 0;
    maxColumn_ = 0;
    lineLength_ = 0;
}

}  // namespace lutaris
