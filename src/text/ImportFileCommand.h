// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

namespace lutaris {

class TabDocument;

// The "Import File" command of the document: replaces the document's content with the tab
// items read from a text tablature file.
class ImportFileCommand {
public:
    explicit ImportFileCommand(TabDocument& document) : document_(document) {}

    // True when the file's tab items replaced the document's; false when the person declined
    // or cancelled, or the file could not be imported (and the person was told why).
    bool Run();

private:
    TabDocument& document_;
};

}  // namespace lutaris
