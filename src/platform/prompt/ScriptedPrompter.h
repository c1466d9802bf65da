// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/prompt/Prompter.h"

namespace lutaris {

// A message box as it was shown.
struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// A Prompter that answers from queues instead of asking a person: for tests and the
// command-line tool. Every message box is recorded (and passed to the sink, if one is set).
//
// When a queue runs dry it gives the answer that changes least:
// - a message box: Ok for an Ok box, No for Yes/No, Cancel for Ok/Cancel and Yes/No/Cancel;
// - a file dialog: cancelled;
// - the settings dialog: cancelled (ScriptedSettingsPrompter can type into it).
class ScriptedPrompter : public Prompter {
public:
    using MessageSink = std::function<void(const ShownMessage&)>;

    void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    // Forgets the answer the next message box would get, for a question that is not asked
    // after all; false when none was queued.
    bool DropNextAnswer() {
        if (answers_.empty()) return false;
        answers_.pop_front();
        return true;
    }
    // The path the next Open or Save As dialog returns; nothing means the person cancels.
    void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    void SetMessageSink(MessageSink sink) { sink_ = std::move(sink); }

    MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogOptions& options) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogOptions& options) override;
    bool EditSettings(TabSettings& scratch) override;

    const std::vector<ShownMessage>& Messages() const { return messages_; }
    // The options of every file dialog shown, Open and Save As alike, in order.
    const std::vector<FileDialogOptions>& FileDialogs() const { return fileDialogs_; }
    int SettingsDialogsShown() const { return settingsDialogsShown_; }
    void ClearMessages() { messages_.clear(); }

    static MessageAnswer DefaultAnswer(MessageButtons buttons);

protected:
    // The settings dialog's answer once it has been counted as shown; true for OK with
    // `scratch` filled in. Without anything to type it is cancelled.
    virtual bool AnswerSettings(TabSettings& scratch);

private:
    std::optional<std::string> NextFile(const FileDialogOptions& options);

    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<std::string>> files_;
    std::vector<ShownMessage> messages_;
    std::vector<FileDialogOptions> fileDialogs_;
    int settingsDialogsShown_ = 0;
    MessageSink sink_;
};

}  // namespace lutaris
