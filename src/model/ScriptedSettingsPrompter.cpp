// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/ScriptedSettingsPrompter.h"

namespace lutaris {

bool ScriptedSettingsPrompter::AnswerSettings(TabSettings& scratch) {
    if (settings_.empty()) return false;
    const auto entry = std::move(settings_.front());
    settings_.pop_front();
    if (!entry) return false;
    entry->ApplyTo(scratch);
    return true;
}

}  // namespace lutaris
