// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

#include "model/Tablature.h"

namespace lutaris {

class Archive;
class ViewDocument;
class Surface;

// The aspects a container may ask a presentation for.
enum class DrawAspect : std::int32_t { Content = 1, Thumbnail = 2, Icon = 4, DocPrint = 8 };

// What an embedding container is shown of a document: every tab item side by side in one row,
// in reading order, at the HIMETRIC scale, with the document in its file format as the native
// data. Drawing it changes the items' `scale` (the view's next paint sets it back) and nothing
// else: the view's `lastOrigin`s stay as they were, selected items are not highlighted.
class CCorvaneSrvrItem {
public:
    // A linked item reads and writes no native data.
    explicit CCorvaneSrvrItem(ViewDocument& document, bool linked = false);

    ViewDocument& GetDocument() const { return document_; }

    // The items' widths summed plus both left margins, by their height plus both top margins,
    // in pixels of the screen.
    LayoutSize ContentSize() const;

    // The content size in HIMETRIC by the screen's resolution. Fails, leaving `size` as it was,
    // for another aspect than the content or a document without tab items.
    bool OnGetExtent(DrawAspect aspect, LayoutSize& size) const;

    // Draws on the container's surface, whose window it sets to the content size in HIMETRIC
    // (by the surface's resolution) so that the whole presentation fills the viewport the
    // container chose. Fails without drawing for a document without tab items.
    bool OnDraw(Surface& surface, LayoutSize& size);

    // The native data: the whole document, as a file holds it.
    void Serialize(Archive& archive);

private:
    ViewDocument& document_;
    bool linked_;
};

}  // namespace lutaris
