// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <string>
#include <vector>

#include "platform/prompt/Prompter.h"

namespace lutaris {

// The prompter of a document that a container drives. While a container's call is being
// answered nobody may be asked anything: nobody sees a server's message box, and the
// container waits for the reply. So the messages of a call are kept for its reply, and file
// dialogs and the settings dialog are cancelled. Outside a call, once the person has a window
// of the object, everything goes to that window's prompter; without one it is kept too.
class ServerPrompter : public Prompter {
public:
    // The prompter of the window the person sees; null while there is none.
    void SetInteractive(Prompter* interactive) { interactive_ = interactive; }

    // A container's call in progress: from construction to destruction nothing is asked and
    // the messages shown are kept (those of an earlier call are forgotten).
    class Call {
    public:
        explicit Call(ServerPrompter& prompter) : prompter_(prompter) {
            prompter_.messages_.clear();
            ++prompter_.calls_;
        }
        ~Call() { --prompter_.calls_; }
        Call(const Call&) = delete;
        Call& operator=(const Call&) = delete;

    private:
        ServerPrompter& prompter_;
    };

    // The texts of the messages kept since the current (or last) call began, in order.
    const std::vector<std::string>& Messages() const { return messages_; }

    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageIcon icon, MessageButtons buttons) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogOptions& options) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogOptions& options) override;
    bool EditSettings(TabSettings& scratch) override;

private:
    Prompter* Person() const { return calls_ == 0 ? interactive_ : nullptr; }

    Prompter* interactive_ = nullptr;
    int calls_ = 0;
    std::vector<std::string> messages_;
};

}  // namespace lutaris
