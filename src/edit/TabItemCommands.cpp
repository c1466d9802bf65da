// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/TabItemCommands.h"

#include <limits>
#include <vector>

#include "model/CommandIds.h"
#include "model/TabCursor.h"
#include "model/TabDocument.h"

namespace lutaris {
namespace {

constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

std::int32_t NextPosition(const TabDocument& document) {
    return static_cast<std::int32_t>(document.tabItems.size());
}

}  // namespace

void TabItemCommands::AddTabItem() {
    TabDocument::Step step(document_, ID_ADD_TAB_ITEM);
    document_.InsertTabItemAt(NextPosition(document_));
    document_.UpdateStepAsDescribed();
}

void TabItemCommands::InsertTabItem() {
    TabDocument::Step step(document_, ID_INSERT_TAB_ITEM);
    document_.InsertTabItemAt(document_.cursor->tabItem->position);
    document_.UpdateStepAsDescribed();
}

void TabItemCommands::InsertNote() {
    TabCursor& cursor = *document_.cursor;
    Tablature& item = *cursor.tabItem;
    if (item.notes.empty()) return;
    TabDocument::Step step(document_, ID_INSERT_NOTE);
    std::vector<TabNote> opened = item.notes;
    for (auto& note : opened) {
        if (note.column >= cursor.current.column && note.column < kInt32Max) ++note.column;
    }
    document_.ReplaceNotes(item, std::move(opened));
    cursor.current.action = NoNote;
    cursor.current.fret = 0;
    document_.UpdateStepAfterEditing(&item);
}

}  // namespace lutaris
