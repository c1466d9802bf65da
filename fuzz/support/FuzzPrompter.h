// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/prompt/Prompter.h"

namespace lutaris::fuzz {

// A prompter for code under fuzzing: no person answers, so every question gets a fixed answer
// (Yes, OK, the one path given) and every message is kept for the target to look at.
class FuzzPrompter : public Prompter {
public:
    explicit FuzzPrompter(std::string openPath = {}) : openPath_(std::move(openPath)) {}

    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageIcon icon, MessageButtons buttons) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogOptions& options) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogOptions& options) override;
    bool EditSettings(TabSettings& scratch) override;

    const std::vector<std::string>& Messages() const { return messages_; }

private:
    std::string openPath_;
    std::vector<std::string> messages_;
};

}  // namespace lutaris::fuzz
