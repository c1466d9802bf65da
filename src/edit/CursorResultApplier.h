// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

namespace lutaris {

class TabDocument;
class TabCursor;
class Tablature;

// Turns the caret's answer to a key (a CursorResult) into changes of the document: stores the
// edited note, moves the caret to the neighbouring tab item, reloads the caret's note, deletes
// a note and closes its column. Runs the update step when it changed anything (the one that
// names the caret's item as the only one edited).
class CursorResultApplier {
public:
    explicit CursorResultApplier(TabDocument& document);

    // One key-down at the caret, as one step of the document's history; returns the caret's
    // result.
    std::int32_t Key(std::int32_t virtualKey);
    void Apply(std::int32_t result);

    // The caret's note from the note at its cell, or an empty caret when there is none.
    static void ReloadCaretNote(TabCursor& cursor);

private:
    void StorePreviousNote();
    bool MoveToItemAt(std::int64_t position, bool toLastColumn);
    void DeleteCaretNote();

    TabDocument& document_;
    TabCursor& cursor_;
};

}  // namespace lutaris
