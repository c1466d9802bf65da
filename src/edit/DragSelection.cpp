// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/DragSelection.h"

#include "model/TabDocument.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/clipboard/ClipboardFormatNames.h"

namespace lutaris {

void DragSelection::Begin() { document_.SetSelection({}, 0); }

void DragSelection::End(std::optional<std::int32_t> startPosition,
                        std::optional<std::int32_t> endPosition, Clipboard* clipboard) {
    if (startPosition && endPosition) {
        std::vector<Tablature*> selected;
        for (const auto& item : document_.tabItems) {
            if (item->position >= *startPosition && item->position <= *endPosition) {
                selected.push_back(item.get());
            }
        }
        document_.SetSelection(std::move(selected), document_.copied);
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
