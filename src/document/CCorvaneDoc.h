// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <memory>

#include "render/ViewDocument.h"

namespace lutaris {

class Prompter;
class Rng;

// The document of the editor: the tab document with its view's layout, and the hub that routes
// every document command (keys, menu commands, clipboard) to the editing, text and rendering
// code that carries it out.
class CCorvaneDoc : public ViewDocument {
public:
    explicit CCorvaneDoc(Prompter& prompter);
    ~CCorvaneDoc() override;

    // Editing commands.
    void ApplyCursorResult(std::int32_t result);
    void SendKeyToCursor(std::int32_t virtualKey);
    void OnAddTabItem();
    void OnInsertTabItem();
    void OnInsertNote();
    void OnInsertRandomRiff();
    void OnExportFile();
    void OnTabSettings();
    void OnImportFile();

    // Clipboard commands; they use the clipboard set with SetClipboard.
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnCopyAsText();
    void OnEditSelectAll();

    // What a document command came to. Only the commands that read or write a file (Import
    // File, Export File, Save, Save As) can end NotDone: failed (the person was told why) or
    // cancelled.
    enum class CommandOutcome { NotACommand, Done, NotDone };
    CommandOutcome RunCommand(std::int32_t commandId);
    // Runs a document command by its menu id; false when the id is not a document command.
    bool OnCommand(std::int32_t commandId) {
        return RunCommand(commandId) != CommandOutcome::NotACommand;
    }

    Rng& GetRng() { return *rng_; }

private:
    std::unique_ptr<Rng> rng_;
};

}  // namespace lutaris
