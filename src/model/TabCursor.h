// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>

#include "model/TabNote.h"
#include "model/TabSettings.h"
#include "model/Tablature.h"

namespace lutaris {

// What the document and the view must do after the caret handled a key.
enum CursorResult : std::int32_t {
    Repaint = 1,
    PreviousItem = 2,
    NextItem = 4,
    StoreNote = 8,
    ReloadNote = 32,
    DeleteNote = 64,
};

// The caret: the tab item being edited, the cell and note being typed (`current`) and the note
// that StoreNote writes (`previous`). Changes only itself; the document applies the result.
class TabCursor {
public:
    explicit TabCursor(TabSettings* settings);

    TabSettings* settings;
    Tablature* tabItem = nullptr;
    TabNote current;
    TabNote previous;

    void ClearNotes();
    void ResetNotes();
    void LoadNote(std::int32_t fret, std::int32_t action);

    // Column and string under a point relative to tabItem's lastOrigin (layout units).
    std::int32_t ColumnAt(LayoutPoint point) const;
    std::int32_t StringAt(LayoutPoint point) const;
    TabNote* FindNote(std::int32_t column, std::int32_t string) const;

    std::int32_t SetAction(std::int32_t action);
    // One key-down as a Windows virtual-key code; modifiers are never looked at.
    std::int32_t OnKey(std::int32_t virtualKey);

private:
    // Copies `current` into `previous` and returns the base result of a movement key.
    std::int32_t BeginMovement();
    std::int32_t MoveLeft();
    std::int32_t MoveUp();
    std::int32_t MoveRight();
    std::int32_t MoveDown();
    std::int32_t TypeDigit(std::int32_t digit);
    // SetAction(action) unless the caret stands on an empty cell.
    std::int32_t SetActionOnNote(std::int32_t action);
    // A slide mark: on an empty cell it makes a note without a number.
    std::int32_t SetSlide(std::int32_t action);
    std::int32_t ClearAction();
};

}  // namespace lutaris
