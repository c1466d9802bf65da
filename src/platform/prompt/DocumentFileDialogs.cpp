// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/prompt/DocumentFileDialogs.h"

namespace lutaris {

FileDialogOptions DocumentOpenDialog() {
    FileDialogOptions options;
    options.defaultExtension = "ltf";
    options.filters = {{"Lutaris Tab Files (*.ltf)", {"*.ltf"}}};
    return options;
}

FileDialogOptions DocumentSaveDialog(const std::string& initialName) {
    FileDialogOptions options = DocumentOpenDialog();
    options.initialName = initialName;
    options.overwritePrompt = true;
    return options;
}

}  // namespace lutaris
