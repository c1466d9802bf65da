// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <deque>
#include <optional>

#include "model/SettingsDialogEntry.h"
#include "platform/prompt/ScriptedPrompter.h"

namespace lutaris {

// A ScriptedPrompter whose settings dialog is typed into from a queue, for tests and the
// command-line tool; the dialog's reading of its boxes needs the settings record, so it lives
// where the record is known.
class ScriptedSettingsPrompter : public ScriptedPrompter {
public:
    // What the next settings dialog gets typed into it before OK; nothing means Cancel.
    void QueueSettings(std::optional<SettingsDialogEntry> entry) {
        settings_.push_back(std::move(entry));
    }

protected:
    bool AnswerSettings(TabSettings& scratch) override;

private:
    std::deque<std::optional<SettingsDialogEntry>> settings_;
};

}  // namespace lutaris
