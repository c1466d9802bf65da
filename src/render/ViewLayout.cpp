#include "render/ViewLayout.h"

#include <algorithm>

#include "platform/runtime/Int32Math.h"

namespace lutaris {

void ViewLayout::Discard() {
    valid_ = false;
    building_ = false;
    trusted_ = false;
    edited_.clear();
}

void ViewLayout::ItemEdited(const Tablature* item) {
    if (!valid_) return;
    trusted_ = true;
    if (item != nullptr) edited_.push_back(item);
}

void ViewLayout::NothingMoved() {
    if (valid_) trusted_ = true;
}

void ViewLayout::Begin(const TabSettings& settings, std::int32_t windowWidth,
                       std::size_t itemCount) {
    Discard();
    entries_.clear();
    entries_.reserve(itemCount);
    settingsRecord_ = &settings;
    settings_ = settings;
    windowWidth_ = windowWidth;
    building_ = true;
}

void ViewLayout::Add(const Entry& entry) {
    if (!building_) return;
    // Every item must take its height from the settings the layout compares.
    if (entry.item->settings != settingsRecord_ ||
        (!entries_.empty() && entry.height != entries_.front().height)) {
        building_ = false;
        return;
    }
    entries_.push_back(entry);
}

void ViewLayout::Finish(std::size_t itemCount) {
    // Only a layout that placed every item describes the document.
    if (!building_ || entries_.size() != itemCount || entries_.empty()) {
        Discard();
        return;
    }
    building_ = false;
    inkBottomSoFar_.resize(entries_.size());
    inkTopFromHere_.resize(entries_.size());
    bottomSoFar_.resize(entries_.size());
    RefreshBounds(0, entries_.size() - 1);
    valid_ = true;
}

bool ViewLayout::Describes(const TabSettings& settings, std::int32_t windowWidth,
                           std::size_t itemCount) const {
    return valid_ && settingsRecord_ == &settings && settings_ == settings &&
           windowWidth_ == windowWidth && entries_.size() == itemCount;
}

std::optional<std::int64_t> ViewLayout::Bottom(const TabSettings& settings,
                                               std::size_t itemCount) const {
    if (!valid_ || settingsRecord_ != &settings || !(settings_ == settings) ||
        entries_.size() != itemCount) {
        return std::nullopt;
    }
    return bottomSoFar_.back();
}

bool ViewLayout::Update(const TabSettings& settings, std::int32_t windowWidth,
                        std::size_t itemCount) {
    const bool trusted = trusted_ && Describes(settings, windowWidth, itemCount);
    trusted_ = false;
    std::vector<const Tablature*> edited;
    edited.swap(edited_);
    if (!trusted) return false;

    std::vector<std::size_t> positions;
    positions.reserve(edited.size());
    for (const Tablature* item : edited) {
        const std::int64_t position = item->position;
        if (position < 0 || static_cast<std::size_t>(position) >= entries_.size() ||
            entries_[static_cast<std::size_t>(position)].item != item) {
            Discard();
            return false;
        }
        positions.push_back(static_cast<std::size_t>(position));
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    if (positions.empty()) {
        ++reusedPaints_;
        return true;
    }

    std::size_t reflowFrom = entries_.size();
    std::size_t lastWidthChange = 0;
    for (const std::size_t position : positions) {
        Entry& entry = entries_[position];
        const LayoutSize extent = entry.item->GetExtent();
        if (extent.height != entry.height) {
            Discard();
            return false;
        }
        entry.ink = TabRenderer::InkAroundOrigin(*entry.item, extent);
        entry.inkBounds = TabRenderer::PlaceInk(entry.ink, entry.origin);
        if (extent.width != entry.width) {
            entry.width = extent.width;
            reflowFrom = std::min(reflowFrom, position);
            lastWidthChange = position;
        }
    }
    std::size_t changedTo = positions.back();
    if (reflowFrom < entries_.size()) Reflow(reflowFrom, lastWidthChange, changedTo);
    RefreshBounds(positions.front(), changedTo);
    ++reusedPaints_;
    return true;
}

bool ViewLayout::PendingEditArea(const TabSettings& settings, std::int32_t windowWidth,
                                 std::size_t itemCount, std::optional<LayoutRect>& area) const {
    area.reset();
    if (!trusted_ || !Describes(settings, windowWidth, itemCount)) return false;
    for (const Tablature* item : edited_) {
        const std::int64_t position = item->position;
        if (position < 0 || static_cast<std::size_t>(position) >= entries_.size()) return false;
        const Entry& entry = entries_[static_cast<std::size_t>(position)];
        if (entry.item != item) return false;
        const LayoutSize extent = item->GetExtent();
        if (extent.width != entry.width || extent.height != entry.height) return false;
        Extend(area, entry.inkBounds);
        Extend(area,
               TabRenderer::PlaceInk(TabRenderer::InkAroundOrigin(*item, extent), entry.origin));
    }
    return true;
}

void ViewLayout::Reflow(std::size_t first, std::size_t last, std::size_t& changedTo) {
    std::int64_t x = settings_.leftMargin;
    std::int64_t y = settings_.topMargin;
    if (first > 0) {
        const Entry& previous = entries_[first - 1];
        x = std::int64_t{previous.origin.x} + previous.width;
        y = previous.origin.y;
    }
    for (std::size_t i = first; i < entries_.size(); ++i) {
        Entry& entry = entries_[i];
        LayoutPoint origin{ClampToInt32(x), ClampToInt32(y)};
        if (x + entry.width > windowWidth_) {
            origin = {settings_.leftMargin,
                      ClampToInt32(y + entry.height + settings_.nextLineSpacing)};
        }
        // Past the last changed width, an item that stands where it stood leaves every later
        // one where it stood too.
        if (i > last && origin == entry.origin) break;
        if (!(origin == entry.origin)) {
            entry.origin = origin;
            entry.item->lastOrigin = origin;
            entry.inkBounds = TabRenderer::PlaceInk(entry.ink, origin);
        }
        changedTo = std::max(changedTo, i);
        x = std::int64_t{origin.x} + entry.width;
        y = origin.y;
    }
}

void ViewLayout::RefreshBounds(std::size_t from, std::size_t to) {
    const std::size_t count = entries_.size();
    for (std::size_t i = from; i < count; ++i) {
        const Entry& entry = entries_[i];
        std::int32_t inkBottom = entry.inkBounds.bottom;
        std::int64_t bottom = std::int64_t{entry.origin.y} + entry.height;
        if (i > 0) {
            inkBottom = std::max(inkBottom, inkBottomSoFar_[i - 1]);
            bottom = std::max(bottom, bottomSoFar_[i - 1]);
        }
        if (i > to && inkBottom == inkBottomSoFar_[i] && bottom == bottomSoFar_[i]) break;
        inkBottomSoFar_[i] = inkBottom;
        bottomSoFar_[i] = bottom;
    }
    for (std::size_t i = to + 1; i-- > 0;) {
        std::int32_t inkTop = entries_[i].inkBounds.top;
        if (i + 1 < count) inkTop = std::min(inkTop, inkTopFromHere_[i + 1]);
        if (i < from && inkTop == inkTopFromHere_[i]) break;
        inkTopFromHere_[i] = inkTop;
    }
}

}  // namespace lutaris
