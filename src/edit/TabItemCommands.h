// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

namespace lutaris {

class TabDocument;

// The commands that add tab items or open a column: Add Tab Item, Insert Tab Item and Insert
// Note. (The step that appends an item and puts the caret on it is the document's own.)
class TabItemCommands {
public:
    explicit TabItemCommands(TabDocument& document) : document_(document) {}

    // Appends an item at the next free position; the caret stays.
    void AddTabItem();
    // Makes room before the caret's item and puts a new empty item there; the caret stays on
    // its item, which now follows the new one.
    void InsertTabItem();
    // Opens an empty column at the caret; does nothing at all in an item without notes.
    void InsertNote();

private:
    TabDocument& document_;
};

}  // namespace lutaris
