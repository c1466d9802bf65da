#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/Tablature.h"
#include "render/LayoutRect.h"
#include "render/TabRenderer.h"

namespace lutaris {

// The view's flow of tab items as the last paint laid it out, kept so that a keystroke costs
// what the screen shows instead of what the document holds. Each position's item, origin, width
// and ink box are kept in reading order, with running bounds of the ink boxes, so that the items
// meeting an area are found by binary search.
//
// A kept layout is trusted only for the paint that follows an edit announced with ItemEdited
// (the keystroke path) or a change announced with NothingMoved (a caret move, a scroll),
// because nothing else says what changed: every other paint lays the whole document out afresh
// and starts a new kept layout. Discard() forgets it altogether.
class ViewLayout {
public:
    struct Entry {
        Tablature* item = nullptr;
        LayoutPoint origin;
        std::int32_t width = 0;
        std::int32_t height = 0;
        TabRenderer::InkBox ink;
        LayoutRect inkBounds;  // ink placed at origin: exactly TabRenderer::InkBounds
    };

    void Discard();
    // The notes of `item` changed, and nothing else did since the last paint.
    void ItemEdited(const Tablature* item);
    // Nothing the layout depends on changed since the last paint (only the caret moved, or the
    // view scrolled): the next paint can start from it.
    void NothingMoved();

    // A full layout: Begin, one Add per position in reading order, then Finish with the number
    // of items the document holds. A layout that did not place every item once, or whose
    // items do not all take their sizes from `settings`, is not kept.
    void Begin(const TabSettings& settings, std::int32_t windowWidth, std::size_t itemCount);
    void Add(const Entry& entry);
    void Finish(std::size_t itemCount);

    // Brings a trusted layout up to date with the edited items, storing the new origins in the
    // items as a full paint would. False when it cannot (no trusted layout, another window
    // width, other settings or items): the caller then lays everything out. Either way the
    // trust ends here.
    bool Update(const TabSettings& settings, std::int32_t windowWidth, std::size_t itemCount);

    // Where the pixels of the edits announced since the last paint lie: the ink of each edited
    // item before and after its edit, none when no item was edited. False when the next paint
    // will lay everything out again or items will move (an edit changed a width), and the
    // whole view has to be painted.
    bool PendingEditArea(const TabSettings& settings, std::int32_t windowWidth,
                         std::size_t itemCount, std::optional<LayoutRect>& area) const;

    // The positions, in reading order, whose ink boxes meet `area`.
    template <typename Visit>
    void ForEachMeeting(const LayoutRect& area, Visit visit) const;

    // The bottom of the lowest item (origin plus height) as last laid out, while the layout
    // describes these settings and as many items; what the scroll range reaches.
    std::optional<std::int64_t> Bottom(const TabSettings& settings, std::size_t itemCount) const;

    const std::vector<Entry>& Entries() const { return entries_; }
    // How many paints were made from a kept layout.
    std::size_t ReusedPaints() const { return reusedPaints_; }

private:
    bool Describes(const TabSettings& settings, std::int32_t windowWidth,
                   std::size_t itemCount) const;
    // Lays out positions from `first` on with the kept widths, until an origin comes out as
    // before past `last`.
    void Reflow(std::size_t first, std::size_t last, std::size_t& changedTo);
    // Recomputes the running bounds after the entries in [from, to] changed.
    void RefreshBounds(std::size_t from, std::size_t to);

    std::vector<Entry> entries_;
    // Greatest ink bottom of positions 0 … i, least ink top of positions i … n − 1, greatest
    // item bottom of positions 0 … i.
    std::vector<std::int32_t> inkBottomSoFar_;
    std::vector<std::int32_t> inkTopFromHere_;
    std::vector<std::int64_t> bottomSoFar_;
    const TabSettings* settingsRecord_ = nullptr;
    TabSettings settings_;
    std::int32_t windowWidth_ = 0;
    std::size_t reusedPaints_ = 0;
    bool valid_ = false;
    bool building_ = false;
    bool trusted_ = false;
    std::vector<const Tablature*> edited_;
};

template <typename Visit>
void ViewLayout::ForEachMeeting(const LayoutRect& area, Visit visit) const {
    // Before `first` every box ends above the area; from `last` on every box starts below it.
    const auto first = static_cast<std::size_t>(
        std::lower_bound(inkBottomSoFar_.begin(), inkBottomSoFar_.end(), area.top) -
        inkBottomSoFar_.begin());
    const auto last = static_cast<std::size_t>(
        std::upper_bound(inkTopFromHere_.begin(), inkTopFromHere_.end(), area.bottom) -
        inkTopFromHere_.begin());
    for (std::size_t i = first; i < last; ++i) {
        if (entries_[i].inkBounds.Intersects(area)) visit(i, entries_[i]);
    }
}

}  // namespace lutaris
