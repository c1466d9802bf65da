// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QString>

namespace lutaris {

// The string table's prompt for a command: the text shown in the status bar while the command
// is under the mouse, and the button's tooltip. Commands without a prompt give empty texts.
struct CommandPrompt {
    QString status;
    QString tooltip;
};

CommandPrompt PromptForCommand(int commandId);

// Texts of the frame that are not command prompts.
inline constexpr const char* kIdleStatusText = "Ready";
inline constexpr const char* kApplicationTitle = "Lutaris";

}  // namespace lutaris
