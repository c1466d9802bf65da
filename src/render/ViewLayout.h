// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/Tablature.h"
#include "render/LayoutRect.h"
#include "render/RowFlow.h"
#include "render/TabRenderer.h"

namespace lutaris {

// The view's flow of tab items at its window's width, kept from one paint to the next so that a
// change costs what it changes and what the screen shows, not what the document holds.
//
// Positions are kept in reading order in blocks of a few hundred, each with its item, width,
// ink box and place along its row. Every item is as high as the next, so rows are counted
// rather than their tops stored: an item stands rows × (height + nextLineSpacing) below
// topMargin. A change therefore touches only the rows it changes: inserting or removing items
// splices one block, and the rows are broken again from the first changed position until a row
// starts where it started before; everything after it moves by the rows gained or lost without
// being touched. (Where neighbouring items are all equally wide the rows never fall into step
// again, and breaking them goes on to the end over the kept widths, reading no item.)
//
// The document's hooks tell the layout what changed: an item's notes (ItemEdited), items
// replaced at a position (ItemsReplaced: inserted, removed or moved), or nothing it depends on
// (NothingMoved). The next paint starts from the kept layout only after such a word; after
// anything else (Discard, a change nobody described, other settings, another window width) it
// lays the whole document out again.
//
// Items learn where they stand (lastOrigin) from the layout alone, and only when it is needed:
// every item when the whole document is laid out, the items a paint draws, and the items a
// reader asks for (UpdateLastOrigin, UpdateLastOrigins). A change near the top of a songbook
// thus writes to none of the thousands of items it moves down.
class ViewLayout {
public:
    using Items = std::vector<std::unique_ptr<Tablature>>;

    // One position as laid out.
    struct Placed {
        Tablature* item = nullptr;
        LayoutPoint origin;
        LayoutSize extent;
        LayoutRect inkBounds;  // exactly TabRenderer::InkBounds at the origin
    };

    // ---- What changed since the last layout ----
    // Anything may have: the next paint lays everything out afresh. The origins still owed are
    // written first to those of `items` that the layout holds where it holds them, so that
    // readers find the places of the last layout until the next one.
    void Discard(const Items& items);
    // The notes of `item` changed (null: of none).
    void ItemEdited(const Tablature* item);
    // The items at positions [position, position + removed) gave way to `inserted`, in reading
    // order; the items after them moved along.
    void ItemsReplaced(std::int32_t position, std::int32_t removed,
                       std::span<Tablature* const> inserted);
    // Nothing else changed: the next paint may start from the kept layout.
    void NothingMoved();

    // ---- Laying out ----
    // Lays the items out for a paint at `windowWidth`: from the kept layout where every change
    // since the last paint was described, otherwise afresh, writing every item's lastOrigin.
    void LayOut(const TabSettings& settings, const Items& items, std::int32_t windowWidth);

    // The positions whose ink boxes meet `area` (every position without one) as the last LayOut
    // placed them, in reading order; each one's lastOrigin is written before it is visited.
    template <typename Visit>
    void ForEachMeeting(const std::optional<LayoutRect>& area, Visit visit);

    // ---- Reading between paints ----
    // Each brings the kept layout up to date with the changes described since, while it describes
    // these settings and as many items.
    //
    // The bottom of the lowest item: what the scroll range reaches.
    std::optional<std::int64_t> Bottom(const TabSettings& settings, std::size_t itemCount);
    // The width of the widest item: how far across the scroll range reaches when an item is
    // wider than the window.
    std::optional<std::int32_t> Widest(const TabSettings& settings, std::size_t itemCount);
    // Where the pixels of the notes edited since the last paint lie (their ink before and after),
    // none when no item was edited. False when the next paint lays everything out again or an
    // item moves, and the whole view has to be painted.
    bool PendingEditArea(const TabSettings& settings, std::int32_t windowWidth,
                         std::size_t itemCount, std::optional<LayoutRect>& area);
    // Writes where the item stands into its lastOrigin; nothing for an item the layout does not
    // hold.
    void UpdateLastOrigin(const TabSettings& settings, std::size_t itemCount, Tablature& item);
    // The same for every item whose lastOrigin is not up to date yet.
    void UpdateLastOrigins(const TabSettings& settings, std::size_t itemCount);

    // How many paints started from a kept layout.
    std::size_t ReusedPaints() const { return reusedPaints_; }

private:
    static constexpr std::size_t kBlockSize = 256;
    enum class State : std::uint8_t { Measured, Edited, Inserted };

    // What breaking the rows reads and writes, kept small.
    struct Slot {
        std::int32_t width = 0;
        std::int32_t x = 0;
        bool newRow = false;  // the item begins a row below the one before
        State state = State::Measured;
    };
    // The rest of a position.
    struct Detail {
        Tablature* item = nullptr;
        TabRenderer::InkBox ink;
        std::int32_t height = 0;
        // As laid out afresh; read only where the items differ in height (no kept layout then).
        std::int32_t y = 0;
    };
    struct Block {
        std::vector<Slot> places;
        std::vector<Detail> details;
        std::int64_t newRows = 0;
        // Least ink top and greatest ink bottom, relative to the origins: with the rows the
        // block spans, a bound on where its ink lies.
        std::int64_t inkTop = 0;
        std::int64_t inkBottom = 0;
        std::int32_t widest = 0;
        bool widestStale = false;  // the widest item narrowed: widest is to be found again
        bool unmeasured = false;
        bool stale = false;  // newRows and the ink bounds are to be counted again
    };
    // A block's widest went from `before` to `after`: the widest of all follows, or is to be
    // found again when the item that set it narrowed or went.
    void BlockWidestChanged(std::int32_t before, std::int32_t after);
    struct Location {
        std::size_t block = 0;
        std::size_t index = 0;
        std::int64_t rowsBefore = 0;  // new rows in the blocks before
    };
    // The edits' pixels since the last paint, or that something moved.
    struct Changes {
        std::optional<LayoutRect> area;
        bool moved = false;
    };
    using ComingBack = std::unordered_map<const Tablature*, std::pair<Slot, Detail>>;

    void Build(const TabSettings& settings, const Items& items, std::int32_t windowWidth);
    void Invalidate();
    bool Describes(const TabSettings& settings, std::size_t itemCount) const;
    RowFlow Flow() const;
    // Measures what changed and breaks the rows again where needed; false (and no kept layout
    // any more) where the changes cannot be kept apart from the rest.
    bool BringUpToDate();
    bool MeasureBlock(std::size_t b);
    void BreakRows();
    void Splice(std::size_t position, std::size_t removed, std::span<Tablature* const> inserted);
    void Insert(std::size_t position, std::span<Tablature* const> inserted,
                const ComingBack& comingBack);
    void RefreshBlock(std::size_t b);
    void MarkUnmeasured(std::size_t b);

    // The sums over the blocks that find a position in steps that grow with the logarithm of
    // the number of blocks: a Fenwick tree of their sizes and of their new rows. Rebuilt when
    // blocks come or go, adjusted when they change.
    void RebuildSums();
    void AdjustSums(std::size_t b, std::int64_t size, std::int64_t rows);
    std::size_t PositionsBefore(std::size_t b) const;
    std::int64_t RowsBefore(std::size_t b) const;
    Location Locate(std::size_t position) const;

    // The top of an item after `rows` new rows.
    std::int32_t RowTop(std::int64_t rows) const;
    LayoutPoint OriginAt(std::size_t b, std::size_t index) const;
    // Every position from `position` on, in reading order, with where it stands (kept layouts).
    template <typename Visit>
    void ForEachFrom(std::size_t position, Visit visit) const;
    bool BlockMayMeet(const Block& block, std::int64_t rowsBefore, const LayoutRect& area) const;

    std::vector<Block> blocks_;
    // The widest item of all while known: the range across is asked for before every paint,
    // and reading every block for it would make a command's layout grow with the songbook.
    std::optional<std::int32_t> widest_;
    struct Sums {
        std::int64_t positions = 0;
        std::int64_t rows = 0;
    };
    std::vector<Sums> sums_;              // the Fenwick tree, from index 1
    std::vector<std::size_t> toMeasure_;  // blocks with positions to measure
    std::size_t count_ = 0;
    std::int64_t totalRows_ = 0;
    const TabSettings* settingsRecord_ = nullptr;
    TabSettings settings_;
    std::int32_t windowWidth_ = 0;
    std::int32_t height_ = 0;
    std::int64_t rowStep_ = 0;  // height + nextLineSpacing
    // Every item as high as the next and on these settings: rows are counted, not stored.
    bool uniform_ = false;
    // The layout describes the document and can follow described changes.
    bool valid_ = false;
    // A change was described since the last paint.
    bool described_ = false;
    // From here on the rows are to be broken again; positions up to lastChanged_ hold changed
    // items (past it, a row starting where it did ends the work).
    std::size_t breakFrom_ = 0;
    std::int64_t lastChanged_ = -1;
    // From here on items may not know where they stand.
    std::size_t owedFrom_ = 0;
    Changes sincePaint_;
    std::size_t reusedPaints_ = 0;
};

template <typename Visit>
void ViewLayout::ForEachMeeting(const std::optional<LayoutRect>& area, Visit visit) {
    std::int64_t rows = 0;
    for (Block& block : blocks_) {
        if (area && uniform_ && !BlockMayMeet(block, rows, *area)) {
            rows += block.newRows;
            continue;
        }
        for (std::size_t i = 0; i < block.places.size(); ++i) {
            const Slot& slot = block.places[i];
            const Detail& detail = block.details[i];
            rows += slot.newRow ? 1 : 0;
            const LayoutPoint origin{slot.x, uniform_ ? RowTop(rows) : detail.y};
            const LayoutRect ink = TabRenderer::PlaceInk(detail.ink, origin);
            if (area && !ink.Intersects(*area)) continue;
            detail.item->lastOrigin = origin;
            visit(Placed{detail.item, origin, {slot.width, detail.height}, ink});
        }
    }
}

}  // namespace lutaris
