#pragma once

namespace lutaris {

class CCorvaneDoc;

// The commands that add tab items or open a column: Add Tab Item, Insert Tab Item, Insert Note
// and the step that appends an item and puts the caret on it.
class TabItemCommands {
public:
    explicit TabItemCommands(CCorvaneDoc& document) : document_(document) {}

    // Appends an item at the next free position and puts the caret on it (column and note
    // untouched).
    void AddTabItemAndFocus();
    // Appends an item at the next free position; the caret stays.
    void AddTabItem();
    // Makes room before the caret's item and puts a new empty item there; the caret stays on
    // its item, which now follows the new one.
    void InsertTabItem();
    // Opens an empty column at the caret; does nothing at all in an item without notes.
    void InsertNote();

private:
    CCorvaneDoc& document_;
};

}  // namespace lutaris
