#include "render/ViewLayout.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "model/ReadingOrder.h"
#include "platform/runtime/Int32Math.h"

namespace lutaris {

template <typename Visit>
void ViewLayout::ForEachFrom(std::size_t position, Visit visit) const {
    const Location start = Locate(position);
    std::int64_t rows = start.rowsBefore;
    for (std::size_t b = start.block; b < blocks_.size(); ++b) {
        const Block& block = blocks_[b];
        for (std::size_t i = 0; i < block.places.size(); ++i) {
            rows += block.places[i].newRow ? 1 : 0;
            if (b == start.block && i < start.index) continue;
            visit(block.details[i].item, LayoutPoint{block.places[i].x, RowTop(rows)});
        }
    }
}

// ---- what changed ----------------------------------------------------------------------------

void ViewLayout::Discard(const Items& items) {
    // Only while the rows are as last broken do the kept places hold; an item this layout does
    // not hold where it stands now keeps what it has.
    if (valid_ && owedFrom_ < count_ && breakFrom_ >= count_) {
        std::vector<std::pair<const Tablature*, LayoutPoint>> owed;
        owed.reserve(count_ - owedFrom_);
        ForEachFrom(owedFrom_,
                    [&](Tablature* item, LayoutPoint origin) { owed.emplace_back(item, origin); });
        for (const auto& item : items) {
            const std::int64_t position = item->position;
            if (position < static_cast<std::int64_t>(owedFrom_) ||
                position >= static_cast<std::int64_t>(count_)) {
                continue;
            }
            const auto& [held, origin] = owed[static_cast<std::size_t>(position) - owedFrom_];
            if (held == item.get()) item->lastOrigin = origin;
        }
    }
    Invalidate();
}

void ViewLayout::ItemEdited(const Tablature* item) {
    if (!valid_) return;
    described_ = true;
    if (item == nullptr) return;
    const std::int64_t position = item->position;
    if (position < 0 || position >= static_cast<std::int64_t>(count_)) {
        Invalidate();
        return;
    }
    const Location location = Locate(static_cast<std::size_t>(position));
    Block& block = blocks_[location.block];
    Slot& slot = block.places[location.index];
    if (block.details[location.index].item != item) {
        Invalidate();
        return;
    }
    if (slot.state != State::Measured) return;
    // The ink as it was painted, while it still is where it was painted.
    if (static_cast<std::size_t>(position) < breakFrom_) {
        Extend(sincePaint_.area,
               TabRenderer::PlaceInk(block.details[location.index].ink, OriginAt(location)));
    }
    slot.state = State::Edited;
    block.unmeasured = true;
}

void ViewLayout::ItemsReplaced(std::int32_t position, std::int32_t removed,
                               std::span<Tablature* const> inserted) {
    if (!valid_) return;
    described_ = true;
    if (position < 0 || removed < 0 ||
        std::int64_t{position} + removed > static_cast<std::int64_t>(count_) ||
        std::find(inserted.begin(), inserted.end(), nullptr) != inserted.end()) {
        Invalidate();
        return;
    }
    const auto at = static_cast<std::size_t>(position);
    Splice(at, static_cast<std::size_t>(removed), inserted);
    if (count_ == 0) {
        Invalidate();
        return;
    }
    // The items after the replaced ones are the same items, moved along.
    const auto shift = static_cast<std::int64_t>(inserted.size()) - removed;
    if (lastChanged_ >= position) lastChanged_ = std::max(lastChanged_ + shift, std::int64_t{position} - 1);
    lastChanged_ =
        std::max(lastChanged_, position + static_cast<std::int64_t>(inserted.size()) - 1);
    breakFrom_ = std::min(breakFrom_, at);
    owedFrom_ = std::min(owedFrom_, at);
    sincePaint_.moved = true;
}

void ViewLayout::NothingMoved() {
    if (valid_) described_ = true;
}

// ---- laying out -----------------------------------------------------------------------------

void ViewLayout::LayOut(const TabSettings& settings, const Items& items, std::int32_t windowWidth) {
    if (described_ && windowWidth == windowWidth_ && Describes(settings, items.size()) &&
        BringUpToDate()) {
        ++reusedPaints_;
    } else {
        Build(settings, items, windowWidth);
    }
    described_ = false;
    sincePaint_ = {};
}

void ViewLayout::Build(const TabSettings& settings, const Items& items, std::int32_t windowWidth) {
    Invalidate();
    blocks_.clear();
    count_ = 0;
    settingsRecord_ = &settings;
    settings_ = settings;
    windowWidth_ = windowWidth;
    const RowFlow flow = Flow();
    RowFlow::Row row = flow.Start();
    std::int64_t y = settings.topMargin;
    bool uniform = true;
    bool complete = true;
    for (Tablature* item : ItemsByPosition(items)) {
        if (item == nullptr) {
            complete = false;
            continue;
        }
        const TabRenderer::Measurement measured = TabRenderer::Measure(*item);
        const LayoutSize extent = measured.extent;
        const RowFlow::Place place = flow.Next(row, extent.width);
        if (place.newRow) y = ClampToInt32(y + extent.height + settings.nextLineSpacing);
        const LayoutPoint origin{place.x, static_cast<std::int32_t>(y)};
        item->lastOrigin = origin;
        if (count_ == 0) height_ = extent.height;
        uniform = uniform && extent.height == height_ && item->settings == &settings;
        if (blocks_.empty() || blocks_.back().places.size() == kBlockSize) blocks_.emplace_back();
        Block& block = blocks_.back();
        block.places.push_back({extent.width, place.x, place.newRow, State::Measured});
        block.details.push_back({item, measured.ink, extent.height, origin.y});
        ++count_;
    }
    for (Block& block : blocks_) RefreshBlock(block);
    uniform_ = uniform;
    rowStep_ = std::int64_t{height_} + settings.nextLineSpacing;
    // Rows that differ in height, or positions that no item holds, are laid out for this paint
    // but not kept: counting rows would put them elsewhere.
    valid_ = uniform && complete && count_ > 0 && count_ == items.size();
    breakFrom_ = count_;
    lastChanged_ = -1;
    owedFrom_ = count_;
}

void ViewLayout::Invalidate() {
    valid_ = false;
    described_ = false;
    sincePaint_ = {};
}

bool ViewLayout::Describes(const TabSettings& settings, std::size_t itemCount) const {
    return valid_ && settingsRecord_ == &settings && settings_ == settings && count_ == itemCount;
}

RowFlow ViewLayout::Flow() const {
    return RowFlow(settings_.leftMargin, windowWidth_, RowFlow::WideItems::StartNextRow);
}

bool ViewLayout::BringUpToDate() {
    if (!valid_) return false;
    std::size_t first = 0;
    for (std::size_t b = 0; b < blocks_.size(); first += blocks_[b].places.size(), ++b) {
        Block& block = blocks_[b];
        if (!block.unmeasured) continue;
        for (std::size_t i = 0; i < block.places.size(); ++i) {
            Slot& slot = block.places[i];
            if (slot.state == State::Measured) continue;
            Detail& detail = block.details[i];
            const TabRenderer::Measurement measured = TabRenderer::Measure(*detail.item);
            if (measured.extent.height != height_ || detail.item->settings != settingsRecord_) {
                Invalidate();
                return false;
            }
            const std::size_t position = first + i;
            detail.ink = measured.ink;
            detail.height = height_;
            if (slot.state == State::Inserted || measured.extent.width != slot.width) {
                slot.width = measured.extent.width;
                breakFrom_ = std::min(breakFrom_, position);
                lastChanged_ = std::max(lastChanged_, static_cast<std::int64_t>(position));
                sincePaint_.moved = true;
            } else if (position < breakFrom_) {
                // The new ink where the item stands, which nothing moves.
                Extend(sincePaint_.area,
                       TabRenderer::PlaceInk(detail.ink, OriginAt(Locate(position))));
            }
            slot.state = State::Measured;
        }
        block.unmeasured = false;
        block.boundsStale = true;
    }
    if (breakFrom_ < count_) BreakRows();
    for (Block& block : blocks_) {
        if (block.boundsStale) RefreshBlock(block);
    }
    return true;
}

void ViewLayout::BreakRows() {
    const RowFlow flow = Flow();
    std::size_t position = breakFrom_;
    const Location start = Locate(position);
    RowFlow::Row row = flow.Start();
    if (position > 0) {
        const Slot& before = start.index > 0 ? blocks_[start.block].places[start.index - 1]
                                             : blocks_[start.block - 1].places.back();
        row = RowFlow::After(before.x, before.width);
    }
    owedFrom_ = std::min(owedFrom_, position);
    bool inStep = false;
    for (std::size_t b = start.block; b < blocks_.size() && !inStep; ++b) {
        Block& block = blocks_[b];
        for (std::size_t i = b == start.block ? start.index : 0; i < block.places.size();
             ++i, ++position) {
            Slot& slot = block.places[i];
            const RowFlow::Place place = flow.Next(row, slot.width);
            if (place.newRow != slot.newRow) block.newRows += place.newRow ? 1 : -1;
            const bool sameX = place.x == slot.x;
            slot.x = place.x;
            slot.newRow = place.newRow;
            // Past the changed items, an item standing where it stood along its row leaves every
            // later one where it stood along its row: only their rows' count may differ.
            if (static_cast<std::int64_t>(position) > lastChanged_ && sameX) {
                inStep = true;
                break;
            }
        }
    }
    breakFrom_ = count_;
    lastChanged_ = -1;
}

void ViewLayout::RefreshBlock(Block& block) {
    block.newRows = 0;
    block.inkTop = std::numeric_limits<std::int64_t>::max();
    block.inkBottom = std::numeric_limits<std::int64_t>::min();
    for (std::size_t i = 0; i < block.places.size(); ++i) {
        block.newRows += block.places[i].newRow ? 1 : 0;
        block.inkTop = std::min(block.inkTop, block.details[i].ink.top);
        block.inkBottom = std::max(block.inkBottom, block.details[i].ink.bottom);
    }
    block.boundsStale = false;
}

void ViewLayout::Splice(std::size_t position, std::size_t removed,
                        std::span<Tablature* const> inserted) {
    while (removed > 0) {
        const Location location = Locate(position);
        Block& block = blocks_[location.block];
        const std::size_t taken = std::min(removed, block.places.size() - location.index);
        const auto from = static_cast<std::ptrdiff_t>(location.index);
        const auto to = from + static_cast<std::ptrdiff_t>(taken);
        block.places.erase(block.places.begin() + from, block.places.begin() + to);
        block.details.erase(block.details.begin() + from, block.details.begin() + to);
        block.boundsStale = true;
        count_ -= taken;
        removed -= taken;
        if (block.places.empty()) {
            blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(location.block));
            continue;
        }
        // A block that shrank much joins the next, so that blocks stay few.
        const std::size_t next = location.block + 1;
        if (block.places.size() < kBlockSize / 4 && next < blocks_.size() &&
            block.places.size() + blocks_[next].places.size() <= 2 * kBlockSize) {
            Block& after = blocks_[next];
            block.places.insert(block.places.end(), after.places.begin(), after.places.end());
            block.details.insert(block.details.end(), after.details.begin(), after.details.end());
            block.unmeasured = block.unmeasured || after.unmeasured;
            blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(next));
        }
    }
    if (inserted.empty()) return;

    Location location{blocks_.size(), 0, 0};
    if (position < count_) {
        location = Locate(position);
    } else if (!blocks_.empty()) {
        location = {blocks_.size() - 1, blocks_.back().places.size(), 0};
    } else {
        blocks_.emplace_back();
        location = {0, 0, 0};
    }
    Block& block = blocks_[location.block];
    const auto at = static_cast<std::ptrdiff_t>(location.index);
    block.places.insert(block.places.begin() + at, inserted.size(),
                       Slot{0, 0, false, State::Inserted});
    std::vector<Detail> details(inserted.size());
    for (std::size_t i = 0; i < inserted.size(); ++i) details[i].item = inserted[i];
    block.details.insert(block.details.begin() + at, details.begin(), details.end());
    block.unmeasured = true;
    block.boundsStale = true;
    count_ += inserted.size();
    // A block grown past twice its size gives its second half to a new one.
    std::size_t b = location.block;
    while (blocks_[b].places.size() > 2 * kBlockSize) {
        Block tail;
        Block& full = blocks_[b];
        const auto half = static_cast<std::ptrdiff_t>(kBlockSize);
        tail.places.assign(full.places.begin() + half, full.places.end());
        tail.details.assign(full.details.begin() + half, full.details.end());
        full.places.resize(kBlockSize);
        full.details.resize(kBlockSize);
        tail.unmeasured = full.unmeasured;
        tail.boundsStale = true;
        full.boundsStale = true;
        blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b) + 1, std::move(tail));
        ++b;
    }
    // Row counts serve the search for positions: keep them true at once.
    for (Block& changed : blocks_) {
        if (changed.boundsStale) RefreshBlock(changed);
    }
}

// ---- reading ---------------------------------------------------------------------------------

ViewLayout::Location ViewLayout::Locate(std::size_t position) const {
    Location location;
    for (const Block& block : blocks_) {
        if (position < block.places.size()) {
            location.index = position;
            return location;
        }
        position -= block.places.size();
        location.rowsBefore += block.newRows;
        ++location.block;
    }
    return location;
}

std::int32_t ViewLayout::RowTop(std::int64_t rows) const {
    constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();
    std::int64_t offset = 0;
    if (__builtin_mul_overflow(rows, rowStep_, &offset)) return rowStep_ < 0 ? kLowest : kHighest;
    std::int64_t top = 0;
    if (__builtin_add_overflow(offset, std::int64_t{settings_.topMargin}, &top)) {
        return offset < 0 ? kLowest : kHighest;
    }
    // Stepping a clamped top by a fixed step row after row gives the clamp of the sum: the layout
    // that steps row by row and the count of rows agree.
    return ClampToInt32(top);
}

LayoutPoint ViewLayout::OriginAt(const Location& location) const {
    const Block& block = blocks_[location.block];
    const Slot& slot = block.places[location.index];
    if (!uniform_) return {slot.x, block.details[location.index].y};
    std::int64_t rows = location.rowsBefore;
    for (std::size_t i = 0; i <= location.index; ++i) rows += block.places[i].newRow ? 1 : 0;
    return {slot.x, RowTop(rows)};
}

bool ViewLayout::BlockMayMeet(const Block& block, std::int64_t rowsBefore,
                              const LayoutRect& area) const {
    if (block.places.empty()) return false;
    // Tops grow (or shrink) with the rows, and clamping keeps the order: the block's first and
    // last rows and its extreme ink offsets bound the ink of every item in it.
    const std::int32_t first = RowTop(rowsBefore + (block.places.front().newRow ? 1 : 0));
    const std::int32_t last = RowTop(rowsBefore + block.newRows);
    const std::int32_t top = ClampToInt32(std::min(first, last) + block.inkTop);
    const std::int32_t bottom = ClampToInt32(std::max(first, last) + block.inkBottom);
    return top <= area.bottom && area.top <= bottom;
}

std::optional<std::int64_t> ViewLayout::Bottom(const TabSettings& settings, std::size_t itemCount) {
    if (!Describes(settings, itemCount) || !BringUpToDate()) return std::nullopt;
    std::int64_t rows = 0;
    for (const Block& block : blocks_) rows += block.newRows;
    const std::int32_t first = RowTop(blocks_.front().places.front().newRow ? 1 : 0);
    return std::int64_t{std::max(first, RowTop(rows))} + height_;
}

bool ViewLayout::PendingEditArea(const TabSettings& settings, std::int32_t windowWidth,
                                 std::size_t itemCount, std::optional<LayoutRect>& area) {
    area.reset();
    if (!described_ || windowWidth != windowWidth_ || !Describes(settings, itemCount) ||
        !BringUpToDate() || sincePaint_.moved) {
        return false;
    }
    area = sincePaint_.area;
    return true;
}

void ViewLayout::UpdateLastOrigin(const TabSettings& settings, std::size_t itemCount,
                                  Tablature& item) {
    if (!Describes(settings, itemCount) || !BringUpToDate()) return;
    const std::int64_t position = item.position;
    if (position < 0 || position >= static_cast<std::int64_t>(count_)) return;
    const Location location = Locate(static_cast<std::size_t>(position));
    if (blocks_[location.block].details[location.index].item == &item) {
        item.lastOrigin = OriginAt(location);
    }
}

void ViewLayout::UpdateLastOrigins(const TabSettings& settings, std::size_t itemCount) {
    if (!Describes(settings, itemCount) || !BringUpToDate() || owedFrom_ >= count_) return;
    ForEachFrom(owedFrom_, [](Tablature* item, LayoutPoint origin) { item->lastOrigin = origin; });
    owedFrom_ = count_;
}

}  // namespace lutaris
