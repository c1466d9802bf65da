// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <string>

#include "platform/prompt/Prompter.h"

namespace lutaris {

// The file dialogs of document files: the ".ltf" extension and the one filter, "Lutaris Tab
// Files (*.ltf)".
FileDialogOptions DocumentOpenDialog();
// Asks before an existing file is replaced; offers `initialName` (Save As offers the
// document's title, Save Copy As nothing).
FileDialogOptions DocumentSaveDialog(const std::string& initialName);

}  // namespace lutaris
