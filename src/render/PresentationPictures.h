// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <vector>

#include "platform/clipboard/Clipboard.h"

namespace lutaris {

class ViewDocument;

// The pictures of the embedded presentation that Copy offers beside the object, so that a
// word processor or an image editor that knows nothing of embedded objects still shows the
// tablature. Here: SVG, which needs no display; the Qt build adds a bitmap.
class PresentationPictures {
public:
    virtual ~PresentationPictures() = default;

    // None for a document without tab items.
    virtual std::vector<ClipboardFormat> Pictures(ViewDocument& document);
};

}  // namespace lutaris
