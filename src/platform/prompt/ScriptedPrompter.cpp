// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/prompt/ScriptedPrompter.h"

namespace lutaris {

MessageAnswer ScriptedPrompter::DefaultAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        case MessageButtons::OkCancel:
        case MessageButtons::YesNoCancel:
            return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

MessageAnswer ScriptedPrompter::ShowMessage(const std::string& text, const std::string& caption,
                                            MessageIcon icon, MessageButtons buttons) {
    messages_.push_back({text, caption, icon, buttons});
    if (sink_) sink_(messages_.back());
    if (answers_.empty()) return DefaultAnswer(buttons);
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPrompter::NextFile(const FileDialogOptions& options) {
    fileDialogs_.push_back(options);
    if (files_.empty()) return std::nullopt;
    auto path = std::move(files_.front());
    files_.pop_front();
    return path;
}

std::optional<std::string> ScriptedPrompter::ChooseOpenFile(const FileDialogOptions& options) {
    return NextFile(options);
}

std::optional<std::string> ScriptedPrompter::ChooseSaveFile(const FileDialogOptions& options) {
    return NextFile(options);
}

bool ScriptedPrompter::EditSettings(TabSettings& scratch) {
    ++settingsDialogsShown_;
    return AnswerSettings(scratch);
}

bool ScriptedPrompter::AnswerSettings(TabSettings&) { return false; }

}  // namespace lutaris
