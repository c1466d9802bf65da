#include "edit/DragSelection.h"

#include "model/TabDocument.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/clipboard/ClipboardFormatNames.h"

namespace lutaris {

void DragSelection::Begin() {
    document_.selection.clear();
    document_.copied = 0;
}

void DragSelection::End(std::optional<std::int32_t> startPosition,
                        std::optional<std::int32_t> endPosition, Clipboard* clipboard) {
    if (startPosition && endPosition) {
        for (const auto& item : document_.tabItems) {
            if (item->position >= *startPosition && item->position <= *endPosition) {
                document_.selection.push_back(item.get());
            }
        }
    }
    AnnounceSelection(clipboard);
}

void DragSelection::SelectAll(Clipboard* clipboard) {
    Begin();
    const auto last = static_cast<std::int32_t>(document_.tabItems.size()) - 1;
    End(0, last, clipboard);
}

void DragSelection::AnnounceSelection(Clipboard* clipboard) {
    if (clipboard == nullptr) return;
    std::vector<std::uint8_t> marker(4);
    for (std::size_t i = 0; i < marker.size(); ++i) {
        marker[i] = static_cast<std::uint8_t>(kMarkerValue >> (8 * i));
    }
    clipboard->SetFormats({{kSelectionFormat, std::move(marker)}});
}

}  // namespace lutaris
