// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "document/FileCommands.h"

#include <optional>

#include "model/TabDocument.h"
#include "platform/prompt/DocumentFileDialogs.h"
#include "platform/prompt/Prompter.h"

namespace lutaris {

FileCommands::FileCommands(TabDocument& document) : document_(document) {
    // The document reports its saves itself: a save reached through the "Save changes?"
    // question runs no command of ours.
    document_.SetSaveListener([this](const std::string& path) {
        if (fileHandler_) fileHandler_(path);
    });
}

FileCommands::~FileCommands() { document_.SetSaveListener({}); }

bool FileCommands::MayReplace() {
    return replaceCheck_ ? replaceCheck_() : document_.SaveModified();
}

bool FileCommands::New() {
    if (!MayReplace()) return false;
    document_.OnNewDocument();
    return true;
}

FileCommands::Outcome FileCommands::Open() {
    const std::optional<std::string> path =
        document_.GetPrompter().ChooseOpenFile(DocumentOpenDialog());
    if (!path || path->empty()) return Outcome::Kept;
    return OpenFile(*path);
}

FileCommands::Outcome FileCommands::OpenFile(const std::string& path) {
    if (!MayReplace()) return Outcome::Kept;
    return Load(path) ? Outcome::Done : Outcome::Failed;
}

bool FileCommands::Load(const std::string& path) {
    // A failed open has left the document as it was: the person's work is not thrown away.
    if (!document_.OnOpenDocument(path)) return false;
    if (fileHandler_) fileHandler_(path);
    return true;
}

bool FileCommands::Save() { return document_.DoFileSave(); }
bool FileCommands::SaveAs() { return document_.DoSave(true); }
bool FileCommands::SaveTo(const std::string& path) { return document_.SaveToPath(path); }

bool FileCommands::SaveCopyAs() {
    const std::optional<std::string> path =
        document_.GetPrompter().ChooseSaveFile(DocumentSaveDialog({}));
    if (!path || path->empty()) return false;
    return document_.WriteCopy(*path);
}

}  // namespace lutaris
