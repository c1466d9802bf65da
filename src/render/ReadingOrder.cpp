#include "render/ReadingOrder.h"

namespace lutaris {

std::vector<Tablature*> ItemsByPosition(const std::vector<std::unique_ptr<Tablature>>& items) {
    std::vector<Tablature*> byPosition(items.size(), nullptr);
    for (const auto& item : items) {
        const std::int32_t position = item->position;
        if (position < 0 || static_cast<std::size_t>(position) >= byPosition.size()) continue;
        if (byPosition[position] == nullptr) byPosition[position] = item.get();
    }
    return byPosition;
}

std::vector<bool> SelectedPositions(const std::vector<Tablature*>& selection, std::size_t count) {
    std::vector<bool> selected(count, false);
    for (const Tablature* item : selection) {
        if (item == nullptr || item->position < 0) continue;
        if (static_cast<std::size_t>(item->position) < count) selected[item->position] = true;
    }
    return selected;
}

}  // namespace lutaris
