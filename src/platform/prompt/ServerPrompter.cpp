// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/prompt/ServerPrompter.h"

namespace lutaris {
namespace {

// A call's messages are few (one failure each); a document that reports in a loop must not
// grow the list without end.
constexpr std::size_t kMaxKeptMessages = 16;

// What nobody answers: the answer that changes least.
MessageAnswer Unanswered(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok: return MessageAnswer::Ok;
    case MessageButtons::YesNo: return MessageAnswer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel: return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

}  // namespace

MessageAnswer ServerPrompter::ShowMessage(const std::string& text, const std::string& caption,
                                          MessageIcon icon, MessageButtons buttons) {
    if (Prompter* person = Person()) return person->ShowMessage(text, caption, icon, buttons);
    if (messages_.size() < kMaxKeptMessages) messages_.push_back(text);
    return Unanswered(buttons);
}

std::optional<std::string> ServerPrompter::ChooseOpenFile(const FileDialogOptions& options) {
    if (Prompter* person = Person()) return person->ChooseOpenFile(options);
    return std::nullopt;
}

std::optional<std::string> ServerPrompter::ChooseSaveFile(const FileDialogOptions& options) {
    if (Prompter* person = Person()) return person->ChooseSaveFile(options);
    return std::nullopt;
}

bool ServerPrompter::EditSettings(TabSettings& scratch) {
    if (Prompter* person = Person()) return person->EditSettings(scratch);
    return false;
}

}  // namespace lutaris
