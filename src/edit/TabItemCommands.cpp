#include "edit/TabItemCommands.h"

#include <limits>

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
    document_.InsertTabItemAt(NextPosition(document_));
    document_.UpdateStepAsDescribed();
}

void TabItemCommands::InsertTabItem() {
    document_.InsertTabItemAt(document_.cursor->tabItem->position);
    document_.UpdateStepAsDescribed();
}

void TabItemCommands::InsertNote() {
    TabCursor& cursor = *document_.cursor;
    Tablature& item = *cursor.tabItem;
    if (item.notes.empty()) return;
    for (auto& note : item.notes) {
        if (note.column >= cursor.current.column && note.column < kInt32Max) ++note.column;
    }
    cursor.current.action = NoNote;
    cursor.current.fret = 0;
    document_.UpdateStepAfterEditing(&item);
}

}  // namespace lutaris
