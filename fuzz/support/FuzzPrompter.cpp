// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "support/FuzzPrompter.h"

namespace lutaris::fuzz {

MessageAnswer FuzzPrompter::ShowMessage(const std::string& text, const std::string&, MessageIcon,
                                        MessageButtons buttons) {
    messages_.push_back(text);
    switch (buttons) {
        case MessageButtons::Ok:
        case MessageButtons::OkCancel: return MessageAnswer::Ok;
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel: return MessageAnswer::Yes;
    }
    return MessageAnswer::Ok;
}

std::optional<std::string> FuzzPrompter::ChooseOpenFile(const FileDialogOptions&) {
    if (openPath_.empty()) return std::nullopt;
    return openPath_;
}

std::optional<std::string> FuzzPrompter::ChooseSaveFile(const FileDialogOptions&) {
    return std::nullopt;
}

bool FuzzPrompter::EditSettings(TabSettings&) { return false; }

}  // namespace lutaris::fuzz
