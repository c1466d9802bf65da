// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/CursorResultApplier.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "edit/TechniqueCommandKeys.h"
#include "model/TabCursor.h"
#include "model/TabDocument.h"

namespace lutaris {

CursorResultApplier::CursorResultApplier(TabDocument& document)
    : document_(document), cursor_(*document.cursor) {}

void CursorResultApplier::ReloadCaretNote(TabCursor& cursor) {
    if (const TabNote* note = cursor.FindNote(cursor.current.column, cursor.current.string)) {
        cursor.LoadNote(note->fret, note->action);
    } else {
        cursor.ResetNotes();
    }
}

std::int32_t CursorResultApplier::Key(std::int32_t virtualKey) {
    // The step opens before the caret answers: Undo puts the caret back where the key found it.
    TabDocument::Step step(document_, StepKindForKey(virtualKey));
    if (IsFretDigitKey(virtualKey)) document_.MarkTypingStep();
    const std::int32_t result = cursor_.OnKey(virtualKey);
    Apply(result);
    return result;
}

void CursorResultApplier::Apply(std::int32_t result) {
    if (cursor_.tabItem == nullptr) return;  // the document always sets one; never act blind
    // Only the item the caret stood on can change: the note is stored there before a move.
    const Tablature* edited = cursor_.tabItem;
    bool changed = false;
    if (result & StoreNote) {
        StorePreviousNote();
        changed = true;
    }
    if (result & PreviousItem) {
        changed = MoveToItemAt(std::int64_t{cursor_.tabItem->position} - 1, true) || changed;
    } else if (result & NextItem) {
        changed = MoveToItemAt(std::int64_t{cursor_.tabItem->position} + 1, false) || changed;
    }
    if (result & ReloadNote) {
        ReloadCaretNote(cursor_);
        changed = true;
    }
    if (result & DeleteNote) {
        DeleteCaretNote();
        document_.UpdateStepAfterEditing(edited);
        return;
    }
    if (changed) {
        document_.UpdateStepAfterEditing(edited);
    } else {
        // A key that only moved the caret leaves every item where the last paint put it.
        document_.LayoutNothingMoved();
    }
}

void CursorResultApplier::StorePreviousNote() {
    document_.SetNote(*cursor_.tabItem, cursor_.previous);
    ReloadCaretNote(cursor_);
}

bool CursorResultApplier::MoveToItemAt(std::int64_t position, bool toLastColumn) {
    if (position < std::numeric_limits<std::int32_t>::min() ||
        position > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    Tablature* item = document_.ItemAtPosition(static_cast<std::int32_t>(position));
    if (item == nullptr) return false;
    cursor_.tabItem = item;
    cursor_.current.column = toLastColumn ? item->MaxColumn() : 0;
    ReloadCaretNote(cursor_);
    return true;
}

void CursorResultApplier::DeleteCaretNote() {
    Tablature& item = *cursor_.tabItem;
    TabNote& caret = cursor_.current;
    std::int32_t closedColumn = caret.column;
    if (const TabNote* note = item.FindNote(caret.column, caret.string)) {
        closedColumn = note->column;
        document_.DeleteNote(item, static_cast<std::int32_t>(note - item.notes.data()));
    }
    // A column that no string uses any more is closed up. With no note at the caret this closes
    // the caret's column when it is empty on every string, the way deleting its last note
    // would: Delete then undoes an Insert Note. A column with notes on other strings stays.
    if (item.FindNote(closedColumn, -1) == nullptr) {
        std::vector<TabNote> closed = item.notes;
        for (auto& note : closed) {
            if (note.column > closedColumn) --note.column;
        }
        document_.ReplaceNotes(item, std::move(closed));
    }
    if (const TabNote* note = item.FindNote(caret.column, caret.string)) {
        caret = *note;
    } else {
        caret.action = NoNote;
    }
}

}  // namespace lutaris
