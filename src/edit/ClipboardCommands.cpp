// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/ClipboardCommands.h"

#include <algorithm>
#include <iterator>
#include <new>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "model/CommandIds.h"
#include "model/PrefetchingWalk.h"
#include "model/ReadingOrder.h"
#include "model/TabCursor.h"
#include "model/TabDocument.h"
#include "model/TabTextGrid.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/clipboard/ClipboardFormatNames.h"
#include "platform/prompt/Prompter.h"

namespace lutaris {
namespace {

class SelectionTooLarge : public TextTooLargeError {
public:
    const char* what() const noexcept override {
        return ClipboardCommands::kSelectionTooLargeMessage;
    }
};

// Between two items' texts, each without its final line feed: that line feed and the three
// empty lines Export File writes after every item.
constexpr std::string_view kItemSeparator = "\n\n\n\n";

// The items' texts joined, in `size` bytes that SelectionTextSize has measured and checked
// against the limits. An item without strings has an empty text and takes no separator.
template <typename Bytes>
Bytes JoinedSelectionText(const std::vector<Tablature*>& items, std::size_t size) {
    Bytes bytes;
    bytes.reserve(size);
    ForEachItemPrefetched(items, [&](Tablature& item) {
        const std::string_view text = item.ToText();
        if (text.empty()) return;
        if (!bytes.empty()) bytes.insert(bytes.end(), kItemSeparator.begin(), kItemSeparator.end());
        const auto* first = reinterpret_cast<const typename Bytes::value_type*>(text.data());
        bytes.insert(bytes.end(), first, first + text.size() - 1);
    });
    return bytes;
}

// The selection as it reads on screen; `selection` itself lists the items in list order.
std::vector<Tablature*> SelectionInReadingOrder(const std::vector<Tablature*>& selection) {
    std::vector<Tablature*> items = selection;
    SortIntoReadingOrder(items);
    return items;
}

}  // namespace

void ClipboardCommands::Cut() {
    if (document_.selection.empty()) return;
    TabDocument::Step step(document_, ID_EDIT_CUT);
    // What Paste appends after a Cut: the cut items' notes, in reading order.
    const std::vector<Tablature*> cut = SelectionInReadingOrder(document_.selection);
    std::vector<std::vector<TabNote>> notes;
    notes.reserve(cut.size());
    for (const Tablature* item : cut) notes.push_back(item->notes);
    document_.SetCutNotes(std::move(notes));
    const std::int32_t lowest = cut.front()->position;

    document_.RemoveTabItems(cut);
    if (document_.tabItems.empty()) document_.AddTabItemAndFocus();
    Tablature* before = lowest > 0 ? document_.ItemAtPosition(lowest - 1) : nullptr;
    TabCursor& cursor = *document_.cursor;
    cursor.tabItem = before != nullptr ? before : document_.tabItems.front().get();
    document_.UpdateStepAsDescribed();
}

void ClipboardCommands::Paste() {
    TabDocument::Step step(document_, ID_EDIT_PASTE);
    if (!document_.selection.empty() && document_.copied != 0) {
        // The selection is read first: appending items must not change what is being pasted.
        const std::vector<Tablature*> sources = document_.selection;
        for (const Tablature* source : sources) AppendCopy(source->notes);
    } else if (!document_.cutNotes.empty()) {
        for (const std::vector<TabNote>& notes : document_.cutNotes) AppendCopy(notes);
    } else {
        return;
    }
    document_.UpdateStepAsDescribed();
}

void ClipboardCommands::AppendCopy(const std::vector<TabNote>& notes) {
    Tablature* copy =
        document_.InsertTabItemAt(static_cast<std::int32_t>(document_.tabItems.size()));
    document_.ReplaceNotes(*copy, notes);
}

std::size_t ClipboardCommands::SelectionTextSize(const std::vector<Tablature*>& items) const {
    std::size_t size = 0;
    ForEachItemPrefetched(items, [&](const Tablature& item) {
        const auto bytes = static_cast<std::size_t>(item.MeasureText().bytes);
        // Each text form ends with a line feed, which the join takes away; an item with no
        // strings has an empty text, and then there is nothing to take away (not the previous
        // item's last character) and nothing to separate.
        if (bytes == 0) return;
        const std::size_t added = bytes - 1 + (size > 0 ? kItemSeparator.size() : 0);
        if (added > maxTextBytes_ - size) throw SelectionTooLarge();
        size += added;
    });
    return size;
}

std::string ClipboardCommands::SelectionText() {
    const std::vector<Tablature*> items = SelectionInReadingOrder(document_.selection);
    return JoinedSelectionText<std::string>(items, SelectionTextSize(items));
}

void ClipboardCommands::CopyAsText() {
    // Nothing selected means nothing to copy: what another program put on the clipboard stays.
    if (document_.selection.empty()) return;
    std::vector<std::uint8_t> text;
    try {
        // Built straight as the clipboard's bytes: a songbook's text is megabytes.
        const std::vector<Tablature*> items = SelectionInReadingOrder(document_.selection);
        text = JoinedSelectionText<std::vector<std::uint8_t>>(items, SelectionTextSize(items));
    } catch (const TextTooLargeError& error) {
        document_.GetPrompter().ShowMessage(error.what(), DocumentBase::kCaption,
                                            MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    } catch (const std::bad_alloc&) {
        document_.GetPrompter().ShowMessage(kSelectionTooLargeMessage, DocumentBase::kCaption,
                                            MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    Clipboard* clipboard = document_.GetClipboard();
    if (clipboard == nullptr) return;
    std::vector<ClipboardFormat> formats;
    formats.push_back({kPlainTextFormat, std::move(text)});
    clipboard->SetFormats(std::move(formats));
}

}  // namespace lutaris
