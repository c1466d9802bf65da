// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QString>

#include "platform/prompt/Prompter.h"

namespace lutaris {

// The Prompter that shows real dialogs: message boxes without an owner window, the Open and
// Save As file dialogs and the "Tablature Settings" dialog.
class QtPrompter : public Prompter {
public:
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageIcon icon, MessageButtons buttons) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogOptions& options) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogOptions& options) override;
    bool EditSettings(TabSettings& scratch) override;

    // The file dialog's filter list: one "text (patterns)" entry per filter, ";;" between
    // them; a text that already names its patterns in parentheses is used as it stands.
    static QString FilterString(const std::vector<FileFilter>& filters);
};

}  // namespace lutaris
