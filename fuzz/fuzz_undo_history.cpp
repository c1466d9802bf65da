// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Edits, undos and redos in the order the bytes give. Whatever the order, the document keeps
// its invariants after every one, an undo or redo gives back exactly the content the history
// had at that depth, and undoing everything gives back the start byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "document/CCorvaneDoc.h"
#include "edit/CursorResultApplier.h"
#include "edit/DragSelection.h"
#include "edit/SelectionMover.h"
#include "model/CommandIds.h"
#include "model/TabCursor.h"
#include "platform/clipboard/MemoryClipboard.h"
#include "platform/keys/VirtualKeyCodes.h"
#include "support/DocumentChecks.h"
#include "support/FuzzPrompter.h"

namespace {

using namespace lutaris;

constexpr std::int32_t kKeys[] = {vk::Left,   vk::Right,      vk::Up,         vk::Down,  vk::Delete,
                                  vk::Back,   vk::B,          vk::R,          vk::H,     vk::P,
                                  vk::X,      vk::Z,          vk::S,          vk::Oem2,  vk::Oem5,
                                  vk::Digit0, vk::Digit0 + 1, vk::Digit0 + 2, vk::Digit9};
constexpr std::int32_t kCommands[] = {ID_INSERT_TAB_ITEM, ID_INSERT_NOTE, ID_INSERT_RANDOM_RIFF,
                                      ID_ADD_TAB_ITEM,    ID_EDIT_CUT,    ID_EDIT_COPY,
                                      ID_EDIT_PASTE,      ID_ACTION_TAP,  ID_ACTION_VIBRATO};
// Enough steps for long histories without making one input slow.
constexpr std::size_t kMaxActions = 400;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzPrompter prompter;
    MemoryClipboard clipboard;
    CCorvaneDoc document(prompter);
    document.OnNewDocument();
    document.SetClipboard(&clipboard);
    // The content at each depth of the history as it stands.
    std::vector<std::vector<std::uint8_t>> states{document.ContentsBytes()};
    for (std::size_t at = 0; at + 1 < size && at / 2 < kMaxActions; at += 2) {
        const std::uint8_t what = data[at];
        const std::uint8_t value = data[at + 1];
        const std::size_t depthBefore = document.History().UndoCount();
        const auto items = static_cast<std::int32_t>(document.tabItems.size());
        bool replay = false;
        switch (what % 6) {
            case 0:
                CursorResultApplier(document).Key(kKeys[value % std::size(kKeys)]);
                break;
            case 1:
                document.RunCommand(kCommands[value % std::size(kCommands)]);
                break;
            case 2:
                DragSelection(document).Begin();
                DragSelection(document).End(value % items, (value / 16) % items, &clipboard);
                break;
            case 3: {
                TabDocument::Step step(document, history::step_kind::kMove);
                SelectionMover(document).MoveBefore(value % items);
                break;
            }
            case 4:
                replay = document.Undo();
                break;
            default:
                replay = document.Redo();
                break;
        }
        fuzz::CheckDocumentInvariants(document);
        const std::size_t depth = document.History().UndoCount();
        std::vector<std::uint8_t> contents = document.ContentsBytes();
        if (replay) {
            if (depth >= states.size() || contents != states[depth]) std::abort();
        } else if (depth != depthBefore || contents != states[depth]) {
            states.resize(depth + 1);
            states[depth] = std::move(contents);
        }
    }
    while (document.Undo()) fuzz::CheckDocumentInvariants(document);
    if (document.ContentsBytes() != states.front() || document.IsModified()) std::abort();
    return 0;
}
