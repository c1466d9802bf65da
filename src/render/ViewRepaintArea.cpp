// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/ViewRepaintArea.h"

#include "model/TabCursor.h"
#include "render/CaretRenderer.h"
#include "render/ViewDocument.h"
#include "render/ViewLayout.h"

namespace lutaris {

void ViewRepaintArea::Painted(const ViewDocument& document, std::optional<LayoutRect> exposed) {
    if (!exposed) {
        caretShown_.reset();
        known_ = true;
    } else if (caretShown_ && exposed->Contains(*caretShown_)) {
        caretShown_.reset();
    }
    const TabCursor* cursor = document.cursor.get();
    if (cursor == nullptr || cursor->tabItem == nullptr) return;
    const std::optional<LayoutRect> caret = CaretInkBounds(*cursor);
    if (!caret) {
        known_ = false;
        return;
    }
    Extend(caretShown_, *caret);
}

std::optional<LayoutRect> ViewRepaintArea::Changed(const ViewDocument& document,
                                                   std::int32_t windowWidth) const {
    if (!known_) return std::nullopt;
    std::optional<LayoutRect> area;
    if (!document.GetViewLayout().PendingEditArea(*document.settings, windowWidth,
                                                  document.tabItems.size(), area)) {
        return std::nullopt;
    }
    if (caretShown_) Extend(area, *caretShown_);
    const TabCursor* cursor = document.cursor.get();
    if (cursor != nullptr && cursor->tabItem != nullptr) {
        document.UpdateLastOrigin(*cursor->tabItem);
        const std::optional<LayoutRect> caret = CaretInkBounds(*cursor);
        if (!caret) return std::nullopt;
        Extend(area, *caret);
    }
    return area;
}

}  // namespace lutaris
