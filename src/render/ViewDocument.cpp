#include "render/ViewDocument.h"

#include "render/ViewLayout.h"

namespace lutaris {

ViewDocument::ViewDocument(Prompter& prompter)
    : TabDocument(prompter), viewLayout_(std::make_unique<ViewLayout>()) {}

ViewDocument::~ViewDocument() = default;

void ViewDocument::DiscardLayout() { viewLayout_->Discard(); }

void ViewDocument::LayoutItemEdited(const Tablature* edited) { viewLayout_->ItemEdited(edited); }

void ViewDocument::LayoutNothingMoved() { viewLayout_->NothingMoved(); }

}  // namespace lutaris
