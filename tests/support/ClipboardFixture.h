// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "edit/DragSelection.h"
#include "platform/clipboard/MemoryClipboard.h"
#include "support/DocumentFixture.h"

namespace lutaris::test {

// A new document on an in-memory clipboard, with helpers to lay out numbered items and to
// select them as a drag-selection does.
class ClipboardTest : public DocumentTest {
protected:
    ClipboardTest() { doc.SetClipboard(&clipboard); }

    // Makes the document hold `count` items at positions 0 … count − 1, in list order, the
    // item at position p carrying one note with fret 10 + p (so items can be told apart after
    // they move).
    void MakeItems(int count) {
        AddItems(count - static_cast<int>(doc.tabItems.size()));
        for (auto& item : doc.tabItems) item->AppendNote(Note(10 + item->position, 0, 0));
        doc.SetModifiedFlag(false);
    }

    // A drag-selection from the item at `from` to the item at `to`.
    void Select(std::int32_t from, std::int32_t to) {
        DragSelection selection(doc);
        selection.Begin();
        selection.End(from, to, &clipboard);
    }

    // The fret of the first note of each item, in reading order: which item stands where.
    std::vector<std::int32_t> ReadingOrder() const {
        std::vector<std::int32_t> frets;
        for (std::int32_t p = 0; p < static_cast<std::int32_t>(doc.tabItems.size()); ++p) {
            const Tablature* item = doc.ItemAtPosition(p);
            frets.push_back(item == nullptr || item->notes.empty() ? -1 : item->notes[0].fret);
        }
        return frets;
    }

    std::string ClipboardText() const {
        const auto bytes = clipboard.GetFormat("text/plain");
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
    }

    MemoryClipboard clipboard;
};

}  // namespace lutaris::test
