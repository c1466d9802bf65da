// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>

#include "render/LayoutRect.h"

namespace lutaris {

class ViewDocument;

// The part of a view that a repaint after a keystroke has to cover. A key of the caret changes
// the notes of one tab item and the caret; while no item moves, the only pixels that can differ
// from the last paint are that item's ink before and after the edit and the caret's ink where it
// was drawn and where it is now. Painting that area alone, clipped to it, gives exactly the
// picture that a repaint of the whole view would, at a fraction of its cost on a full screen.
// Whenever that cannot be vouched for, the answer is the whole view.
class ViewRepaintArea {
public:
    // After every paint of the view, with the area it covered; none for the whole view.
    void Painted(const ViewDocument& document, std::optional<LayoutRect> exposed);
    // The layout area to repaint for what changed since the last paint, or none when the whole
    // view must be repainted (the document changed in other ways, an item moved, nothing was
    // painted yet, or the caret's ink cannot be bounded).
    std::optional<LayoutRect> Changed(const ViewDocument& document,
                                      std::int32_t windowWidth) const;

private:
    // Everywhere the caret was drawn since a paint that covered all earlier carets: a paint of a
    // small area may leave an older caret's pixels outside it.
    std::optional<LayoutRect> caretShown_;
    // False until a whole paint, and whenever a caret was drawn where its ink cannot be bounded.
    bool known_ = false;
};

}  // namespace lutaris
