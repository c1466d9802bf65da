// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// What the clipboard and drops take in: whatever another program put on the clipboard (the
// private markers, text, an embedded object's storage, an object descriptor, any other name),
// met by drag-selections, drops, Copy, Cut, Paste and Copy as Text on a document, and read back
// as another process would read ours (the descriptor decoded, the embedded storage opened as a
// document). The input is a script of those steps; see ClipboardScript below.
//
// Every step keeps the document's invariants; a drop decides by the private formats' presence
// alone and moves exactly as the selection mover says; what Copy offers reads back as the
// document itself; whatever else is read is refused or read without harm.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "compound/ClassId.h"
#include "compound/CompoundFileError.h"
#include "compound/CompoundFileReader.h"
#include "document/CCorvaneDoc.h"
#include "edit/ClipboardCommands.h"
#include "edit/CopyCommand.h"
#include "edit/DragSelection.h"
#include "edit/DropHandler.h"
#include "model/TabCursor.h"
#include "platform/clipboard/ClipboardFormatNames.h"
#include "platform/clipboard/MemoryClipboard.h"
#include "platform/clipboard/ObjectDescriptor.h"
#include "platform/files/DocumentClassId.h"
#include "platform/prompt/ScriptedPrompter.h"
#include "support/DocumentChecks.h"
#include "support/FuzzPrompter.h"
#include "support/MemoryFile.h"

namespace lutaris::fuzz {
namespace {

// Input layout, read from the front (so seeds can be written by hand):
//   byte: number of tab items, 1 + b % 12 (item p holds one note with fret p)
//   then steps, each a byte b (b % 8) and its arguments:
//     0 foreign content: count % 5 formats, each: name (b % 6: the two private formats, text,
//       Embed Source, Object Descriptor, or a name of n % 33 bytes that follow), a 16-bit
//       little-endian length and that many bytes (what remains when fewer)
//     1 drag-selection FROM TO, 2 drop on TARGET (signed bytes: a position no item holds is
//       empty space), 3 Copy, 4 Cut, 5 Paste, 6 Copy as Text, 7 read the clipboard back
class ClipboardScript {
public:
    explicit ClipboardScript(std::span<const std::uint8_t> data) : data_(data) {}
    bool Done() const { return at_ >= data_.size(); }
    std::uint8_t Byte() { return at_ < data_.size() ? data_[at_++] : 0; }
    std::int32_t Signed() { return static_cast<std::int8_t>(Byte()); }
    std::vector<std::uint8_t> Bytes(std::size_t count) {
        count = std::min(count, data_.size() - std::min(at_, data_.size()));
        std::vector<std::uint8_t> bytes(data_.begin() + at_, data_.begin() + at_ + count);
        at_ += count;
        return bytes;
    }

private:
    std::span<const std::uint8_t> data_;
    std::size_t at_ = 0;
};

constexpr std::size_t kMaxItems = 64;  // Paste doubles the selection's share; keep runs short

std::optional<std::int32_t> ItemUnder(const CCorvaneDoc& document, std::int32_t position) {
    if (document.ItemAtPosition(position) == nullptr) return std::nullopt;
    return position;
}

std::vector<const Tablature*> ReadingOrder(const CCorvaneDoc& document) {
    std::vector<const Tablature*> order;
    for (std::int32_t p = 0; p < static_cast<std::int32_t>(document.tabItems.size()); ++p) {
        order.push_back(document.ItemAtPosition(p));
    }
    return order;
}

void PutForeignContent(ClipboardScript& script, MemoryClipboard& clipboard) {
    static const char* const kNames[] = {kSelectionFormat, kGlissomarkersFormat, kPlainTextFormat,
                                         kEmbedSourceFormat, kObjectDescriptorFormat};
    std::vector<ClipboardFormat> formats;
    const int count = script.Byte() % 5;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t pick = script.Byte() % 6;
        std::string name;
        if (pick < 5) {
            name = kNames[pick];
        } else {
            const auto bytes = script.Bytes(script.Byte() % 33);
            name.assign(bytes.begin(), bytes.end());
        }
        const std::size_t low = script.Byte();
        const std::size_t length = low | (std::size_t{script.Byte()} << 8);
        formats.push_back({name, script.Bytes(length)});
    }
    clipboard.SetFormats(std::move(formats));
}

void Drop(CCorvaneDoc& document, MemoryClipboard& clipboard, std::int32_t target) {
    const bool glissomarkers = clipboard.HasFormat(kGlissomarkersFormat);
    const bool marker = clipboard.HasFormat(kSelectionFormat);
    const auto before = ReadingOrder(document);
    const bool wasModified = document.IsModified();
    ScriptedPrompter prompter;
    const auto outcome =
        DropHandler(document, &clipboard, prompter).Drop(ItemUnder(document, target));
    const auto after = ReadingOrder(document);
    using Outcome = DropHandler::Outcome;
    const Outcome expected = glissomarkers ? Outcome::GlissomarkersRefused
                             : !marker     ? Outcome::Unsupported
                                           : outcome;
    if (outcome != expected) std::abort();
    if (marker && !glissomarkers && outcome != Outcome::Moved && outcome != Outcome::NothingMoved) {
        std::abort();
    }
    if (outcome != Outcome::Moved) {
        if (after != before || document.IsModified() != wasModified) std::abort();
        if (prompter.Messages().size() != (marker && !glissomarkers ? 0u : 1u)) std::abort();
        return;
    }
    // A move that leaves the order as it was is no change: the document stays as saved.
    if (document.IsModified() != (wasModified || after != before)) std::abort();
    if (!prompter.Messages().empty()) std::abort();
    // The selected items stand as one run, in their old order, right before the target, and
    // the others keep their order.
    const Tablature* targetItem = before[static_cast<std::size_t>(target)];
    const auto isSelected = [&](const Tablature* item) {
        return std::find(document.selection.begin(), document.selection.end(), item) !=
               document.selection.end();
    };
    std::vector<const Tablature*> runBefore, runAfter, restBefore, restAfter;
    for (const Tablature* item : before)
        (isSelected(item) ? runBefore : restBefore).push_back(item);
    for (const Tablature* item : after) (isSelected(item) ? runAfter : restAfter).push_back(item);
    if (runBefore != runAfter || restBefore != restAfter) std::abort();
    const auto at = std::find(after.begin(), after.end(), targetItem) - after.begin();
    if (at < static_cast<std::ptrdiff_t>(runAfter.size())) std::abort();
    if (!std::equal(runAfter.begin(), runAfter.end(), after.begin() + at - runAfter.size())) {
        std::abort();
    }
}

// What Copy offered reads back as the document: the storage's class and "Contents", and the
// descriptor's class and names.
void CheckCopy(CCorvaneDoc& document, const MemoryClipboard& clipboard) {
    const auto embed = clipboard.GetFormat(kEmbedSourceFormat);
    const auto descriptorBytes = clipboard.GetFormat(kObjectDescriptorFormat);
    if (!embed || !descriptorBytes) std::abort();
    const CompoundFileReader reader(*embed);
    if (!(reader.RootClassId() == kDocumentClassId)) std::abort();
    if (reader.ReadStream("Contents") != document.ContentsBytes()) std::abort();
    const auto descriptor = ObjectDescriptor::Decode(*descriptorBytes);
    if (!descriptor || !(descriptor->classId == kDocumentClassId)) std::abort();
    if (descriptor->fullUserTypeName != u"Lutars Document") std::abort();
}

// Every format on the clipboard with its bytes, in the order offered.
std::vector<std::pair<std::string, std::optional<std::vector<std::uint8_t>>>> Offered(
    const MemoryClipboard& clipboard) {
    std::vector<std::pair<std::string, std::optional<std::vector<std::uint8_t>>>> offered;
    for (const auto& name : clipboard.ListFormats()) {
        offered.emplace_back(name, clipboard.GetFormat(name));
    }
    return offered;
}

// Reads every format as another process would read what we offer. Nothing here may crash;
// a descriptor that decodes encodes back to what it said.
void ReadBack(const MemoryClipboard& clipboard) {
    if (const auto bytes = clipboard.GetFormat(kObjectDescriptorFormat)) {
        if (const auto descriptor = ObjectDescriptor::Decode(*bytes)) {
            const auto again = ObjectDescriptor::Decode(descriptor->Encode());
            if (!again || again->Encode() != descriptor->Encode()) std::abort();
            if (again->fullUserTypeName != descriptor->fullUserTypeName) std::abort();
        }
    }
    if (const auto embed = clipboard.GetFormat(kEmbedSourceFormat)) {
        // Opening the embedded object is opening a document file with these bytes.
        static MemoryFile file;
        file.Set(embed->data(), embed->size());
        FuzzPrompter prompter;
        CCorvaneDoc opened(prompter);
        opened.OnNewDocument();
        const bool ok = opened.OnOpenDocument(file.Path());
        for (const auto& message : prompter.Messages()) CheckOpenFailureMessage(message);
        if (ok != prompter.Messages().empty()) std::abort();
        CheckDocumentInvariants(opened);
    }
}

void RunStep(ClipboardScript& script, CCorvaneDoc& document, MemoryClipboard& clipboard) {
    switch (script.Byte() % 8) {
        case 0:
            PutForeignContent(script, clipboard);
            break;
        case 1: {
            const auto from = ItemUnder(document, script.Signed());
            const auto to = ItemUnder(document, script.Signed());
            DragSelection selection(document);
            selection.Begin();
            selection.End(from, to, &clipboard);
            if (clipboard.ListFormats() != std::vector<std::string>{kSelectionFormat}) {
                std::abort();
            }
            break;
        }
        case 2:
            Drop(document, clipboard, script.Signed());
            break;
        case 3:
            document.OnEditCopy();
            if (document.copied != 1) std::abort();
            CheckCopy(document, clipboard);
            break;
        case 4:
            document.OnEditCut();
            break;
        case 5:
            if (document.tabItems.size() +
                    std::max(document.selection.size(), document.cutNotes.size()) <=
                kMaxItems) {
                document.OnEditPaste();
            }
            break;
        case 6: {
            if (document.selection.empty()) {
                // Nothing to copy: whatever another program offered stays on the clipboard.
                const auto before = Offered(clipboard);
                document.OnCopyAsText();
                if (Offered(clipboard) != before) std::abort();
                break;
            }
            document.OnCopyAsText();
            const std::string text = ClipboardCommands(document).SelectionText();
            const auto offered = clipboard.GetFormat(kPlainTextFormat);
            if (!offered || std::string(offered->begin(), offered->end()) != text) std::abort();
            if (clipboard.ListFormats().size() != 1) std::abort();
            break;
        }
        default:
            ReadBack(clipboard);
            break;
    }
}

}  // namespace
}  // namespace lutaris::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lutaris;
    fuzz::ClipboardScript script(std::span<const std::uint8_t>(data, size));
    fuzz::FuzzPrompter prompter;
    MemoryClipboard clipboard;
    CCorvaneDoc document(prompter);
    document.SetClipboard(&clipboard);
    document.OnNewDocument();
    const int items = 1 + script.Byte() % 12;
    for (int p = 1; p < items; ++p) document.AppendTabItem(p);
    for (const auto& item : document.tabItems)
        item->AppendNote(TabNote{item->position, 0, 0, 0, 0});
    fuzz::CheckDocumentInvariants(document);
    for (int steps = 0; steps < 48 && !script.Done(); ++steps) {
        fuzz::RunStep(script, document, clipboard);
        fuzz::CheckDocumentInvariants(document);
    }
    return 0;
}
