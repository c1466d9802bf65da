#include "render/RowFlow.h"

#include "platform/runtime/Int32Math.h"

namespace lutaris {

RowFlow::Place RowFlow::Next(Row& row, std::int32_t width, bool endRow) const {
    const bool passesEnd = row.x + width > rowEnd_;
    const bool newRow =
        row.empty ? passesEnd && wideItems_ == WideItems::StartNextRow : passesEnd || endRow;
    if (newRow) row.x = leftMargin_;
    const Place place{ClampToInt32(row.x), newRow, newRow || row.empty};
    row = After(place.x, width);
    return place;
}

}  // namespace lutaris
