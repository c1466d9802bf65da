// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "support/DocumentChecks.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "document/CCorvaneDoc.h"
#include "model/TabCursor.h"
#include "platform/files/Archive.h"
#include "support/FuzzPrompter.h"

namespace lutaris::fuzz {

void CheckDocumentInvariants(const CCorvaneDoc& document) {
    const auto& items = document.tabItems;
    if (items.empty() || !document.settings || !document.cursor) std::abort();
    std::vector<bool> seen(items.size(), false);
    bool cursorFound = false;
    for (const auto& item : items) {
        if (item->position < 0 || static_cast<std::size_t>(item->position) >= items.size() ||
            seen[static_cast<std::size_t>(item->position)]) {
            std::abort();
        }
        seen[static_cast<std::size_t>(item->position)] = true;
        if (item->settings != document.settings.get()) std::abort();
        cursorFound = cursorFound || item.get() == document.cursor->tabItem;
        if (document.ItemAtPosition(item->position) != item.get()) std::abort();
    }
    if (!cursorFound) std::abort();
    for (const Tablature* selected : document.selection) {
        if (std::none_of(items.begin(), items.end(),
                         [&](const auto& item) { return item.get() == selected; })) {
            std::abort();
        }
    }
}

void CheckOpenFailureMessage(const std::string& text) {
    if (text != "This is not a Lutaris file" && text != "Unexpected file format." &&
        text != "Failed to open document.") {
        std::abort();
    }
}

void CheckSaveLoadRoundTrip(CCorvaneDoc& document) {
    const auto stored = document.ContentsBytes();
    FuzzPrompter prompter;
    CCorvaneDoc again(prompter);
    again.OnNewDocument();
    Archive archive(stored);
    again.Serialize(archive);
    if (archive.Remaining() != 0 || !prompter.Messages().empty()) std::abort();
    if (again.ContentsBytes() != stored) std::abort();
}

}  // namespace lutaris::fuzz
