// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <vector>

#include "platform/clipboard/Clipboard.h"

namespace lutaris {

class ViewDocument;

// Copy: offers the whole document on the clipboard as an embedded object, with its picture,
// replacing whatever the clipboard held, and lets Paste duplicate the selection from then on.
class CopyCommand {
public:
    static constexpr const char* kTooLargeMessage = "The document is too large to copy.";

    explicit CopyCommand(ViewDocument& document) : document_(document) {}

    void Run();
    // What Run puts on the clipboard: the object's formats, then the pictures. Throws
    // CompoundFileError for a document too large for a storage.
    std::vector<ClipboardFormat> Formats();

private:
    ViewDocument& document_;
};

}  // namespace lutaris
