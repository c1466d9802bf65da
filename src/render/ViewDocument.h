// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <memory>

#include "model/TabDocument.h"

namespace lutaris {

class PresentationPictures;
class Prompter;
class ViewLayout;

// The tab document as its view and its embedded presentation see it: with the layout the
// view's last paint left and the pictures Copy offers beside the object.
class ViewDocument : public TabDocument {
public:
    explicit ViewDocument(Prompter& prompter);
    ~ViewDocument() override;

    // The layout of the document's view as its last paint left it.
    ViewLayout& GetViewLayout() const { return *viewLayout_; }
    void DiscardLayout() override;
    void LayoutItemEdited(const Tablature* edited) override;
    void LayoutItemsReplaced(std::int32_t position, std::int32_t removed,
                             std::span<Tablature* const> inserted) override;
    void LayoutNothingMoved() override;

    // The view's layout writes an item's lastOrigin when it draws the item or is asked: readers
    // outside a paint (hit tests, the caret) ask here first. Either brings the layout up to date
    // with the changes described since the last paint; without a kept layout the items keep
    // the origins the last paint gave them.
    void UpdateLastOrigin(Tablature& item) const;
    void UpdateLastOrigins() const;

    // The pictures Copy offers beside the object; without them, SVG only (no display needed).
    void SetPresentationPictures(PresentationPictures* pictures) { pictures_ = pictures; }
    PresentationPictures* GetPresentationPictures() const { return pictures_; }

private:
    PresentationPictures* pictures_ = nullptr;
    std::unique_ptr<ViewLayout> viewLayout_;
};

}  // namespace lutaris
