// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/Tablature.h"
#include "platform/clipboard/Clipboard.h"

namespace lutaris {

class TabDocument;

// The formats through which a container takes the whole document as an embedded object: its
// storage ("Embed Source": a document file, byte for byte what a save writes), the descriptor
// with class, size and names, and, for a document that has a file, the link to it ("Link
// Source" with its descriptor, and the same URI as a uri-list for ordinary file managers and
// editors).
class EmbeddedObjectFormats {
public:
    static constexpr const char16_t* kSourceName = u"Lutaris";

    explicit EmbeddedObjectFormats(TabDocument& document) : document_(document) {}

    // `extent` is the presentation's size in HIMETRIC, nothing when it has none. Throws
    // CompoundFileError for a document too large for a storage (over 2 GiB).
    std::vector<ClipboardFormat> Build(std::optional<LayoutSize> extent);

    // The file URI of the document's path (made absolute against the current directory), or
    // nothing for a document without a path.
    std::optional<std::string> LinkUri() const;

private:
    TabDocument& document_;
};

}  // namespace lutaris
