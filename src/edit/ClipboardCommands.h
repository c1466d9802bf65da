// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lutaris {

class Tablature;
class TabDocument;
struct TabNote;

// Cut, Paste and Copy as Text: they work on whole selected tab items. Cut and Paste never
// touch the clipboard (Paste duplicates inside the document what Copy or Cut left for it);
// Copy as Text replaces the clipboard's content with plain text.
class ClipboardCommands {
public:
    static constexpr const char* kSelectionTooLargeMessage =
        "The selection is too large to copy as text.";
    // No real selection comes near; the limit keeps one hostile document from making a text of
    // many gigabytes out of items that are each within the writer's limit.
    static constexpr std::size_t kMaxCopyTextBytes = std::size_t{256} << 20;

    explicit ClipboardCommands(TabDocument& document, std::size_t maxTextBytes = kMaxCopyTextBytes)
        : document_(document), maxTextBytes_(maxTextBytes) {}

    // Deletes the selected items and closes the gap; the caret goes to the item just before
    // the removed run, or to the first item in list order. A document left empty gets one new
    // empty item with the caret on it. The cut items' notes stay for Paste.
    void Cut();
    // After a Copy, appends a copy of every selected item (notes only) at the end, in selection
    // order. The selection stays, so each Paste appends another set. Without a copied
    // selection, appends copies of the items the last Cut removed, in their reading order.
    void Paste();
    // Puts the text form of the selected items, in reading order, on the clipboard as plain
    // text, separated as Export File separates them (three empty lines between two items) and
    // without the last item's final line feed. An item or selection too large to write is
    // reported and the clipboard is left as it was: a partial text would pass for the whole
    // selection.
    void CopyAsText();
    // The text Copy as Text offers. Throws TextTooLargeError.
    std::string SelectionText();

private:
    void AppendCopy(const std::vector<TabNote>& notes);
    // The length of the text of `items`, measured without building it. Throws
    // TextTooLargeError.
    std::size_t SelectionTextSize(const std::vector<Tablature*>& items) const;

    TabDocument& document_;
    std::size_t maxTextBytes_;
};

}  // namespace lutaris
