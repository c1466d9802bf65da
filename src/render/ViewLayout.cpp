// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/ViewLayout.h"

#include <algorithm>
#include <bit>
#include <limits>

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
        Extend(sincePaint_.area, TabRenderer::PlaceInk(block.details[location.index].ink,
                                                       OriginAt(location.block, location.index)));
    }
    slot.state = State::Edited;
    MarkUnmeasured(location.block);
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
    const auto added = static_cast<std::int64_t>(inserted.size());
    if (lastChanged_ >= position) {
        lastChanged_ = std::max(lastChanged_ + added - removed, std::int64_t{position} - 1);
    }
    lastChanged_ = std::max(lastChanged_, position + added - 1);
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
        if (blocks_.empty() || blocks_.back().places.size() == kBlockSize) {
            blocks_.emplace_back().stale = true;
        }
        Block& block = blocks_.back();
        block.places.push_back({extent.width, place.x, place.newRow, State::Measured});
        block.details.push_back({item, measured.ink, extent.height, origin.y});
        ++count_;
    }
    RebuildSums();
    for (std::size_t b = 0; b < blocks_.size(); ++b) RefreshBlock(b);
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

RowFlow ViewLayout::Flow() const { return RowFlow(settings_.leftMargin, windowWidth_); }

bool ViewLayout::BringUpToDate() {
    if (!valid_) return false;
    for (const std::size_t b : toMeasure_) {
        if (!MeasureBlock(b)) {
            Invalidate();
            return false;
        }
    }
    toMeasure_.clear();
    if (breakFrom_ < count_) BreakRows();
    return true;
}

bool ViewLayout::MeasureBlock(std::size_t b) {
    Block& block = blocks_[b];
    if (!block.unmeasured) return true;
    const std::size_t first = PositionsBefore(b);
    for (std::size_t i = 0; i < block.places.size(); ++i) {
        Slot& slot = block.places[i];
        if (slot.state == State::Measured) continue;
        Detail& detail = block.details[i];
        const TabRenderer::Measurement measured = TabRenderer::Measure(*detail.item);
        if (measured.extent.height != height_ || detail.item->settings != settingsRecord_) {
            return false;
        }
        const std::size_t position = first + i;
        detail.ink = measured.ink;
        detail.height = height_;
        // The block's bounds need only hold every ink box: widening them spares reading the
        // block again.
        block.inkTop = std::min(block.inkTop, detail.ink.top);
        block.inkBottom = std::max(block.inkBottom, detail.ink.bottom);
        if (slot.state == State::Inserted || measured.extent.width != slot.width) {
            if (measured.extent.width >= block.widest) {
                BlockWidestChanged(block.widest, measured.extent.width);
                block.widest = measured.extent.width;
            } else if (slot.width == block.widest) {
                block.widestStale = true;
                BlockWidestChanged(block.widest, measured.extent.width);
            }
            slot.width = measured.extent.width;
            breakFrom_ = std::min(breakFrom_, position);
            lastChanged_ = std::max(lastChanged_, static_cast<std::int64_t>(position));
            sincePaint_.moved = true;
        } else if (position < breakFrom_) {
            // The new ink where the item stands, which nothing moves.
            Extend(sincePaint_.area, TabRenderer::PlaceInk(detail.ink, OriginAt(b, i)));
        }
        slot.state = State::Measured;
    }
    block.unmeasured = false;
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
            if (place.newRow != slot.newRow) {
                const int change = place.newRow ? 1 : -1;
                block.newRows += change;
                AdjustSums(b, 0, change);
            }
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

void ViewLayout::Splice(std::size_t position, std::size_t removed,
                        std::span<Tablature* const> inserted) {
    // Items that come back where others were taken out (a move) keep what was measured of them.
    ComingBack comingBack;
    while (removed > 0) {
        const Location location = Locate(position);
        Block& block = blocks_[location.block];
        const std::size_t taken = std::min(removed, block.places.size() - location.index);
        const auto from = static_cast<std::ptrdiff_t>(location.index);
        const auto to = from + static_cast<std::ptrdiff_t>(taken);
        for (auto i = from; i < to && !inserted.empty(); ++i) {
            const auto k = static_cast<std::size_t>(i);
            comingBack.emplace(block.details[k].item, std::pair(block.places[k], block.details[k]));
        }
        block.places.erase(block.places.begin() + from, block.places.begin() + to);
        block.details.erase(block.details.begin() + from, block.details.begin() + to);
        block.stale = true;
        count_ -= taken;
        removed -= taken;
        // A block that emptied goes, and one that shrank much joins the next, so that blocks
        // stay few; the sums then start afresh.
        const std::size_t next = location.block + 1;
        if (block.places.empty()) {
            blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(location.block));
            RebuildSums();
        } else if (block.places.size() < kBlockSize / 4 && next < blocks_.size() &&
                   block.places.size() + blocks_[next].places.size() <= 2 * kBlockSize) {
            Block& after = blocks_[next];
            block.places.insert(block.places.end(), after.places.begin(), after.places.end());
            block.details.insert(block.details.end(), after.details.begin(), after.details.end());
            block.unmeasured = block.unmeasured || after.unmeasured;
            blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(next));
            RebuildSums();
        } else {
            AdjustSums(location.block, -static_cast<std::int64_t>(taken), 0);
        }
    }
    if (!inserted.empty()) Insert(position, inserted, comingBack);
    // Only the blocks around the splice changed.
    if (count_ == 0) return;
    const std::size_t from = Locate(std::min(position, count_ - 1)).block;
    const std::size_t to = Locate(std::min(position + inserted.size(), count_ - 1)).block;
    for (std::size_t b = from > 0 ? from - 1 : 0; b <= std::min(to + 1, blocks_.size() - 1); ++b) {
        if (blocks_[b].stale) RefreshBlock(b);
    }
}

void ViewLayout::Insert(std::size_t position, std::span<Tablature* const> inserted,
                        const ComingBack& comingBack) {
    Location location;
    if (position < count_) {
        location = Locate(position);
    } else if (!blocks_.empty()) {
        location = {blocks_.size() - 1, blocks_.back().places.size(), 0};
    } else {
        blocks_.emplace_back();
        RebuildSums();
    }
    std::vector<Slot> places(inserted.size(), Slot{0, 0, false, State::Inserted});
    std::vector<Detail> details(inserted.size());
    for (std::size_t i = 0; i < inserted.size(); ++i) {
        details[i].item = inserted[i];
        if (const auto known = comingBack.find(inserted[i]); known != comingBack.end()) {
            places[i] = known->second.first;
            details[i] = known->second.second;
        }
    }
    Block& block = blocks_[location.block];
    const auto at = static_cast<std::ptrdiff_t>(location.index);
    block.places.insert(block.places.begin() + at, places.begin(), places.end());
    block.details.insert(block.details.begin() + at, details.begin(), details.end());
    block.stale = true;
    count_ += inserted.size();
    AdjustSums(location.block, static_cast<std::int64_t>(inserted.size()), 0);
    // A block grown past twice its size gives its second half to a new one.
    std::size_t last = location.block;
    for (; blocks_[last].places.size() > 2 * kBlockSize; ++last) {
        Block tail;
        Block& full = blocks_[last];
        const auto half = static_cast<std::ptrdiff_t>(kBlockSize);
        tail.places.assign(full.places.begin() + half, full.places.end());
        tail.details.assign(full.details.begin() + half, full.details.end());
        full.places.resize(kBlockSize);
        full.details.resize(kBlockSize);
        tail.stale = true;
        blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(last) + 1, std::move(tail));
    }
    if (last > location.block) RebuildSums();
    // The blocks that hold positions to measure now, new ones or ones an edit left.
    for (std::size_t b = location.block; b <= last; ++b) {
        const auto& changed = blocks_[b].places;
        if (std::any_of(changed.begin(), changed.end(),
                        [](const Slot& slot) { return slot.state != State::Measured; })) {
            MarkUnmeasured(b);
        }
    }
}

void ViewLayout::RefreshBlock(std::size_t b) {
    Block& block = blocks_[b];
    std::int64_t newRows = 0;
    block.inkTop = std::numeric_limits<std::int64_t>::max();
    block.inkBottom = std::numeric_limits<std::int64_t>::min();
    const std::int32_t widestBefore = block.widest;
    block.widest = std::numeric_limits<std::int32_t>::min();
    block.widestStale = false;
    for (std::size_t i = 0; i < block.places.size(); ++i) {
        block.widest = std::max(block.widest, block.places[i].width);
        newRows += block.places[i].newRow ? 1 : 0;
        block.inkTop = std::min(block.inkTop, block.details[i].ink.top);
        block.inkBottom = std::max(block.inkBottom, block.details[i].ink.bottom);
    }
    BlockWidestChanged(widestBefore, block.widest);
    AdjustSums(b, 0, newRows - block.newRows);
    block.newRows = newRows;
    block.stale = false;
}

void ViewLayout::MarkUnmeasured(std::size_t b) {
    if (!blocks_[b].unmeasured) {
        blocks_[b].unmeasured = true;
        toMeasure_.push_back(b);
    } else if (std::find(toMeasure_.begin(), toMeasure_.end(), b) == toMeasure_.end()) {
        toMeasure_.push_back(b);
    }
}

// ---- the sums over the blocks ------------------------------------------------------------------

void ViewLayout::BlockWidestChanged(std::int32_t before, std::int32_t after) {
    if (!widest_) return;
    if (after >= *widest_) {
        widest_ = after;
    } else if (before >= *widest_) {
        widest_.reset();
    }
}

void ViewLayout::RebuildSums() {
    // Blocks came or went, and the widest items with them.
    widest_.reset();
    const std::size_t count = blocks_.size();
    sums_.assign(count + 1, Sums{});
    totalRows_ = 0;
    toMeasure_.clear();
    for (std::size_t i = 1; i <= count; ++i) {
        const Block& block = blocks_[i - 1];
        sums_[i].positions += static_cast<std::int64_t>(block.places.size());
        sums_[i].rows += block.newRows;
        totalRows_ += block.newRows;
        if (block.unmeasured) toMeasure_.push_back(i - 1);
        const std::size_t parent = i + (i & (~i + 1));
        if (parent <= count) {
            sums_[parent].positions += sums_[i].positions;
            sums_[parent].rows += sums_[i].rows;
        }
    }
}

void ViewLayout::AdjustSums(std::size_t b, std::int64_t size, std::int64_t rows) {
    totalRows_ += rows;
    for (std::size_t i = b + 1; i < sums_.size(); i += i & (~i + 1)) {
        sums_[i].positions += size;
        sums_[i].rows += rows;
    }
}

std::size_t ViewLayout::PositionsBefore(std::size_t b) const {
    std::int64_t sum = 0;
    for (std::size_t i = b; i > 0; i -= i & (~i + 1)) sum += sums_[i].positions;
    return static_cast<std::size_t>(sum);
}

std::int64_t ViewLayout::RowsBefore(std::size_t b) const {
    std::int64_t sum = 0;
    for (std::size_t i = b; i > 0; i -= i & (~i + 1)) sum += sums_[i].rows;
    return sum;
}

ViewLayout::Location ViewLayout::Locate(std::size_t position) const {
    // The most blocks whose sizes add up to no more than `position`: the block after them holds
    // it. A position past the last gives the block after the last.
    Location location;
    auto remaining = static_cast<std::int64_t>(position);
    const std::size_t count = blocks_.size();
    for (std::size_t step = std::bit_floor(count); step > 0; step >>= 1) {
        const std::size_t next = location.block + step;
        if (next <= count && sums_[next].positions <= remaining) {
            location.block = next;
            remaining -= sums_[next].positions;
            location.rowsBefore += sums_[next].rows;
        }
    }
    location.index = static_cast<std::size_t>(remaining);
    return location;
}

// ---- reading ---------------------------------------------------------------------------------

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

LayoutPoint ViewLayout::OriginAt(std::size_t b, std::size_t index) const {
    const Block& block = blocks_[b];
    const Slot& slot = block.places[index];
    if (!uniform_) return {slot.x, block.details[index].y};
    // The rows up to the position, counted from the nearer end of its block.
    std::int64_t rows = RowsBefore(b);
    if (index < block.places.size() / 2) {
        for (std::size_t i = 0; i <= index; ++i) rows += block.places[i].newRow ? 1 : 0;
    } else {
        rows += block.newRows;
        for (std::size_t i = index + 1; i < block.places.size(); ++i) {
            rows -= block.places[i].newRow ? 1 : 0;
        }
    }
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
    const std::int32_t first = RowTop(blocks_.front().places.front().newRow ? 1 : 0);
    return std::int64_t{std::max(first, RowTop(totalRows_))} + height_;
}

std::optional<std::int32_t> ViewLayout::Widest(const TabSettings& settings, std::size_t itemCount) {
    if (!Describes(settings, itemCount) || !BringUpToDate()) return std::nullopt;
    if (widest_) return widest_;
    std::int32_t widest = std::numeric_limits<std::int32_t>::min();
    for (Block& block : blocks_) {
        if (block.widestStale) {
            block.widest = std::numeric_limits<std::int32_t>::min();
            for (const Slot& slot : block.places) block.widest = std::max(block.widest, slot.width);
            block.widestStale = false;
        }
        widest = std::max(widest, block.widest);
    }
    widest_ = widest;
    return widest;
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
        item.lastOrigin = OriginAt(location.block, location.index);
    }
}

void ViewLayout::UpdateLastOrigins(const TabSettings& settings, std::size_t itemCount) {
    if (!Describes(settings, itemCount) || !BringUpToDate() || owedFrom_ >= count_) return;
    ForEachFrom(owedFrom_, [](Tablature* item, LayoutPoint origin) { item->lastOrigin = origin; });
    owedFrom_ = count_;
}

}  // namespace lutaris
