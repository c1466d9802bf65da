// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/ViewDocument.h"

#include "render/ViewLayout.h"

namespace lutaris {

ViewDocument::ViewDocument(Prompter& prompter)
    : TabDocument(prompter), viewLayout_(std::make_unique<ViewLayout>()) {}

ViewDocument::~ViewDocument() = default;

void ViewDocument::DiscardLayout() { viewLayout_->Discard(tabItems); }

void ViewDocument::LayoutItemEdited(const Tablature* edited) { viewLayout_->ItemEdited(edited); }

void ViewDocument::LayoutItemsReplaced(std::int32_t position, std::int32_t removed,
                                       std::span<Tablature* const> inserted) {
    viewLayout_->ItemsReplaced(position, removed, inserted);
}

void ViewDocument::LayoutNothingMoved() { viewLayout_->NothingMoved(); }

void ViewDocument::UpdateLastOrigin(Tablature& item) const {
    viewLayout_->UpdateLastOrigin(*settings, tabItems.size(), item);
}

void ViewDocument::UpdateLastOrigins() const {
    viewLayout_->UpdateLastOrigins(*settings, tabItems.size());
}

}  // namespace lutaris
