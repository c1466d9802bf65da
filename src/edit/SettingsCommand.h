// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

namespace lutaris {

class TabDocument;

// Tab Settings: edits a scratch copy of the document's settings in the "Tablature Settings"
// dialog and copies it back on OK. The document's record keeps its identity, so every tab item
// and the caret see the new values at once.
class SettingsCommand {
public:
    explicit SettingsCommand(TabDocument& document) : document_(document) {}

    // Ends with the update step even after Cancel.
    void Run();

private:
    TabDocument& document_;
};

}  // namespace lutaris
